// The frame: event routing, mouse observers, keyboard hooks, focus and activation, tooltips,
// and releasing everything on close.
#include "TestSupport.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>

using namespace VSTGUI;
using tktest::OffscreenScreen;
using tktest::RecordingListener;
using Strings = std::vector<std::string>;

namespace {

// Counts live instances, to see that closing a frame frees its views.
class CountedView : public CView
{
public:
    static int live;
    explicit CountedView(const CRect& r) : CView(r) { ++live; }
    ~CountedView() override { --live; }
};
int CountedView::live = 0;

// Logs mouse and key events with the point it received (parent coordinates).
class LoggingView : public CView
{
public:
    LoggingView(const CRect& r, Strings& log, std::string name) : CView(r), m_Log(log), m_Name(std::move(name)) {}
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override
    {
        m_Log.push_back(m_Name + " down " + std::to_string(int(where.x)) + "," + std::to_string(int(where.y)));
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override
    {
        m_Log.push_back(m_Name + " moved " + std::to_string(int(where.x)) + "," + std::to_string(int(where.y)));
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override
    {
        m_Log.push_back(m_Name + " up");
        return kMouseEventHandled;
    }
    int32_t onKeyDown(VstKeyCode& k) override
    {
        m_Log.push_back(m_Name + " key " + std::string(1, static_cast<char>(k.character)));
        return 1;
    }
    void takeFocus() override { m_Log.push_back(m_Name + " takes focus"); }
    void looseFocus() override { m_Log.push_back(m_Name + " loses focus"); }

private:
    Strings& m_Log;
    std::string m_Name;
};

class LoggingObserver : public IMouseObserver
{
public:
    explicit LoggingObserver(Strings& log) : m_Log(log) {}
    void onMouseEntered(CView* view, CFrame*) override { m_Log.push_back("entered " + std::to_string(int(view->getWidth()))); }
    void onMouseExited(CView* view, CFrame*) override { m_Log.push_back("exited " + std::to_string(int(view->getWidth()))); }
    CMouseEventResult onMouseDown(CFrame*, const CPoint& where, const CButtonState&) override
    {
        m_Log.push_back("observer down");
        return where.x < 5 ? kMouseEventHandled : kMouseEventNotHandled;
    }

private:
    Strings& m_Log;
};

class Hook : public IKeyboardHook
{
public:
    int32_t answer = -1;
    int calls = 0;
    int32_t onKeyDown(const VstKeyCode&, CFrame*) override
    {
        ++calls;
        return answer;
    }
    int32_t onKeyUp(const VstKeyCode&, CFrame*) override { return answer; }
};

VstKeyCode key(char c)
{
    VstKeyCode k;
    k.character = c;
    return k;
}

}  // namespace

TEST(ToolkitFrame, MouseGoesToTheTopmostViewInItsParentsCoordinates)
{
    Strings log;
    OffscreenScreen s(100, 100);
    auto* box = new CViewContainer(CRect(40, 40, 100, 100));
    box->addView(new LoggingView(CRect(10, 10, 30, 30), log, "inner"));
    s.frame()->addView(new LoggingView(CRect(0, 0, 60, 60), log, "under"));
    s.frame()->addView(box);
    s.io()->mouseDown(CPoint(55, 55));
    s.io()->mouseMove(CPoint(90, 90), kLButton);  // captured by the pressed view
    s.io()->mouseUp(CPoint(90, 90));
    s.io()->mouseDown(CPoint(20, 20));
    EXPECT_EQ(log, (Strings{"inner down 15,15", "inner moved 50,50", "inner up", "under down 20,20"}));

    // An opaque container above takes the click even where no child is.
    log.clear();
    s.io()->mouseDown(CPoint(45, 45));
    EXPECT_TRUE(log.empty());
    // A transparent one lets it through.
    box->setTransparency(true);
    s.io()->mouseDown(CPoint(45, 45));
    EXPECT_EQ(log, (Strings{"under down 45,45"}));
    // Views that are hidden or not mouse-enabled are passed over.
    log.clear();
    box->setMouseEnabled(false);
    s.io()->mouseDown(CPoint(55, 55));
    EXPECT_EQ(log, (Strings{"under down 55,55"}));
}

TEST(ToolkitFrame, MouseObserversSeeEnterExitAndMayTakeClicks)
{
    Strings log;
    OffscreenScreen s(100, 100);
    LoggingObserver observer(log);
    s.frame()->registerMouseObserver(&observer);
    s.frame()->addView(new LoggingView(CRect(0, 0, 50, 50), log, "a"));
    s.frame()->addView(new LoggingView(CRect(50, 0, 80, 50), log, "b"));
    s.io()->mouseMove(CPoint(10, 10));
    s.io()->mouseMove(CPoint(60, 10));
    s.io()->mouseMove(CPoint(60, 90));
    EXPECT_EQ(log, (Strings{"entered 50", "exited 50", "entered 30", "exited 30"}));

    log.clear();
    s.io()->mouseDown(CPoint(2, 2));  // the observer takes it
    s.io()->mouseDown(CPoint(10, 10));
    EXPECT_EQ(log, (Strings{"observer down", "observer down", "a down 10,10"}));

    s.frame()->unregisterMouseObserver(&observer);
    log.clear();
    s.io()->mouseDown(CPoint(2, 2));
    EXPECT_EQ(log, (Strings{"a down 2,2"}));
}

TEST(ToolkitFrame, KeyboardHooksComeBeforeTheFocusViewWhichDeactivationPutsAside)
{
    Strings log;
    OffscreenScreen s(100, 100);
    Hook hook;
    auto* v = new LoggingView(CRect(0, 0, 50, 50), log, "v");
    s.frame()->addView(v);
    s.frame()->registerKeyboardHook(&hook);
    EXPECT_EQ(s.io()->keyDown(key('a')), -1);  // no focus view: unhandled
    s.frame()->setFocusView(v);
    EXPECT_EQ(s.io()->keyDown(key('b')), 1);
    hook.answer = 1;
    s.io()->keyDown(key('c'));
    EXPECT_EQ(hook.calls, 3);
    s.frame()->unregisterKeyboardHook(&hook);
    s.io()->keyDown(key('d'));
    EXPECT_EQ(hook.calls, 3);
    s.frame()->onActivate(false);
    EXPECT_EQ(s.frame()->getFocusView(), nullptr);
    EXPECT_EQ(s.io()->keyDown(key('x')), -1);
    s.frame()->onActivate(true);
    EXPECT_EQ(s.frame()->getFocusView(), v);
    s.frame()->removeView(v);  // a focused view that leaves the tree gives the focus up
    EXPECT_EQ(s.frame()->getFocusView(), nullptr);
    EXPECT_EQ(log, (Strings{"v takes focus", "v key b", "v key d", "v loses focus", "v takes focus", "v loses focus"}));
}

TEST(ToolkitFrame, TooltipAppearsAfterTheDelayAndGoesOnClick)
{
    OffscreenScreen s(200, 100);
    auto* v = new CViewContainer(CRect(0, 0, 50, 50));
    v->setBackgroundColor(kBlueCColor);
    v->setTooltipText("Flutter rate");
    s.frame()->addView(v);
    s.io()->mouseMove(CPoint(10, 10));
    s.io()->advanceTime(2000);
    EXPECT_EQ(s.frame()->getShownTooltip(), "");  // tooltips are off by default

    s.frame()->enableTooltips(true, 500);
    s.io()->mouseMove(CPoint(60, 60));
    s.io()->mouseMove(CPoint(10, 10));
    s.io()->advanceTime(499);
    EXPECT_EQ(s.frame()->getShownTooltip(), "");
    s.io()->advanceTime(1);
    EXPECT_EQ(s.frame()->getShownTooltip(), "Flutter rate");
    // It is painted over the view, below the pointer, and removed again on a click.
    EXPECT_NE(s.pixel(20, 30), kBlueCColor);
    s.io()->mouseDown(CPoint(10, 10));
    EXPECT_EQ(s.frame()->getShownTooltip(), "");
    EXPECT_EQ(s.pixel(20, 30), kBlueCColor);
}

TEST(ToolkitFrame, OpenCloseCyclesReleaseEveryViewBitmapAndTimerAndForgettingAnOpenFrameDoesTheSame)
{
    tktest::registerTestImages();
    auto* strip = new CBitmap(CResourceDescription("STRIP4.PNG"));
    RecordingListener listener;
    for (int cycle = 0; cycle < 5; ++cycle) {
        auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr);
        ASSERT_TRUE(frame->open(nullptr, kOffscreen));
        auto* box = new CViewContainer(CRect(0, 0, 100, 100));
        box->setBackground(strip);
        box->addView(new CountedView(CRect(0, 0, 10, 10)));
        box->addView(new CAnimKnob(CRect(10, 0, 20, 10), &listener, 1, 4, 10, strip));
        frame->addView(box);
        frame->addView(new CountedView(CRect(20, 0, 30, 10)));
        auto* kept = new CountedView(CRect(30, 0, 40, 10));
        kept->remember();
        frame->addView(kept);
        auto* menu = new COptionMenu(CRect(40, 40, 80, 60), &listener, 2);
        menu->addEntry("a");
        frame->addView(menu);
        frame->enableTooltips(true);
        frame->getAnimator()->addAnimation(box, "fade", new Animation::AlphaValueAnimation(0.f),
                                           new Animation::LinearTimingFunction(100));
        OffscreenFrame* io = OffscreenFrame::of(frame);
        io->click(CPoint(50, 50));  // the menu's list is open while the frame closes
        ASSERT_TRUE(menu->isPopupOpen());
        io->advanceTime(30);
        EXPECT_EQ(CountedView::live, 3);
        EXPECT_EQ(strip->getNbReference(), 3);
        cycle < 4 ? frame->close() : frame->forget();
        EXPECT_EQ(CountedView::live, 1);
        EXPECT_EQ(strip->getNbReference(), 1);
        EXPECT_EQ(TimerQueue::current().scheduledCount(), 0u);
        EXPECT_EQ(kept->getNbReference(), 1);
        EXPECT_FALSE(kept->isAttached());
        EXPECT_EQ(kept->getParentView(), nullptr);
        kept->forget();
        EXPECT_EQ(CountedView::live, 0);
    }
    strip->forget();
}

TEST(ToolkitFrame, OpensOnlyOnAUsableParentUnlessSentOffscreenAndSavesItsPixelsAsPng)
{
    auto* frame = new CFrame(CRect(0, 0, 10, 10), nullptr);
    EXPECT_FALSE(frame->open(nullptr, kX11EmbedWindowID));
    EXPECT_FALSE(frame->isOpen());
    frame->forget();
    CFrame::setOffscreenOverride(true);
    auto* offscreen = new CFrame(CRect(0, 0, 30, 20), nullptr);
    EXPECT_TRUE(offscreen->open(reinterpret_cast<void*>(uintptr_t{12345}), kHWND));
    ASSERT_NE(OffscreenFrame::of(offscreen), nullptr);
    CFrame::setOffscreenOverride(false);
    offscreen->setBackgroundColor(kRedCColor);
    OffscreenFrame::of(offscreen)->flush();
    const std::string path = ::testing::TempDir() + "toolkit_frame.png";
    ASSERT_TRUE(OffscreenFrame::of(offscreen)->savePNG(path.c_str()));
    offscreen->close();
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 30);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png))[0] & 0xFFFFFF, 0xFF0000u);
    cairo_surface_destroy(png);
    std::remove(path.c_str());
}
