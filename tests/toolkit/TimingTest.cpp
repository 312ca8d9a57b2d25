// Timers on the controllable clock, and view animations with their cancel semantics.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace VSTGUI;
using tktest::OffscreenScreen;

namespace {

class TickTarget : public CBaseObject
{
public:
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override
    {
        if (message != CVSTGUITimer::kMsgTimer)
            return kMessageUnknown;
        times.push_back(TimerQueue::current().now());
        lastSender = sender;
        return kMessageNotified;
    }
    std::vector<uint64_t> times;
    CBaseObject* lastSender = nullptr;
};

// Records what the animator calls.
class RecordingTarget : public Animation::IAnimationTarget
{
public:
    explicit RecordingTarget(std::vector<std::string>& log) : m_Log(log) {}
    void animationStart(CView*, IdStringPtr name) override { m_Log.push_back(std::string("start ") + name); }
    void animationTick(CView* view, IdStringPtr, float pos) override
    {
        char buf[32];
        std::snprintf(buf, sizeof buf, "tick %.2f", static_cast<double>(pos));
        m_Log.emplace_back(buf);
        view->setAlphaValue(1.f - pos);
    }
    void animationFinished(CView*, IdStringPtr, bool wasCanceled) override
    {
        m_Log.push_back(wasCanceled ? "cancelled" : "finished");
    }

private:
    std::vector<std::string>& m_Log;
};

}  // namespace

class ToolkitTimer : public ::testing::Test
{
protected:
    void SetUp() override { TimerQueue::current().useManualClock(5000); }
    void TearDown() override { EXPECT_EQ(TimerQueue::current().scheduledCount(), 0u); }
};

TEST_F(ToolkitTimer, FiresItsTargetAtEachPeriod)
{
    TickTarget target;
    auto* timer = new CVSTGUITimer(&target, 50);
    EXPECT_FALSE(timer->isRunning());  // not started by default
    TimerQueue::current().advance(200);
    EXPECT_TRUE(target.times.empty());

    ASSERT_TRUE(timer->start());
    TimerQueue::current().advance(49);
    EXPECT_TRUE(target.times.empty());
    TimerQueue::current().advance(1);
    ASSERT_EQ(target.times.size(), 1u);
    EXPECT_EQ(target.lastSender, timer);
    TimerQueue::current().advance(500);
    ASSERT_EQ(target.times.size(), 11u);
    for (size_t i = 1; i < target.times.size(); ++i)
        EXPECT_EQ(target.times[i] - target.times[i - 1], 50u);

    timer->stop();
    TimerQueue::current().advance(500);
    EXPECT_EQ(target.times.size(), 11u);

    // A new period applies from now.
    timer->start();
    timer->setFireTime(20);
    TimerQueue::current().advance(100);
    EXPECT_EQ(target.times.size(), 16u);
    timer->forget();  // deleting a running timer unschedules it

    std::vector<std::string> log;
    auto* a = new CVSTGUITimer([&](CVSTGUITimer*) { log.push_back("a" + std::to_string(TimerQueue::current().now() - 6350)); }, 30);
    auto* b = new CVSTGUITimer([&](CVSTGUITimer*) { log.push_back("b" + std::to_string(TimerQueue::current().now() - 6350)); }, 50);
    TimerQueue::current().advance(100);
    EXPECT_EQ(log, (std::vector<std::string>{"a30", "b50", "a60", "a90", "b100"})) << "in time order";
    a->forget();
    b->forget();
}

TEST_F(ToolkitTimer, CallbackMayStopOrDeleteItsOwnTimer)
{
    int count = 0;
    auto* once = new CVSTGUITimer(
        [&](CVSTGUITimer* t) {
            ++count;
            t->stop();
        },
        10);
    TimerQueue::current().advance(100);
    EXPECT_EQ(count, 1);
    once->forget();

    int fired = 0;
    CVSTGUITimer* selfDeleting = nullptr;
    selfDeleting = new CVSTGUITimer(
        [&](CVSTGUITimer* t) {
            ++fired;
            t->forget();  // the last reference: gone once the callback returns
            selfDeleting = nullptr;
        },
        10);
    TimerQueue::current().advance(100);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(selfDeleting, nullptr);
}

class ToolkitAnimation : public ::testing::Test
{
protected:
    OffscreenScreen screen{40, 40};
    CView* view = nullptr;
    std::vector<std::string> log;

    void SetUp() override
    {
        view = new CView(CRect(0, 0, 10, 10));
        screen.frame()->addView(view);
    }
    Animation::Animator* animator() { return screen.frame()->getAnimator(); }
};

TEST_F(ToolkitAnimation, LinearAnimationTicksToItsEnd)
{
    animator()->addAnimation(view, "fade", new RecordingTarget(log), new Animation::LinearTimingFunction(100));
    EXPECT_EQ(log, (std::vector<std::string>{"start fade"}));
    screen.io()->advanceTime(48);  // three frames of 16 ms
    EXPECT_EQ(log, (std::vector<std::string>{"start fade", "tick 0.16", "tick 0.32", "tick 0.48"}));
    EXPECT_NEAR(view->getAlphaValue(), 0.52f, 1e-5);
    screen.io()->advanceTime(100);
    EXPECT_EQ(log.back(), "finished");
    EXPECT_EQ(log[log.size() - 2], "tick 1.00");
    EXPECT_FALSE(animator()->hasAnimation(view, "fade"));
    // The animator's timer stops with its last animation.
    EXPECT_EQ(TimerQueue::current().scheduledCount(), 0u);
}

TEST_F(ToolkitAnimation, CancellingAppliesTheLastStepAndTheSameNameCancelsTheRunningOne)
{
    animator()->addAnimation(view, "fade", new Animation::AlphaValueAnimation(0.f),
                             new Animation::LinearTimingFunction(100));
    screen.io()->advanceTime(48);
    EXPECT_NEAR(view->getAlphaValue(), 0.52f, 1e-5);
    animator()->removeAnimation(view, "fade");
    EXPECT_FLOAT_EQ(view->getAlphaValue(), 0.f);
    EXPECT_FALSE(animator()->hasAnimation(view, "fade"));

    animator()->addAnimation(view, "other", new RecordingTarget(log), new Animation::LinearTimingFunction(100));
    screen.io()->advanceTime(16);
    animator()->removeAnimation(view, "other");
    EXPECT_EQ(log, (std::vector<std::string>{"start other", "tick 0.16", "tick 1.00", "cancelled"}));

    // Starting the same name again cancels the running one; another name runs alongside.
    log.clear();
    animator()->addAnimation(view, "x", new RecordingTarget(log), new Animation::LinearTimingFunction(100));
    animator()->addAnimation(view, "x", new RecordingTarget(log), new Animation::LinearTimingFunction(100));
    EXPECT_EQ(log, (std::vector<std::string>{"start x", "tick 1.00", "cancelled", "start x"}));
    animator()->addAnimation(view, "y", new Animation::AlphaValueAnimation(1.f), new Animation::LinearTimingFunction(50));
    EXPECT_EQ(animator()->getAnimationCount(), 2u);
    animator()->removeAnimations(view);
    EXPECT_EQ(animator()->getAnimationCount(), 0u);
}

TEST_F(ToolkitAnimation, RemovingTheViewOrClosingTheFrameEndsItsAnimations)
{
    view->remember();  // keep it to look at after removal
    animator()->addAnimation(view, "fade", new RecordingTarget(log), new Animation::LinearTimingFunction(100));
    EXPECT_EQ(view->getNbReference(), 3);  // test, frame, animation
    screen.frame()->removeView(view);
    EXPECT_EQ(log.back(), "cancelled");
    EXPECT_EQ(view->getNbReference(), 1);

    auto* second = new CView(CRect(0, 0, 5, 5));
    screen.frame()->addView(second);
    animator()->addAnimation(second, "fade", new RecordingTarget(log), new Animation::LinearTimingFunction(100));
    screen.close();
    EXPECT_EQ(log.back(), "cancelled");
    EXPECT_EQ(TimerQueue::current().scheduledCount(), 0u);
    view->forget();
}
