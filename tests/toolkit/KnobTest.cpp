// Knob mouse handling in its three modes, modifier keys, default reset and the wheel.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using tktest::KnobModeEditor;
using tktest::OffscreenScreen;
using tktest::RecordingListener;
using Events = std::vector<std::string>;

namespace {

// A 40 x 40 knob at (10, 10): centre (30, 30).
struct KnobRig
{
    explicit KnobRig(int32_t mode = -1) : editor(mode), screen(80, 80, &editor)
    {
        knob = new CKnob(CRect(10, 10, 50, 50), &listener, 3, nullptr, nullptr);
        knob->setValue(0.5f);
        knob->setDefaultValue(0.25f);
        screen.frame()->addView(knob);
    }
    RecordingListener listener;
    KnobModeEditor editor;
    OffscreenScreen screen;
    CKnob* knob;
    OffscreenFrame* io() const { return screen.io(); }
};

}  // namespace

TEST(ToolkitKnob, LinearDragReportsBeginEachChangeAndEnd)
{
    KnobRig rig(kLinearMode);
    rig.io()->drag(CPoint(30, 30), CPoint(30, 10), kLButton, 4);  // 20 px up of 200
    EXPECT_EQ(rig.listener.events,
              (Events{"begin", "change 0.525", "change 0.550", "change 0.575", "change 0.600", "end"}));
    EXPECT_FALSE(rig.knob->isEditing());

    // Right counts like up, left like down.
    rig.listener.events.clear();
    rig.io()->drag(CPoint(30, 30), CPoint(10, 30), kLButton, 1);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.5f);
    // Beyond the range the value stops at the maximum.
    rig.io()->drag(CPoint(30, 30), CPoint(30, -300), kLButton, 2);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
}

TEST(ToolkitKnob, ZoomModifierMakesLinearDragsFinerWithoutJumps)
{
    KnobRig rig(kLinearMode);
    rig.knob->setZoomFactor(10.f);
    rig.io()->drag(CPoint(30, 30), CPoint(30, 10), kLButton | kShift, 2);
    EXPECT_NEAR(rig.knob->getValue(), 0.51f, 1e-5);

    // Pressing the modifier in the middle of a drag keeps the value where it is.
    rig.knob->setValue(0.5f);
    rig.io()->mouseDown(CPoint(30, 30));
    rig.io()->mouseMove(CPoint(30, 20), kLButton);  // 10 px coarse: 0.55
    EXPECT_NEAR(rig.knob->getValue(), 0.55f, 1e-5);
    rig.io()->mouseMove(CPoint(30, 10), kLButton | kShift);  // 10 px fine: +0.005
    EXPECT_NEAR(rig.knob->getValue(), 0.555f, 1e-5);
    rig.io()->mouseMove(CPoint(30, 0), kLButton);  // back to coarse: +0.05
    EXPECT_NEAR(rig.knob->getValue(), 0.605f, 1e-5);
    rig.io()->mouseUp(CPoint(30, 0));
}

TEST(ToolkitKnob, CircularModeFollowsThePointerAngleAndPinsAcrossTheGap)
{
    KnobRig rig;  // no editor mode: circular
    rig.io()->mouseDown(CPoint(30, 11));  // straight up: the middle of the range
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.5f);
    rig.io()->mouseMove(CPoint(49, 30), kLButton);  // right: 90 degrees of 270 past the middle
    EXPECT_NEAR(rig.knob->getValue(), 0.5f + 1.f / 3.f, 1e-4);
    rig.io()->mouseMove(CPoint(30, 49), kLButton);  // straight down, in the gap: stays at the maximum
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
    rig.io()->mouseMove(CPoint(11, 45), kLButton);  // across the gap to the start side: still pinned
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
    rig.io()->mouseMove(CPoint(11, 30), kLButton);  // far from the last accepted angle: pinned
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
    rig.io()->mouseMove(CPoint(49, 30), kLButton);  // back on the near side: follows again
    EXPECT_NEAR(rig.knob->getValue(), 0.5f + 1.f / 3.f, 1e-4);
    rig.io()->mouseMove(CPoint(30, 11), kLButton);
    rig.io()->mouseMove(CPoint(11, 30), kLButton);
    EXPECT_NEAR(rig.knob->getValue(), 0.5f - 1.f / 3.f, 1e-4);
    rig.io()->mouseUp(CPoint(11, 30));
    EXPECT_EQ(rig.listener.events.front(), "begin");
    EXPECT_EQ(rig.listener.events.back(), "end");
}

TEST(ToolkitKnob, RelativeCircularModeAddsTheAngleMoved)
{
    KnobRig rig(kRelativCircularMode);
    rig.knob->setValue(0.7f);
    rig.io()->mouseDown(CPoint(49, 30));  // right: no jump
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.7f);
    rig.io()->mouseMove(CPoint(30, 11), kLButton);  // a quarter turn back: one third of the range
    EXPECT_NEAR(rig.knob->getValue(), 0.7f - 1.f / 3.f, 1e-4);
    rig.io()->mouseUp(CPoint(30, 11));
    EXPECT_EQ(rig.listener.events.size(), 3u);
}

TEST(ToolkitKnob, AltSwapsLinearAndCircular)
{
    KnobRig linear(kLinearMode);
    linear.io()->mouseDown(CPoint(49, 30), kLButton | kAlt);  // circular: jumps to the angle
    EXPECT_NEAR(linear.knob->getValue(), 0.5f + 1.f / 3.f, 1e-4);
    linear.io()->mouseUp(CPoint(49, 30));

    KnobRig circular(kCircularMode);
    circular.io()->mouseDown(CPoint(49, 30), kLButton | kAlt);  // linear: no jump
    EXPECT_FLOAT_EQ(circular.knob->getValue(), 0.5f);
    circular.io()->mouseMove(CPoint(49, 10), kLButton | kAlt);
    EXPECT_NEAR(circular.knob->getValue(), 0.6f, 1e-5);
    circular.io()->mouseUp(CPoint(49, 10));
}

TEST(ToolkitKnob, DefaultModifierClickResetsAsOneEdit)
{
    KnobRig rig(kLinearMode);
    rig.knob->setValue(0.8f);
    rig.io()->click(CPoint(30, 30), kLButton | kControl);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.25f);
    EXPECT_EQ(rig.listener.events, (Events{"modifier", "begin", "change 0.250", "end"}));

    // At the default already: an edit without a change.
    rig.listener.events.clear();
    rig.io()->click(CPoint(30, 30), kLButton | kControl);
    EXPECT_EQ(rig.listener.events, (Events{"modifier", "begin", "end"}));

    // Control with another modifier is not the reset.
    rig.knob->setValue(0.8f);
    rig.io()->click(CPoint(30, 30), kLButton | kControl | kShift);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.8f);

    // A listener that consumes the modifier click keeps the knob from seeing it.
    rig.listener.events.clear();
    rig.listener.modifierAnswer = 1;
    rig.io()->click(CPoint(30, 30), kLButton | kControl);
    EXPECT_EQ(rig.listener.events, (Events{"modifier"}));
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.8f);
}

TEST(ToolkitKnob, RightButtonAloneDoesNotEdit)
{
    KnobRig rig(kLinearMode);
    rig.io()->drag(CPoint(30, 30), CPoint(30, 0), kRButton, 2);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.5f);
    EXPECT_EQ(rig.listener.events, (Events{"modifier"}));
}

TEST(ToolkitKnob, WheelStepsByTheWheelIncrement)
{
    KnobRig rig(kLinearMode);
    rig.knob->setWheelInc(0.1f);
    EXPECT_TRUE(rig.io()->wheel(CPoint(30, 30), 1.f));
    EXPECT_NEAR(rig.knob->getValue(), 0.6f, 1e-5);
    EXPECT_EQ(rig.listener.events, (Events{"begin", "change 0.600", "end"}));
    rig.io()->wheel(CPoint(30, 30), -1.f, kShift);
    EXPECT_NEAR(rig.knob->getValue(), 0.59f, 1e-5);
    for (int i = 0; i < 20; ++i)
        rig.io()->wheel(CPoint(30, 30), 1.f);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
    // Outside the knob the wheel does nothing to it.
    EXPECT_FALSE(rig.io()->wheel(CPoint(70, 70), -1.f));
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
}

TEST(ToolkitKnob, ControlReportsTagChanges)
{
    KnobRig rig;
    rig.knob->setTag(9);
    EXPECT_EQ(rig.listener.events, (Events{"tag will 3", "tag did 9"}));
}

namespace {
// Alt resets and Control fine-tunes, as an editor's own knob may choose.
class AltResetKnob : public CKnob
{
public:
    using CKnob::CKnob;
    int32_t getZoomModifier() const override { return kControl; }
    int32_t getDefaultValueModifier() const override { return kAlt; }
};
}  // namespace

TEST(ToolkitKnob, SubclassesMayChooseTheResetAndFineKeys)
{
    RecordingListener listener;
    KnobModeEditor editor(kLinearMode);
    OffscreenScreen screen(80, 80, &editor);
    auto* knob = new AltResetKnob(CRect(10, 10, 50, 50), &listener, 3, nullptr, nullptr);
    knob->setValue(0.5f);
    knob->setDefaultValue(0.25f);
    knob->setZoomFactor(10.f);
    screen.frame()->addView(knob);
    screen.io()->click(CPoint(30, 30), kLButton | kControl);  // not a reset any more
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    screen.io()->drag(CPoint(30, 30), CPoint(30, 10), kLButton | kControl, 2);  // fine
    EXPECT_NEAR(knob->getValue(), 0.51f, 1e-5);
    screen.io()->click(CPoint(30, 30), kLButton | kAlt);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
}
