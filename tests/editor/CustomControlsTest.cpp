// The custom controls on their own, in an offscreen frame. Drawn views are probed with bitmaps
// whose every pixel names its own place: red the column, green and the low bits of blue the
// row, the high bits of blue the bitmap.
#include "CKickButtonWP.h"
#include "CKnobWP.h"
#include "CMeterFollower.h"
#include "CSliderWP.h"
#include "CTSRASwitchView.h"
#include "CVuMeterWP.h"
#include "CXYPadWP.h"
#include "TestSupport.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

using Screen = tktest::OffscreenScreen;
using Events = std::vector<std::string>;

void redraw(const Screen& s, CView* p)
{
    p->invalid();
    s.io()->advanceTime(1);
}

SharedPointer<CBitmap> placeBitmap(int w, int h, int id)
{
    auto* p = new CBitmap(w, h);
    cairo_t* cr = cairo_create(p->getSurface());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            cairo_set_source_rgb(cr, x / 255.0, (y & 0xFF) / 255.0, (id * 16 + (y >> 8)) / 255.0);
            cairo_rectangle(cr, x, y, 1, 1);
            cairo_fill(cr);
        }
    cairo_destroy(cr);
    cairo_surface_mark_dirty(p->getSurface());
    SharedPointer<CBitmap> bitmap(p);
    p->forget();
    return bitmap;
}

struct Place {
    int m_nId, m_nX, m_nY;  // id 0: no probe bitmap shows here
};

Place placeAt(const Screen& s, int x, int y)
{
    const CColor c = s.io()->getPixel(x, y);
    return {c.blue >> 4, c.red, c.green + 256 * (c.blue & 15)};
}

}  // namespace

TEST(KnobWP, StripOffsetIsTheTopOfTheFrameForTheValueAndNoneForUnusableGeometry)
{
    struct Case {
        int32_t m_nCount;
        double m_fHeight;
        bool m_bInverse;
        float m_fValue;
        int32_t m_nOffset;
    } cases[] = {{128, 80, false, 1.0f, 10160}, {128, 80, false, 0.5f, 5040}, {128, 80, false, 0.0f, 0},
                 {128, 80, false, -0.1f, -1},   {128, 80, true, 1.0f, 0},      {128, 80, true, 0.25f, 7600},
                 // Height and count as a UI description may give them.
                 {128, std::nan(""), false, 1.0f, -1}, {128, 1e300, false, 0.5f, -1}, {128, 0.5, false, 0.5f, -1},
                 {INT32_MIN, 80, false, 1.0f, -1},     {INT32_MAX, 80, false, 1.0f, -1}, {INT32_MAX, 80, false, 0.0f, 0}};
    for (const Case& c : cases) {
        CKnobWP knob(CRect(0, 0, 80, 80), nullptr, 0, c.m_nCount, c.m_fHeight, nullptr, CPoint());
        knob.setInverseBitmap(c.m_bInverse);
        EXPECT_EQ(knob.stripOffsetFor(c.m_fValue), c.m_nOffset) << c.m_nCount << " x " << c.m_fHeight << " at " << c.m_fValue;
    }
}

TEST(KnobWP, SwitchModeShowsAndKeepsTheItemItSends)
{
    Screen screen(200, 200);
    auto* knob = new CKnobWP(CRect(0, 0, 10, 10), nullptr, 0, 4, 10, placeBitmap(10, 40, 1), CPoint());
    screen.frame()->addView(knob);
    knob->setSwitchMode(true);
    knob->setSwitchSteps(3);
    // Rounding to the nearest item, as the value sent for a list control is.
    for (float v : {0.1f, 0.2f, 0.45f, 0.55f, 0.8f, 0.9f}) {
        knob->setValue(v);
        redraw(screen, knob);
        const float item = std::floor(3.0f * v + 0.5f);
        EXPECT_FLOAT_EQ(knob->getValue() * 3.0f, item) << v;
        EXPECT_EQ(placeAt(screen, 3, 2).m_nY, item * 10 + 2) << v;
        EXPECT_FALSE(knob->isDirty());
    }
    // A list of one item still has a step, never a division by zero.
    EXPECT_FLOAT_EQ(tsraSnapToStep(0.7f, 0.0f), 1.0f);
}

TEST(CustomViews, APartlyRepaintedViewStaysDirtyUntilDrawnWhole)
{
    // Another view's repaint may cut through a view that waits for its own: the part drawn
    // then must not count as the whole.
    const bool bSaved = CView::kDirtyCallAlwaysOnMainThread;
    CView::kDirtyCallAlwaysOnMainThread = false;  // as the editor runs: dirty views wait for idle
    Screen screen(40, 40);
    auto* knob = new CKnobWP(CRect(0, 0, 10, 10), nullptr, 0, 4, 10, placeBitmap(10, 40, 1), CPoint());
    auto* meter = new CVuMeterWP(CRect(20, 0, 30, 40), placeBitmap(10, 40, 1), placeBitmap(10, 40, 2), 4, kVertical);
    meter->setDecreaseStepValue(1.0f);
    meter->follower().setup(20, 0, 0, false, CMeterFollower::kPeak, false);
    screen.frame()->addView(knob);
    screen.frame()->addView(meter);
    screen.io()->advanceTime(1);
    for (CControl* p : {static_cast<CControl*>(knob), static_cast<CControl*>(meter)}) {
        p->setValue(1.0f);
        p->setDirty(true);
    }
    screen.frame()->invalidRect(CRect(0, 0, 40, 5));
    screen.io()->flush();
    screen.frame()->idle();
    EXPECT_EQ(placeAt(screen, 3, 7).m_nY, 37) << "the knob's lower part shows the new frame";
    EXPECT_EQ(placeAt(screen, 25, 37).m_nId, 1) << "the meter's lower part is lit";
    CView::kDirtyCallAlwaysOnMainThread = bSaved;
}

TEST(AlternateModifiers, AltResetsKnobsAndSlidersControlIsTheirFineKeyAndSlidersSnapToSteps)
{
    Screen screen(200, 200);
    tktest::RecordingListener rec;
    auto* knob = new CKnobWP(CRect(10, 10, 90, 90), &rec, 3, 128, 80, nullptr, CPoint());
    knob->setAltModifiers(true);
    knob->setDefaultValue(0.25f);
    knob->setValue(0.9f);
    screen.frame()->addView(knob);
    screen.io()->click(CPoint(50, 50), CButtonState(kLButton | kControl));
    EXPECT_NE(knob->getValue(), 0.25f) << "Control is the fine key here, not the reset";
    EXPECT_EQ(knob->getZoomModifier(), kControl);
    screen.io()->click(CPoint(50, 50), CButtonState(kLButton | kAlt));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(rec.events.back(), "end");
    EXPECT_EQ(rec.events[rec.events.size() - 2], "change 0.250");

    auto* slider = new CHorizontalSliderWP(CRect(0, 100, 100, 120), &rec, 2, CPoint(), 100, nullptr, nullptr, CPoint(),
                                           kHorizontal | kLeft);
    slider->setSwitchMode(true);
    slider->setSwitchSteps(4);
    slider->setAltModifiers(true);
    slider->setMode(CSlider::kFreeClickMode);
    slider->setDefaultValue(0.5f);
    slider->setValue(0.6f);
    screen.frame()->addView(slider);
    redraw(screen, slider);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    slider->setValue(0.9f);
    screen.io()->click(CPoint(50, 110), CButtonState(kLButton | kAlt));
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    EXPECT_EQ(slider->getZoomModifier(), kControl);
}

TEST(MeterFollower, BallisticsOfTheShippedMeters)
{
    CMeterFollower f;
    f.setup(20, 10, 200, true, CMeterFollower::kPeak, false);
    EXPECT_NEAR(f.attackCoefficient(), 0.006658, 1e-5);
    EXPECT_NEAR(f.releaseCoefficient(), 0.7783, 1e-4);
    EXPECT_NEAR(f.follow(1.0f), 0.993, 1e-3);
    f.reset();
    for (int i = 0; i < 21; ++i)
        f.follow(1.0f);
    EXPECT_NEAR(f.follow(0.0f), 0.778, 1e-3);
    CMeterFollower digital;
    digital.setup(20, 100, 200, false, CMeterFollower::kPeak, false);
    EXPECT_NEAR(digital.follow(-1.0f), 1.0 - std::exp(-4.60517019 / 2.0), 1e-5) << "99 % of a step in the time";

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
    EXPECT_NEAR(quiet.follow(0.1f), 40.0f / 60.0f, 1e-5);
    EXPECT_EQ(quiet.follow(2.0f), 1.0f) << "never past full scale";

    CMeterFollower ms, rms;
    ms.setup(20, 0, 200, false, CMeterFollower::kMeanSquare, false);
    rms.setup(20, 0, 200, false, CMeterFollower::kRootMeanSquare, false);
    EXPECT_NEAR(ms.follow(-0.5f), 0.25f, 1e-6) << "squares";
    EXPECT_NEAR(rms.follow(-0.5f), 0.5f, 1e-6) << "squares, then the root of the envelope";
    ms.reset();
    EXPECT_EQ(ms.follow(1e-20f), 0.0f) << "denormal envelopes are flushed";
}

TEST(VuMeterWP, AnalogueFrameForTheLevelAndNoneForUnusableGeometry)
{
    struct Case {
        bool m_bInverted;
        double m_fH, m_fZ, m_fCount;
        float m_fLevel;
        int32_t m_nOffset;
    } cases[] = {{false, 251, 7, 9, 0.99f, 1757}, {false, 251, 7, 9, 1.0f, 2008}, {false, 251, 7, 9, 0.0f, 0},
                 {false, 251, 7, 9, -0.1f, -1},    {true, 251, 7, 9, 0.0f, 1506},   {true, 251, 7, 9, 0.5f, 753},
                 // H and Z as a custom-view name ("AnalogMeterView_Hnan_Z1e300") may give them.
                 {false, std::nan(""), 7, 9, 1.0f, -1}, {false, 1e300, 7, 9, 1.0f, -1}, {true, 251, 1e300, 9, 0.0f, -1},
                 {false, 251, 7, std::nan(""), 0.5f, -1}, {false, 251, 7, 0.5, 0.5f, -1}};
    for (const Case& c : cases) {
        CVuMeterWP meter(CRect(0, 0, 30, 251), nullptr, nullptr, 9, kVertical);
        meter.setAnalog(true, c.m_fH, c.m_fZ, c.m_fCount);
        meter.setInverted(c.m_bInverted);
        EXPECT_EQ(meter.analogOffsetFor(c.m_fLevel), c.m_nOffset) << c.m_fH << " " << c.m_fZ << " at " << c.m_fLevel;
    }
}

TEST(VuMeterWP, AnalogueMeterFallsByTheDecreaseStepIntoItsFollower)
{
    Screen screen(60, 300);
    auto* meter = new CVuMeterWP(CRect(0, 0, 30, 251), placeBitmap(30, 251 * 9, 1), nullptr, 9, kVertical);
    meter->setAnalog(true, 251, 7, 9);
    screen.frame()->addView(meter);
    meter->follower().setup(20, 10, 200, true, CMeterFollower::kPeak, false);
    meter->setDecreaseStepValue(0.1f);
    for (int i = 0; i < 30; ++i) {
        meter->setValue(1.0f);
        redraw(screen, meter);
    }
    EXPECT_NEAR(meter->shownLevel(), 1.0f, 1e-4);
    EXPECT_EQ(placeAt(screen, 4, 0).m_nY, 8 * 251);
    meter->setValue(0.0f);
    redraw(screen, meter);
    // The follower is fed 0.9 (the value falls by at most the step), not 0.
    EXPECT_NEAR(meter->shownLevel(), 0.978f, 1e-3);
    EXPECT_EQ(placeAt(screen, 4, 0).m_nY, 7 * 251);
    EXPECT_FALSE(meter->isDirty());
}

TEST(VuMeterWP, SegmentsLightFromTheirStartAndSplitAtTheLevel)
{
    // Each LED, top to bottom or left to right: '#' shows the on bitmap, '.' the off bitmap.
    struct Case {
        int32_t m_nStyle;
        bool m_bInverted;
        int32_t m_nLeds;
        float m_fValue;
        const char* m_pLit;
    } cases[] = {{kVertical, false, 4, 0.5f, "..##"},   {kVertical, false, 4, 0.8f, ".###"},
                 {kVertical, false, 4, 0.0f, "...."},   {kVertical, false, 4, 1.0f, "####"},
                 {kVertical, true, 4, 0.8f, "###."},    {kHorizontal, false, 4, 0.3f, "#..."},
                 {kHorizontal, true, 4, 0.3f, "...#"},  {kHorizontal, false, 4, 0.6f, "##.."},
                 {kVertical, false, 2, 0.6f, "##"},     {kVertical, false, 2, 0.4f, ".."}};
    for (const Case& c : cases) {
        const bool bHorizontal = c.m_nStyle == kHorizontal;
        const int w = bHorizontal ? 40 : 10, h = bHorizontal ? 10 : 40;
        Screen screen(60, 60);
        auto* meter = new CVuMeterWP(CRect(0, 0, w, h), placeBitmap(w, h, 1), placeBitmap(w, h, 2), c.m_nLeds, c.m_nStyle);
        meter->setInverted(c.m_bInverted);
        meter->setDecreaseStepValue(1.0f);
        meter->follower().setup(20, 0, 0, false, CMeterFollower::kPeak, false);
        screen.frame()->addView(meter);
        meter->setValue(c.m_fValue);
        redraw(screen, meter);
        std::string lit;
        const int step = 40 / c.m_nLeds;
        for (int i = 0; i < c.m_nLeds; ++i) {
            const int x = bHorizontal ? i * step + step / 2 : 5, y = bHorizontal ? 5 : i * step + step / 2;
            const Place p = placeAt(screen, x, y);
            EXPECT_TRUE(p.m_nX == x && p.m_nY == y) << "each bitmap shows at its own place";
            lit += p.m_nId == 1 ? '#' : p.m_nId == 2 ? '.' : '?';
        }
        EXPECT_EQ(lit, c.m_pLit) << (bHorizontal ? "horizontal" : "vertical") << (c.m_bInverted ? " inverted" : "")
                                 << " at " << c.m_fValue;
    }
}

TEST(KickButtonWP, ReportModesFromTheCustomViewName)
{
    EXPECT_EQ(CKickButtonWP::reportModeFor("TsraKickButtonDU"), CKickButtonWP::kDownAndUp);
    EXPECT_EQ(CKickButtonWP::reportModeFor("TsraKickButtonD"), CKickButtonWP::kDownOnly);
    EXPECT_EQ(CKickButtonWP::reportModeFor(""), CKickButtonWP::kUpOnly);
    EXPECT_EQ(CKickButtonWP::reportModeFor(nullptr), CKickButtonWP::kUpOnly);
    EXPECT_EQ(CKickButtonWP::reportModeFor("TsraKickButtonDUX"), CKickButtonWP::kUpOnly);

    struct Case {
        uint32_t m_uMode;
        Events m_Expected;
    } cases[] = {{CKickButtonWP::kUpOnly, {"begin", "change 0.000", "end"}},
                 {CKickButtonWP::kDownOnly, {"begin", "change 1.000", "end"}},
                 {CKickButtonWP::kDownAndUp, {"begin", "change 1.000", "change 0.000", "end"}}};
    for (const Case& c : cases) {
        Screen screen(200, 200);
        tktest::RecordingListener rec;
        auto* button = new CKickButtonWP(CRect(0, 0, 20, 20), &rec, 1, 20, nullptr, CPoint());
        button->setReportMode(c.m_uMode);
        screen.frame()->addView(button);
        screen.io()->mouseDown(CPoint(5, 5), kRButton);
        EXPECT_EQ(rec.events, Events{"modifier"}) << "the right button does not press it";
        rec.events.clear();
        screen.io()->mouseDown(CPoint(5, 5));
        EXPECT_EQ(rec.events.front(), "begin");
        EXPECT_EQ(button->getValue(), 1.0f) << "pressed";
        screen.io()->mouseUp(CPoint(5, 5));
        EXPECT_EQ(rec.events, c.m_Expected) << "mode " << c.m_uMode;
        EXPECT_EQ(button->getValue(), 0.0f);
    }
}

TEST(XYPadWP, JoystickModeKeepsToTheDiamond)
{
    float x = 0, y = 0;
    EXPECT_TRUE(CXYPadWP::insideDiamond(0.5f, 0.5f));
    EXPECT_TRUE(CXYPadWP::insideDiamond(0.0f, 0.5f));
    EXPECT_FALSE(CXYPadWP::insideDiamond(0.1f, 0.1f));

    Screen screen(120, 120);
    tktest::RecordingListener rec;
    auto* pad = new CXYPadWP(CRect(0, 0, 100, 100));
    pad->setTag(32775);
    pad->setListener(&rec);
    pad->setJoystickMode(true);
    pad->setRoundRectRadius(0);
    pad->setValue(CXYPad::calculateValue(0.5f, 0.5f));
    screen.frame()->addView(pad);
    screen.io()->mouseDown(CPoint(60, 50));
    EXPECT_TRUE(pad->isDragging());
    screen.io()->mouseMove(CPoint(5, 5), kLButton);  // outside the diamond: refused
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.6f, 1e-3);
    EXPECT_NEAR(y, 0.5f, 1e-3);
    screen.io()->mouseUp(CPoint(5, 5));
    EXPECT_FALSE(pad->isDragging());
    ASSERT_EQ(rec.events.size(), 3u) << "one change";
    EXPECT_EQ(rec.events.front() + " " + rec.events.back(), "begin end");
}

TEST(TSRASwitchView, CrossFadesToTheNewPage)
{
    Screen screen(200, 200);
    auto* view = new CTSRASwitchView(CRect(0, 0, 100, 100));
    auto* a = new CViewContainer(CRect(0, 0, 100, 100));
    auto* b = new CViewContainer(CRect(0, 0, 100, 100));
    a->setVisible(false);
    b->setVisible(false);
    b->setBackgroundColor(kBlueCColor);
    view->addView(a);
    view->addView(b);
    screen.frame()->addView(view);
    view->setCurrentViewIndex(0);
    EXPECT_TRUE(a->isVisible());
    Animation::Animator* animator = screen.frame()->getAnimator();
    view->setCurrentViewIndex(0);
    EXPECT_EQ(animator->getAnimationCount(), 0u) << "same page: nothing starts";
    view->setCurrentViewIndex(2);
    view->setCurrentViewIndex(-1);
    EXPECT_EQ(view->getCurrentViewIndex(), 0) << "no such page";
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

    view->setAnimationTime(1);
    view->setCurrentViewIndex(0);
    EXPECT_EQ(animator->getAnimationCount(), 1u) << "one millisecond is still a fade";
    screen.io()->advanceTime(20);
    view->setAnimationTime(0);
    view->setCurrentViewIndex(1);
    EXPECT_TRUE(b->isVisible()) << "without animation the page shows at once";
    EXPECT_FALSE(a->getVisibleFlag());
    screen.io()->advanceTime(1);
    EXPECT_EQ(screen.io()->getPixel(50, 50), kBlueCColor) << "and is drawn";
}

TEST(TSRASwitchView, PushInSlidesBothPagesAndPutsThemBack)
{
    // Style: new page comes from the left, right, top, bottom; at half way it is half in.
    const CPoint halfWay[] = {{-50, 0}, {50, 0}, {0, -20}, {0, 20}};
    for (int32_t style = 1; style <= 4; ++style) {
        CView oldPage(CRect(0, 0, 100, 40)), newPage(CRect(0, 0, 100, 40));
        {
            CExchangeViewAnimation push(&oldPage, &newPage, style);
            push.animationStart(nullptr, "");
            push.animationTick(nullptr, "", 0.5f);
            const CPoint d = halfWay[style - 1];
            EXPECT_EQ(newPage.getViewSize(), CRect(d.x, d.y, 100 + d.x, 40 + d.y)) << style;
            EXPECT_EQ(oldPage.getViewSize(), CRect(-d.x, -d.y, 100 - d.x, 40 - d.y)) << style;
            push.animationTick(nullptr, "", 0.25f);
            EXPECT_EQ(oldPage.getViewSize().left, -d.x / 2) << style;
            push.animationFinished(nullptr, "", false);
            EXPECT_EQ(oldPage.getNbReference(), 2);
        }
        EXPECT_EQ(oldPage.getNbReference(), 1) << "the animation lets both pages go";
        EXPECT_EQ(newPage.getNbReference(), 1);
        EXPECT_EQ(newPage.getViewSize(), CRect(0, 0, 100, 40)) << style;
        EXPECT_EQ(oldPage.getViewSize(), CRect(0, 0, 100, 40)) << style;
        EXPECT_FALSE(oldPage.getVisibleFlag());
        EXPECT_TRUE(newPage.getVisibleFlag());
    }
}
