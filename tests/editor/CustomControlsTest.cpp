// The custom controls on their own, in an offscreen frame.
#include "CKickButtonWP.h"
#include "CKnobWP.h"
#include "CMeterFollower.h"
#include "CSliderWP.h"
#include "CTSRASwitchView.h"
#include "CVuMeterWP.h"
#include "CXYPadWP.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace VSTGUI;

namespace {

struct Recorder : IControlListener {
    std::vector<float> m_Values;
    int m_nBegins = 0, m_nEnds = 0;
    void valueChanged(CControl* c) override { m_Values.push_back(c->getValue()); }
    void controlBeginEdit(CControl*) override { ++m_nBegins; }
    void controlEndEdit(CControl*) override { ++m_nEnds; }
};

// An open offscreen frame on a manual clock.
struct Screen {
    CFrame* m_pFrame;
    Screen(int w = 200, int h = 200)
    {
        CFrame::setOffscreenOverride(true);
        TimerQueue::current().useManualClock(0);
        m_pFrame = new CFrame(CRect(0, 0, w, h), nullptr);
        m_pFrame->open(nullptr, kOffscreen);
    }
    ~Screen()
    {
        m_pFrame->close();
        TimerQueue::current().useSystemClock();
    }
    OffscreenFrame* io() const { return OffscreenFrame::of(m_pFrame); }
};

}  // namespace

TEST(KnobWP, StripOffsetIsTheTopOfTheFrameForTheValue)
{
    CKnobWP knob(CRect(0, 0, 80, 80), nullptr, 0, 128, 80, nullptr, CPoint());
    EXPECT_EQ(knob.stripOffsetFor(1.0f), 10160);
    EXPECT_EQ(knob.stripOffsetFor(0.5f), 5040);
    EXPECT_EQ(knob.stripOffsetFor(0.0f), 0);
    EXPECT_EQ(knob.stripOffsetFor(-0.1f), -1);
    knob.setInverseBitmap(true);
    EXPECT_EQ(knob.stripOffsetFor(1.0f), 0);
}

TEST(KnobWP, StripGeometryOutsideTheIntegersShowsNoFrame)
{
    // Height and count as a UI description may give them.
    const CRect r(0, 0, 80, 80);
    EXPECT_EQ(CKnobWP(r, nullptr, 0, 128, std::nan(""), nullptr, CPoint()).stripOffsetFor(1.0f), -1);
    EXPECT_EQ(CKnobWP(r, nullptr, 0, 128, 1e300, nullptr, CPoint()).stripOffsetFor(0.5f), -1);
    EXPECT_EQ(CKnobWP(r, nullptr, 0, INT32_MIN, 80, nullptr, CPoint()).stripOffsetFor(1.0f), -1);
    CKnobWP many(r, nullptr, 0, INT32_MAX, 80, nullptr, CPoint());
    EXPECT_EQ(many.stripOffsetFor(1.0f), -1) << "beyond any strip a bitmap can hold";
    EXPECT_EQ(many.stripOffsetFor(0.0f), 0);
}

TEST(KnobWP, SwitchModeShowsTheItemItSends)
{
    SharedPointer<CBitmap> strip(new CBitmap(80, 80 * 4));
    strip->forget();
    Screen screen;
    auto* knob = new CKnobWP(CRect(0, 0, 80, 80), nullptr, 0, 4, 80, strip, CPoint());
    screen.m_pFrame->addView(knob);
    knob->setSwitchMode(true);
    knob->setSwitchSteps(3);
    knob->setValue(0.8f);
    screen.io()->advanceTime(1);
    knob->invalid();
    screen.io()->advanceTime(1);
    EXPECT_FLOAT_EQ(knob->getValue(), 2.0f / 3.0f);
    // Rounding to the nearest item, as the value sent for a list control is.
    for (float v : {0.1f, 0.2f, 0.45f, 0.55f, 0.9f}) {
        knob->setValue(v);
        knob->invalid();
        screen.io()->advanceTime(1);
        EXPECT_FLOAT_EQ(knob->getValue() * 3.0f, std::floor(3.0f * v + 0.5f)) << v;
    }
    // A list of one item still has a step, never a division by zero.
    EXPECT_FLOAT_EQ(tsraSnapToStep(0.7f, 0.0f), 1.0f);
}

TEST(KnobWP, AltResetsToTheDefaultWithAlternateModifiers)
{
    Screen screen;
    Recorder rec;
    auto* knob = new CKnobWP(CRect(10, 10, 90, 90), &rec, 3, 128, 80, nullptr, CPoint());
    knob->setAltModifiers(true);
    knob->setDefaultValue(0.25f);
    knob->setValue(0.9f);
    screen.m_pFrame->addView(knob);
    screen.io()->click(CPoint(50, 50), CButtonState(kLButton | kControl));
    EXPECT_NE(knob->getValue(), 0.25f) << "Control is the fine key here, not the reset";
    screen.io()->click(CPoint(50, 50), CButtonState(kLButton | kAlt));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    ASSERT_FALSE(rec.m_Values.empty());
    EXPECT_FLOAT_EQ(rec.m_Values.back(), 0.25f);
}

TEST(MeterFollower, BallisticsOfTheShippedMeters)
{
    CMeterFollower f;
    f.setup(20, 10, 200, true, CMeterFollower::kPeak, false);
    EXPECT_NEAR(f.attackCoefficient(), 0.006658, 1e-5);
    EXPECT_NEAR(f.releaseCoefficient(), 0.7783, 1e-4);
    EXPECT_NEAR(f.follow(1.0f), 0.993, 1e-3);
    f.reset();
    f.follow(1.0f);
    for (int i = 0; i < 20; ++i)
        f.follow(1.0f);
    EXPECT_NEAR(f.follow(0.0f), 0.778, 1e-3);

    CMeterFollower log;
    log.setup(20, 10, 200, true, CMeterFollower::kPeak, true);
    for (int i = 0; i < 20; ++i)
        log.follow(1.0f);
    EXPECT_NEAR(log.follow(1.0f), 1.0f, 1e-6);
    EXPECT_NEAR(log.follow(0.0f), 1.0f + 20.0f * std::log10(0.7783f) / 60.0f, 2e-3);  // about 0.964
    CMeterFollower quiet;
    quiet.setup(20, 0, 200, true, CMeterFollower::kPeak, true);
    EXPECT_EQ(quiet.follow(0.001f), 0.0f) << "-60 dB shows nothing";
    EXPECT_EQ(quiet.follow(0.0f), 0.0f);

    CMeterFollower rms;
    rms.setup(20, 0, 200, false, CMeterFollower::kRootMeanSquare, false);
    EXPECT_NEAR(rms.follow(-0.5f), 0.5f, 1e-6) << "squares, then the root of the envelope";
}

TEST(VuMeterWP, AnalogueGeometryOutsideTheIntegersShowsNoFrame)
{
    // H and Z as a custom-view name ("AnalogMeterView_Hnan_Z1e300") may give them.
    CVuMeterWP meter(CRect(0, 0, 30, 251), nullptr, nullptr, 9, kVertical);
    meter.setAnalog(true, std::nan(""), 7, 9);
    EXPECT_EQ(meter.analogOffsetFor(1.0f), -1);
    meter.setAnalog(true, 1e300, 7, 9);
    EXPECT_EQ(meter.analogOffsetFor(1.0f), -1);
    meter.setAnalog(true, 251, 1e300, 9);
    meter.setInverted(true);
    EXPECT_EQ(meter.analogOffsetFor(0.0f), -1);
    meter.setAnalog(true, 251, 7, std::nan(""));
    EXPECT_EQ(meter.analogOffsetFor(0.5f), -1);
}

TEST(VuMeterWP, AnalogueFramesAndFallingValue)
{
    SharedPointer<CBitmap> strip(new CBitmap(30, 251 * 9));
    strip->forget();
    Screen screen(60, 300);
    auto* meter = new CVuMeterWP(CRect(0, 0, 30, 251), strip, nullptr, 9, kVertical);
    meter->setAnalog(true, 251, 7, 9);
    EXPECT_EQ(meter->analogOffsetFor(0.99f), 1757);
    EXPECT_EQ(meter->analogOffsetFor(1.0f), 2008);
    EXPECT_EQ(meter->analogOffsetFor(0.0f), 0);
    meter->setInverted(true);
    EXPECT_EQ(meter->analogOffsetFor(0.0f), static_cast<int32_t>(std::floor(7.0 / 9.0 * 8 * 251 / 251)) * 251);
    meter->setInverted(false);

    screen.m_pFrame->addView(meter);
    meter->follower().setup(20, 10, 200, true, CMeterFollower::kPeak, false);
    meter->setDecreaseStepValue(0.1f);
    for (int i = 0; i < 30; ++i) {
        meter->setValue(1.0f);
        meter->invalid();
        screen.io()->advanceTime(1);
    }
    EXPECT_NEAR(meter->shownLevel(), 1.0f, 1e-4);
    meter->setValue(0.0f);
    meter->invalid();
    screen.io()->advanceTime(1);
    // The follower is fed 0.9 (the value falls by at most the step), not 0.
    EXPECT_NEAR(meter->shownLevel(), 0.978f, 1e-3);
}

TEST(VuMeterWP, TwoLedMeterIsOnOrOff)
{
    SharedPointer<CBitmap> on(new CBitmap(10, 40)), off(new CBitmap(10, 40));
    on->forget();
    off->forget();
    Screen screen;
    auto* meter = new CVuMeterWP(CRect(0, 0, 10, 40), on, off, 2, kVertical);
    screen.m_pFrame->addView(meter);
    meter->follower().setup(20, 10, 200, true, CMeterFollower::kPeak, false);
    meter->setValue(0.6f);
    meter->invalid();
    screen.io()->advanceTime(1);
    EXPECT_EQ(meter->shownLevel(), 1.0f);
    meter->setValue(0.4f);
    meter->invalid();
    screen.io()->advanceTime(1);
    EXPECT_EQ(meter->shownLevel(), 0.0f);
}

TEST(KickButtonWP, ReportModesFromTheCustomViewName)
{
    EXPECT_EQ(CKickButtonWP::reportModeFor("TsraKickButtonDU"), CKickButtonWP::kDownAndUp);
    EXPECT_EQ(CKickButtonWP::reportModeFor("TsraKickButtonD"), CKickButtonWP::kDownOnly);
    EXPECT_EQ(CKickButtonWP::reportModeFor(""), CKickButtonWP::kUpOnly);
    EXPECT_EQ(CKickButtonWP::reportModeFor("TsraKickButtonDUX"), CKickButtonWP::kUpOnly);

    struct Case {
        uint32_t m_uMode;
        std::vector<float> m_Expected;
    } cases[] = {{CKickButtonWP::kUpOnly, {0.0f}}, {CKickButtonWP::kDownOnly, {1.0f}}, {CKickButtonWP::kDownAndUp, {1.0f, 0.0f}}};
    for (const Case& c : cases) {
        Screen screen;
        Recorder rec;
        auto* button = new CKickButtonWP(CRect(0, 0, 20, 20), &rec, 1, 20, nullptr, CPoint());
        button->setReportMode(c.m_uMode);
        screen.m_pFrame->addView(button);
        screen.io()->mouseDown(CPoint(5, 5));
        EXPECT_EQ(rec.m_nBegins, 1);
        screen.io()->mouseUp(CPoint(5, 5));
        EXPECT_EQ(rec.m_Values, c.m_Expected) << "mode " << c.m_uMode;
        EXPECT_EQ(rec.m_nEnds, 1);
        EXPECT_EQ(button->getValue(), 0.0f);
    }
}

TEST(SliderWP, SwitchModeAndModifiers)
{
    Screen screen;
    Recorder rec;
    auto* slider = new CHorizontalSliderWP(CRect(0, 0, 100, 20), &rec, 2, CPoint(), 100, nullptr, nullptr, CPoint(),
                                           kHorizontal | kLeft);
    slider->setSwitchMode(true);
    slider->setSwitchSteps(4);
    slider->setAltModifiers(true);
    slider->setMode(CSlider::kFreeClickMode);
    slider->setDefaultValue(0.5f);
    slider->setValue(0.6f);
    screen.m_pFrame->addView(slider);
    slider->invalid();
    screen.io()->advanceTime(1);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    slider->setValue(0.9f);
    screen.io()->click(CPoint(50, 10), CButtonState(kLButton | kAlt));
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    EXPECT_EQ(slider->getZoomModifier(), kControl);
}

TEST(XYPadWP, PackingAndTheJoystickDiamond)
{
    float x = 0, y = 0;
    CXYPad::calculateXY(CXYPad::calculateValue(0.25f, 0.75f), x, y);
    EXPECT_NEAR(x, 0.25f, 1e-6);
    EXPECT_NEAR(y, 0.75f, 1e-4);
    EXPECT_TRUE(CXYPadWP::insideDiamond(0.5f, 0.5f));
    EXPECT_TRUE(CXYPadWP::insideDiamond(0.0f, 0.5f));
    EXPECT_FALSE(CXYPadWP::insideDiamond(0.1f, 0.1f));

    Screen screen(120, 120);
    Recorder rec;
    auto* pad = new CXYPadWP(CRect(0, 0, 100, 100));
    pad->setListener(&rec);
    pad->setTag(32775);
    pad->setJoystickMode(true);
    pad->setRoundRectRadius(0);
    pad->setValue(CXYPad::calculateValue(0.5f, 0.5f));
    screen.m_pFrame->addView(pad);
    screen.io()->mouseDown(CPoint(60, 50));
    EXPECT_TRUE(pad->isDragging());
    screen.io()->mouseMove(CPoint(5, 5), kLButton);  // outside the diamond: refused
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.6f, 1e-3);
    EXPECT_NEAR(y, 0.5f, 1e-3);
    screen.io()->mouseUp(CPoint(5, 5));
    EXPECT_FALSE(pad->isDragging());
    EXPECT_EQ(rec.m_nBegins, 1);
    EXPECT_EQ(rec.m_nEnds, 1);
    EXPECT_EQ(rec.m_Values.size(), 1u);
}

TEST(TSRASwitchView, CrossFadesToTheNewPage)
{
    Screen screen;
    auto* view = new CTSRASwitchView(CRect(0, 0, 100, 100));
    auto* a = new CViewContainer(CRect(0, 0, 100, 100));
    auto* b = new CViewContainer(CRect(0, 0, 100, 100));
    a->setVisible(false);
    b->setVisible(false);
    view->addView(a);
    view->addView(b);
    screen.m_pFrame->addView(view);
    view->setCurrentViewIndex(0);
    EXPECT_TRUE(a->isVisible());
    Animation::Animator* animator = screen.m_pFrame->getAnimator();
    view->setCurrentViewIndex(0);
    EXPECT_EQ(animator->getAnimationCount(), 0u) << "same page: nothing starts";
    view->setCurrentViewIndex(5);
    EXPECT_EQ(view->getCurrentViewIndex(), 0);
    view->setCurrentViewIndex(1);
    EXPECT_EQ(animator->getAnimationCount(), 1u);
    screen.io()->advanceTime(64);
    EXPECT_GT(b->getAlphaValue(), 0.3f);
    EXPECT_LT(a->getAlphaValue(), 0.7f);
    EXPECT_NEAR(a->getAlphaValue() + b->getAlphaValue(), 1.0f, 1e-5);
    screen.io()->advanceTime(200);
    EXPECT_EQ(animator->getAnimationCount(), 0u);
    EXPECT_FALSE(a->getVisibleFlag());
    EXPECT_FLOAT_EQ(b->getAlphaValue(), 1.0f);
    EXPECT_EQ(view->getCurrentViewIndex(), 1);

    view->setAnimationTime(0);
    view->setCurrentViewIndex(0);
    EXPECT_TRUE(a->isVisible()) << "without animation the page shows at once";
    EXPECT_FALSE(b->getVisibleFlag());
}
