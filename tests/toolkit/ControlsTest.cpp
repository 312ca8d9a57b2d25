// Switches, buttons, sliders, XY pad, option menu, segment button and text edit: what a click,
// drag, wheel or key does to their value, what they report, and what they show.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using tktest::colorNear;
using tktest::OffscreenScreen;
using tktest::RecordingListener;
using Events = std::vector<std::string>;

namespace {

SharedPointer<CBitmap> image(const char* name)
{
    SharedPointer<CBitmap> b(new CBitmap(CResourceDescription(name)));
    b->forget();
    return b;
}

template <class T>
T* add(OffscreenScreen& s, T* view)
{
    s.frame()->addView(view);
    s.io()->flush();
    return view;
}

VstKeyCode key(int32_t character, unsigned char virt = 0)
{
    VstKeyCode k;
    k.character = character;
    k.virt = virt;
    return k;
}

}  // namespace

TEST(ToolkitSwitch, SwitchesStepThroughThePositionUnderThePointer)
{
    RecordingListener l;
    OffscreenScreen s(60, 60);
    auto* sw = add(s, new CHorizontalSwitch(CRect(0, 0, 40, 10), &l, 11, 4, 10, 4, image("STRIP4.PNG")));
    sw->setMax(3);
    const struct {
        CCoord x;
        float value;
        CColor shown;
    } steps[] = {{25, 2, kBlueCColor}, {5, 0, kRedCColor}, {39, 3, kYellowCColor}, {12, 1, kGreenCColor}};
    for (const auto& st : steps) {
        s.io()->click(CPoint(st.x, 5));
        EXPECT_FLOAT_EQ(sw->getValue(), st.value) << "click at " << st.x;
        EXPECT_TRUE(colorNear(s.pixel(2, 2), st.shown)) << "click at " << st.x;
    }
    EXPECT_EQ(l.events, (Events{"begin", "change 2.000", "end", "begin", "change 0.000", "end", "begin",
                                "change 3.000", "end", "begin", "change 1.000", "end"}));
    l.events.clear();
    s.io()->click(CPoint(15, 5));
    EXPECT_EQ(l.events, (Events{"begin", "end"})) << "the same position: an edit without a change";
    s.io()->drag(CPoint(2, 5), CPoint(38, 5), kLButton, 3);
    EXPECT_FLOAT_EQ(sw->getValue(), 3.f);
    // The wheel moves one position per notch, within the ends.
    s.io()->wheel(CPoint(20, 5), -1.f);
    EXPECT_FLOAT_EQ(sw->getValue(), 2.f);
    s.io()->wheel(CPoint(20, 5), 1.f);
    s.io()->wheel(CPoint(20, 5), 1.f);
    EXPECT_FLOAT_EQ(sw->getValue(), 3.f);

    // A vertical one on the vertical axis, with normalised values.
    auto* vsw = add(s, new CVerticalSwitch(CRect(45, 10, 55, 50), &l, 2, 4, 10, 4, image("STRIP4.PNG")));
    s.io()->click(CPoint(50, 25));
    EXPECT_NEAR(vsw->getValue(), 1.f / 3.f, 1e-6);
    EXPECT_TRUE(colorNear(s.pixel(50, 15), kGreenCColor));
    s.io()->click(CPoint(50, 49));
    EXPECT_FLOAT_EQ(vsw->getValue(), 1.f);
}

TEST(ToolkitButtons, OnOffTogglesAndKickIsOnWhilePressed)
{
    RecordingListener l;
    OffscreenScreen s(40, 40);
    auto* b = add(s, new COnOffButton(CRect(10, 10, 20, 20), &l, 14, image("TWO.PNG")));
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kBlackCColor));
    s.io()->click(CPoint(15, 15));
    EXPECT_FLOAT_EQ(b->getValue(), 1.f);
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kWhiteCColor));
    s.io()->click(CPoint(15, 15));
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kBlackCColor));
    EXPECT_EQ(l.events, (Events{"begin", "change 1.000", "end", "begin", "change 0.000", "end"}));
    s.frame()->setFocusView(b);
    s.io()->keyDown(key(0, VKEY_RETURN));
    EXPECT_FLOAT_EQ(b->getValue(), 1.f) << "Return toggles the focused button";

    l.events.clear();
    auto* k = add(s, new CKickButton(CRect(20, 20, 30, 30), &l, 20, 10, image("TWO.PNG")));
    s.io()->mouseDown(CPoint(25, 25));
    EXPECT_FLOAT_EQ(k->getValue(), 1.f);
    EXPECT_TRUE(colorNear(s.pixel(25, 25), kWhiteCColor));
    EXPECT_EQ(l.events, (Events{"begin"}));
    s.io()->mouseUp(CPoint(25, 25));
    EXPECT_TRUE(colorNear(s.pixel(25, 25), kBlackCColor));
    EXPECT_EQ(l.events, (Events{"begin", "change 1.000", "change 0.000", "end"}));
    // Dragged off before the release: only the release is reported.
    l.events.clear();
    s.io()->mouseDown(CPoint(25, 25));
    s.io()->mouseMove(CPoint(35, 35), kLButton);
    EXPECT_FLOAT_EQ(k->getValue(), 0.f);
    s.io()->mouseUp(CPoint(35, 35));
    EXPECT_EQ(l.events, (Events{"begin", "change 0.000", "end"}));
}

TEST(ToolkitSlider, TouchModeGrabsOnlyTheHandleAndTheDefaultModifierResets)
{
    RecordingListener l;
    OffscreenScreen s(120, 40);
    // 110 wide with a 10 px handle: 100 px of travel.
    auto* sl = add(s, new CHorizontalSlider(CRect(0, 0, 110, 10), &l, 5, CPoint(0, 0), 100, image("HANDLE.PNG"), nullptr));
    EXPECT_EQ(sl->getMode(), CSlider::kTouchMode);
    EXPECT_TRUE(colorNear(s.pixel(5, 5), kMagentaCColor));
    s.io()->click(CPoint(50, 5));  // beside the handle
    EXPECT_FLOAT_EQ(sl->getValue(), 0.f);
    EXPECT_TRUE(l.events.empty());
    s.io()->mouseDown(CPoint(8, 5));  // near the handle's right edge: no jump
    EXPECT_FLOAT_EQ(sl->getValue(), 0.f);
    s.io()->mouseMove(CPoint(58, 5), kLButton);
    s.io()->mouseUp(CPoint(58, 5));
    EXPECT_EQ(l.events, (Events{"begin", "change 0.500", "end"}));
    EXPECT_TRUE(colorNear(s.pixel(55, 5), kMagentaCColor));
    EXPECT_TRUE(colorNear(s.pixel(45, 5), kWhiteCColor));

    l.events.clear();
    sl->setDefaultValue(0.3f);
    s.io()->click(CPoint(55, 5), kLButton | kControl);
    EXPECT_FLOAT_EQ(sl->getValue(), 0.3f);
    EXPECT_EQ(l.events, (Events{"modifier", "begin", "change 0.300", "end"}));
}

TEST(ToolkitSlider, FreeClickJumpsTheZoomModifierSlowsAndVerticalHasItsMinimumAtTheBottom)
{
    OffscreenScreen s(120, 120);
    auto* sl = add(s, new CHorizontalSlider(CRect(0, 0, 110, 10), nullptr, 5, CPoint(0, 0), 100, image("HANDLE.PNG"), nullptr));
    sl->setMode(CSlider::kFreeClickMode);
    s.io()->click(CPoint(80, 5));  // handle centred on the pointer
    EXPECT_FLOAT_EQ(sl->getValue(), 0.75f);
    sl->setZoomFactor(10.f);
    s.io()->mouseDown(CPoint(80, 5));
    s.io()->mouseMove(CPoint(80, 5), kLButton | kShift);
    s.io()->mouseMove(CPoint(30, 5), kLButton | kShift);  // 50 px fine: 0.05
    EXPECT_NEAR(sl->getValue(), 0.70f, 1e-5);
    s.io()->mouseUp(CPoint(30, 5));

    auto* v = add(s, new CVerticalSlider(CRect(110, 10, 120, 120), nullptr, 5, CPoint(0, 0), 100, image("HANDLE.PNG"), nullptr));
    EXPECT_TRUE(colorNear(s.pixel(115, 115), kMagentaCColor));
    s.io()->drag(CPoint(115, 115), CPoint(115, 65), kLButton, 2);
    EXPECT_FLOAT_EQ(v->getValue(), 0.5f);
    s.io()->drag(CPoint(115, 65), CPoint(115, -40), kLButton, 2);
    EXPECT_FLOAT_EQ(v->getValue(), 1.f);
    EXPECT_TRUE(colorNear(s.pixel(115, 15), kMagentaCColor));
    v->setValue(0.5f);
    v->setWheelInc(0.1f);
    s.io()->wheel(CPoint(115, 60), 1.f);
    EXPECT_NEAR(v->getValue(), 0.6f, 1e-6) << "wheel up raises it";
}

TEST(ToolkitXYPad, PacksBothAxesIntoOneValueAndDragsWithinThePad)
{
    for (float x : {0.f, 0.001f, 0.25f, 0.5f, 0.999f, 1.f})
        for (float y : {0.f, 0.002f, 0.3f, 0.75f, 1.f}) {
            float ox = -1, oy = -1;
            CXYPad::calculateXY(CXYPad::calculateValue(x, y), ox, oy);
            EXPECT_NEAR(ox, x, 1e-6) << x << "," << y;
            EXPECT_NEAR(oy, y, 0.0015) << x << "," << y;
        }
    RecordingListener l;
    OffscreenScreen s(120, 120);
    auto* pad = add(s, new CXYPad(CRect(0, 0, 110, 110)));
    pad->setListener(&l);
    pad->setRoundRectRadius(10);  // the handle: 100 px of travel on both axes
    s.io()->mouseDown(CPoint(55, 30));
    float x, y;
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.5f, 1e-6);
    EXPECT_NEAR(y, 0.25f, 0.0015);
    s.io()->mouseMove(CPoint(500, -20), kLButton);  // beyond the corner: limited
    s.io()->mouseUp(CPoint(500, -20));
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_FLOAT_EQ(x, 1.f);
    EXPECT_FLOAT_EQ(y, 0.f);
    EXPECT_EQ(l.events.front(), "begin");
    EXPECT_EQ(l.events.back(), "end");
}
