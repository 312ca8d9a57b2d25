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

CBitmap* image(const char* name) { return new CBitmap(CResourceDescription(name)); }

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

TEST(ToolkitSwitch, HorizontalSwitchStepsThroughItsPositions)
{
    RecordingListener l;
    OffscreenScreen s(60, 60);
    SharedPointer<CBitmap> strip(image("STRIP4.PNG"));
    strip->forget();
    auto* sw = add(s, new CHorizontalSwitch(CRect(0, 0, 40, 10), &l, 11, 4, 10, 4, strip));
    sw->setMin(0);
    sw->setMax(3);
    const struct
    {
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
    // The same position again: an edit without a change.
    l.events.clear();
    s.io()->click(CPoint(15, 5));
    EXPECT_EQ(l.events, (Events{"begin", "end"}));
    // A drag follows the pointer across positions.
    s.io()->drag(CPoint(2, 5), CPoint(38, 5), kLButton, 3);
    EXPECT_FLOAT_EQ(sw->getValue(), 3.f);
    // The wheel moves one position per notch, within the ends.
    s.io()->wheel(CPoint(20, 5), -1.f);
    EXPECT_FLOAT_EQ(sw->getValue(), 2.f);
    s.io()->wheel(CPoint(20, 5), 1.f);
    s.io()->wheel(CPoint(20, 5), 1.f);
    EXPECT_FLOAT_EQ(sw->getValue(), 3.f);
}

TEST(ToolkitSwitch, VerticalSwitchUsesTheVerticalAxisAndNormalisedValues)
{
    RecordingListener l;
    OffscreenScreen s(60, 60);
    SharedPointer<CBitmap> strip(image("STRIP4.PNG"));
    strip->forget();
    auto* sw = add(s, new CVerticalSwitch(CRect(20, 10, 30, 50), &l, 2, 4, 10, 4, strip));
    s.io()->click(CPoint(25, 25));  // second quarter
    EXPECT_NEAR(sw->getValue(), 1.f / 3.f, 1e-6);
    EXPECT_TRUE(colorNear(s.pixel(25, 15), kGreenCColor));
    s.io()->click(CPoint(25, 49));
    EXPECT_FLOAT_EQ(sw->getValue(), 1.f);
    s.io()->click(CPoint(5, 49));  // outside
    EXPECT_FLOAT_EQ(sw->getValue(), 1.f);
}

TEST(ToolkitButtons, OnOffButtonTogglesAndShowsItsState)
{
    RecordingListener l;
    OffscreenScreen s(40, 40);
    SharedPointer<CBitmap> two(image("TWO.PNG"));
    two->forget();
    auto* b = add(s, new COnOffButton(CRect(10, 10, 20, 20), &l, 14, two));
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kBlackCColor));
    s.io()->click(CPoint(15, 15));
    EXPECT_FLOAT_EQ(b->getValue(), 1.f);
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kWhiteCColor));
    s.io()->click(CPoint(15, 15));
    EXPECT_FLOAT_EQ(b->getValue(), 0.f);
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kBlackCColor));
    EXPECT_EQ(l.events, (Events{"begin", "change 1.000", "end", "begin", "change 0.000", "end"}));
    // Return toggles too, when the button has the focus.
    s.frame()->setFocusView(b);
    s.io()->keyDown(key(0, VKEY_RETURN));
    EXPECT_FLOAT_EQ(b->getValue(), 1.f);
}

TEST(ToolkitButtons, KickButtonIsOnWhilePressedAndReportsOnRelease)
{
    RecordingListener l;
    OffscreenScreen s(40, 40);
    SharedPointer<CBitmap> two(image("TWO.PNG"));
    two->forget();
    auto* b = add(s, new CKickButton(CRect(10, 10, 20, 20), &l, 20, 10, two));
    s.io()->mouseDown(CPoint(15, 15));
    EXPECT_FLOAT_EQ(b->getValue(), 1.f);
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kWhiteCColor));
    EXPECT_EQ(l.events, (Events{"begin"}));
    s.io()->mouseUp(CPoint(15, 15));
    EXPECT_FLOAT_EQ(b->getValue(), 0.f);
    EXPECT_TRUE(colorNear(s.pixel(15, 15), kBlackCColor));
    EXPECT_EQ(l.events, (Events{"begin", "change 1.000", "change 0.000", "end"}));

    // Dragged off before the release: only the release is reported.
    l.events.clear();
    s.io()->mouseDown(CPoint(15, 15));
    s.io()->mouseMove(CPoint(35, 35), kLButton);
    EXPECT_FLOAT_EQ(b->getValue(), 0.f);
    s.io()->mouseUp(CPoint(35, 35));
    EXPECT_EQ(l.events, (Events{"begin", "change 0.000", "end"}));
}

TEST(ToolkitSlider, TouchModeGrabsOnlyTheHandleAndNeverJumps)
{
    RecordingListener l;
    OffscreenScreen s(120, 40);
    SharedPointer<CBitmap> handle(image("HANDLE.PNG"));
    handle->forget();
    // 110 wide with a 10 px handle: 100 px of travel.
    auto* sl = add(s, new CHorizontalSlider(CRect(0, 0, 110, 10), &l, 5, CPoint(0, 0), 100, handle, nullptr));
    EXPECT_EQ(sl->getMode(), CSlider::kTouchMode);
    EXPECT_TRUE(colorNear(s.pixel(5, 5), kMagentaCColor));
    s.io()->click(CPoint(50, 5));  // beside the handle
    EXPECT_FLOAT_EQ(sl->getValue(), 0.f);
    EXPECT_TRUE(l.events.empty());

    s.io()->mouseDown(CPoint(8, 5));  // near the handle's right edge
    EXPECT_FLOAT_EQ(sl->getValue(), 0.f);
    s.io()->mouseMove(CPoint(58, 5), kLButton);
    EXPECT_FLOAT_EQ(sl->getValue(), 0.5f);
    s.io()->mouseUp(CPoint(58, 5));
    EXPECT_EQ(l.events, (Events{"begin", "change 0.500", "end"}));
    EXPECT_TRUE(colorNear(s.pixel(55, 5), kMagentaCColor));
    EXPECT_TRUE(colorNear(s.pixel(45, 5), kWhiteCColor));
}

TEST(ToolkitSlider, FreeClickJumpsAndTheZoomModifierSlowsDown)
{
    OffscreenScreen s(120, 40);
    SharedPointer<CBitmap> handle(image("HANDLE.PNG"));
    handle->forget();
    auto* sl = add(s, new CHorizontalSlider(CRect(0, 0, 110, 10), nullptr, 5, CPoint(0, 0), 100, handle, nullptr));
    sl->setMode(CSlider::kFreeClickMode);
    s.io()->click(CPoint(80, 5));  // handle centred on the pointer
    EXPECT_FLOAT_EQ(sl->getValue(), 0.75f);

    sl->setZoomFactor(10.f);
    s.io()->mouseDown(CPoint(80, 5));
    s.io()->mouseMove(CPoint(80, 5), kLButton | kShift);
    s.io()->mouseMove(CPoint(30, 5), kLButton | kShift);  // 50 px fine: 0.05
    EXPECT_NEAR(sl->getValue(), 0.70f, 1e-5);
    s.io()->mouseUp(CPoint(30, 5));
}

TEST(ToolkitSlider, VerticalSliderHasItsMinimumAtTheBottom)
{
    OffscreenScreen s(40, 120);
    SharedPointer<CBitmap> handle(image("HANDLE.PNG"));
    handle->forget();
    auto* sl = add(s, new CVerticalSlider(CRect(0, 0, 10, 110), nullptr, 5, CPoint(0, 0), 100, handle, nullptr));
    EXPECT_TRUE(colorNear(s.pixel(5, 105), kMagentaCColor));
    s.io()->drag(CPoint(5, 105), CPoint(5, 55), kLButton, 2);
    EXPECT_FLOAT_EQ(sl->getValue(), 0.5f);
    s.io()->drag(CPoint(5, 55), CPoint(5, -40), kLButton, 2);
    EXPECT_FLOAT_EQ(sl->getValue(), 1.f);
    EXPECT_TRUE(colorNear(s.pixel(5, 5), kMagentaCColor));
    // Wheel up raises it, within range.
    sl->setValue(0.5f);
    sl->setWheelInc(0.1f);
    s.io()->wheel(CPoint(5, 50), 1.f);
    EXPECT_NEAR(sl->getValue(), 0.6f, 1e-6);
}

TEST(ToolkitSlider, DefaultModifierClickOnTheHandleResets)
{
    RecordingListener l;
    OffscreenScreen s(120, 40);
    SharedPointer<CBitmap> handle(image("HANDLE.PNG"));
    handle->forget();
    auto* sl = add(s, new CHorizontalSlider(CRect(0, 0, 110, 10), &l, 5, CPoint(0, 0), 100, handle, nullptr));
    sl->setDefaultValue(0.3f);
    sl->setValue(0.5f);
    s.io()->click(CPoint(55, 5), kLButton | kControl);
    EXPECT_FLOAT_EQ(sl->getValue(), 0.3f);
    EXPECT_EQ(l.events, (Events{"modifier", "begin", "change 0.300", "end"}));
}

TEST(ToolkitXYPad, PacksBothAxesIntoOneValue)
{
    for (float x : {0.f, 0.001f, 0.25f, 0.5f, 0.999f, 1.f})
        for (float y : {0.f, 0.002f, 0.3f, 0.75f, 1.f}) {
            float ox = -1, oy = -1;
            CXYPad::calculateXY(CXYPad::calculateValue(x, y), ox, oy);
            EXPECT_NEAR(ox, x, 1e-6) << x << "," << y;
            EXPECT_NEAR(oy, y, 0.0015) << x << "," << y;
        }
}

TEST(ToolkitXYPad, DragSetsBothAxesInsideThePad)
{
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

TEST(ToolkitOptionMenu, ClickOpensTheListAndAChoiceSetsTheIndex)
{
    RecordingListener l;
    OffscreenScreen s(120, 120);
    auto* menu = add(s, new COptionMenu(CRect(0, 0, 60, 20), &l, 8));
    menu->addEntry("Type I");
    menu->addEntry("Type II");
    menu->addEntry("Type IV");
    EXPECT_FLOAT_EQ(menu->getMax(), 2.f);
    EXPECT_EQ(menu->getCurrent()->getTitle(), "Type I");

    s.io()->click(CPoint(30, 10));
    ASSERT_TRUE(menu->isPopupOpen());
    EXPECT_NE(s.frame()->getModalView(), nullptr);
    s.io()->click(CPoint(30, 20 + 18 * 2 + 5));  // third row below the menu
    EXPECT_FALSE(menu->isPopupOpen());
    EXPECT_EQ(s.frame()->getModalView(), nullptr);
    EXPECT_EQ(menu->getCurrentIndex(), 2);
    EXPECT_EQ(l.events, (Events{"begin", "change 2.000", "end"}));

    // A click outside the list closes it without a choice.
    l.events.clear();
    s.io()->click(CPoint(30, 10));
    ASSERT_TRUE(menu->isPopupOpen());
    s.io()->click(CPoint(110, 110));
    EXPECT_FALSE(menu->isPopupOpen());
    EXPECT_EQ(menu->getCurrentIndex(), 2);
    EXPECT_TRUE(l.events.empty());

    menu->removeAllEntry();
    EXPECT_EQ(menu->getNbEntries(), 0);
    EXPECT_EQ(menu->getCurrent(), nullptr);
    s.io()->click(CPoint(30, 10));
    EXPECT_FALSE(menu->isPopupOpen());
}

TEST(ToolkitSegmentButton, ClickSelectsTheSegmentUnderThePointer)
{
    RecordingListener l;
    OffscreenScreen s(100, 40);
    auto* seg = add(s, new CSegmentButton(CRect(0, 0, 90, 20), &l, 9));
    for (const char* n : {"Sine", "Random", "Off"})
        seg->addSegment({n});
    EXPECT_FLOAT_EQ(seg->getMax(), 2.f);
    s.io()->click(CPoint(45, 10));
    EXPECT_EQ(seg->getSelectedSegment(), 1u);
    s.io()->click(CPoint(85, 10));
    EXPECT_EQ(seg->getSelectedSegment(), 2u);
    s.io()->click(CPoint(85, 10));
    EXPECT_EQ(l.events, (Events{"begin", "change 1.000", "end", "begin", "change 2.000", "end"}));
    seg->setValue(7.f);  // limited to the segments
    EXPECT_EQ(seg->getSelectedSegment(), 2u);
}

TEST(ToolkitTextEdit, TypingCommitsOnReturnAndEscapeCancels)
{
    RecordingListener l;
    OffscreenScreen s(100, 60);
    auto* edit = add(s, new CTextEdit(CRect(0, 0, 80, 20), &l, 10, "5"));
    s.io()->click(CPoint(40, 10));
    EXPECT_EQ(s.frame()->getFocusView(), edit);
    ASSERT_TRUE(edit->isEditingText());
    s.io()->keyDown(key('1'));
    s.io()->keyDown(key('2'));
    s.io()->keyDown(key(0, VKEY_BACK));
    s.io()->keyDown(key('3'));
    EXPECT_EQ(edit->getText(), "5");  // not yet committed
    s.io()->keyDown(key(0, VKEY_RETURN));
    EXPECT_EQ(edit->getText(), "513");
    EXPECT_FALSE(edit->isEditingText());
    EXPECT_EQ(l.events, (Events{"begin", "change 0.000", "end"}));

    l.events.clear();
    s.io()->click(CPoint(40, 10));
    s.io()->keyDown(key('x'));
    s.io()->keyDown(key(0, VKEY_ESCAPE));
    EXPECT_EQ(edit->getText(), "513");
    EXPECT_EQ(l.events, (Events{"begin", "end"}));

    // Clicking elsewhere commits too.
    l.events.clear();
    s.io()->click(CPoint(40, 10));
    s.io()->keyDown(key('9'));
    s.io()->click(CPoint(90, 50));
    EXPECT_EQ(edit->getText(), "5139");
    EXPECT_EQ(s.frame()->getFocusView(), nullptr);
    EXPECT_EQ(l.events, (Events{"begin", "change 0.000", "end"}));
}
