// Knob mouse handling in its three modes, modifier keys, default reset and the wheel. (Keys a
// subclass chooses for reset and fine moves are tested with the editor's knob.)
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
        knob->setZoomFactor(10.f);
        screen.frame()->addView(knob);
    }
    RecordingListener listener;
    KnobModeEditor editor;
    OffscreenScreen screen;
    CKnob* knob;
    OffscreenFrame* io() const { return screen.io(); }
};

}  // namespace

TEST(ToolkitKnob, PointerMovesGiveTheValueOfTheirMode)
{
    // From 0.5, pressed at the first point, moved through the others, all with the same buttons.
    struct Case {
        int32_t m_nMode;  // -1: no editor mode, circular
        int32_t m_nButtons;
        std::vector<CPoint> m_Path;
        float m_fValue;
    } cases[] = {
        {kLinearMode, kLButton, {{30, 30}, {30, 10}}, 0.6f},              // 20 px up of 200
        {kLinearMode, kLButton, {{30, 30}, {50, 30}}, 0.6f},              // right counts like up
        {kLinearMode, kLButton, {{30, 30}, {30, -300}}, 1.0f},            // stops at the maximum
        {kLinearMode, kLButton | kShift, {{30, 30}, {30, 10}}, 0.51f},    // the zoom key: ten times finer
        {kLinearMode, kRButton, {{30, 30}, {30, 0}}, 0.5f},               // the right button alone does not edit
        {kLinearMode, kLButton | kAlt, {{49, 30}}, 0.5f + 1.f / 3.f},     // Alt: circular, jumps to the angle
        {kCircularMode, kLButton | kAlt, {{49, 30}, {49, 10}}, 0.6f},     // Alt: linear, no jump
        {-1, kLButton, {{30, 11}}, 0.5f},                                 // straight up: the middle
        {-1, kLButton, {{30, 11}, {49, 30}}, 0.5f + 1.f / 3.f},           // a quarter turn of 270 degrees
        {-1, kLButton, {{30, 11}, {49, 30}, {30, 49}, {11, 45}, {11, 30}}, 1.0f},  // pinned across the gap
        {-1, kLButton, {{30, 11}, {49, 30}, {30, 49}, {49, 30}}, 0.5f + 1.f / 3.f},  // follows again on the near side
        {-1, kLButton, {{30, 11}, {11, 30}}, 0.5f - 1.f / 3.f},
        {kRelativCircularMode, kLButton, {{49, 30}}, 0.5f},                 // no jump
        {kRelativCircularMode, kLButton, {{49, 30}, {30, 11}}, 0.5f - 1.f / 3.f},  // adds the angle moved
    };
    for (const Case& c : cases) {
        KnobRig rig(c.m_nMode);
        rig.io()->mouseDown(c.m_Path.front(), c.m_nButtons);
        for (size_t i = 1; i < c.m_Path.size(); ++i)
            rig.io()->mouseMove(c.m_Path[i], c.m_nButtons);
        rig.io()->mouseUp(c.m_Path.back(), c.m_nButtons);
        EXPECT_NEAR(rig.knob->getValue(), c.m_fValue, 1e-4) << "mode " << c.m_nMode << " buttons " << c.m_nButtons
                                                           << " to " << c.m_Path.back().x << "," << c.m_Path.back().y;
        EXPECT_FALSE(rig.knob->isEditing());
    }
}

TEST(ToolkitKnob, LinearDragsReportEachChangeAndTheZoomKeyMidwayMakesNoJump)
{
    KnobRig rig(kLinearMode);
    rig.io()->drag(CPoint(30, 30), CPoint(30, 10), kLButton, 4);
    EXPECT_EQ(rig.listener.events, (Events{"begin", "change 0.525", "change 0.550", "change 0.575", "change 0.600", "end"}));
    rig.knob->setValue(0.5f);
    rig.io()->mouseDown(CPoint(30, 30));
    rig.io()->mouseMove(CPoint(30, 20), kLButton);  // 10 px coarse: 0.55
    rig.io()->mouseMove(CPoint(30, 10), kLButton | kShift);  // 10 px fine: +0.005
    EXPECT_NEAR(rig.knob->getValue(), 0.555f, 1e-5);
    rig.io()->mouseMove(CPoint(30, 0), kLButton);  // back to coarse: +0.05
    EXPECT_NEAR(rig.knob->getValue(), 0.605f, 1e-5);
    rig.io()->mouseUp(CPoint(30, 0));
}

TEST(ToolkitKnob, DefaultModifierClickResetsAsOneEditUnlessTheListenerTakesIt)
{
    KnobRig rig(kLinearMode);
    rig.knob->setValue(0.8f);
    rig.io()->click(CPoint(30, 30), kLButton | kControl);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.25f);
    rig.io()->click(CPoint(30, 30), kLButton | kControl);  // at the default already: no change
    EXPECT_EQ(rig.listener.events, (Events{"modifier", "begin", "change 0.250", "end", "modifier", "begin", "end"}));
    rig.knob->setValue(0.8f);
    rig.io()->click(CPoint(30, 30), kLButton | kControl | kShift);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.8f) << "Control with another modifier is not the reset";
    rig.listener.events.clear();
    rig.listener.modifierAnswer = 1;
    rig.io()->click(CPoint(30, 30), kLButton | kControl);
    EXPECT_EQ(rig.listener.events, (Events{"modifier"}));
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 0.8f);
}

TEST(ToolkitKnob, WheelStepsByTheWheelIncrementAndTagChangesAreReported)
{
    KnobRig rig(kLinearMode);
    rig.knob->setWheelInc(0.1f);
    EXPECT_TRUE(rig.io()->wheel(CPoint(30, 30), 1.f));
    EXPECT_NEAR(rig.knob->getValue(), 0.6f, 1e-5);
    rig.io()->wheel(CPoint(30, 30), -1.f, kShift);
    EXPECT_NEAR(rig.knob->getValue(), 0.59f, 1e-5);
    for (int i = 0; i < 20; ++i)
        rig.io()->wheel(CPoint(30, 30), 1.f);
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
    EXPECT_FALSE(rig.io()->wheel(CPoint(70, 70), -1.f)) << "outside the knob";
    EXPECT_FLOAT_EQ(rig.knob->getValue(), 1.f);
    rig.listener.events.clear();
    rig.knob->setTag(9);
    EXPECT_EQ(rig.listener.events, (Events{"tag will 3", "tag did 9"}));
}
