// The editor on a tape engine, without the module: construction, value flow, timer.
#include "EditorHarness.h"

#include "CKickButtonWP.h"
#include "CKnobWP.h"
#include "CVuMeterWP.h"
#include "CXYPadWP.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

using namespace VSTGUI;

namespace {

// An engine that counts what the editor sends it and may offer a view of its own.
class CountingEngine : public CModDelayModule {
public:
    std::vector<int32_t> m_ControlChanges;
    std::vector<uint32_t> m_Messages;
    bool m_bTickFieldsClear = true;  // ticks use no field but the code
    std::string m_OfferFor;
    intptr_t onEditorMessage(EditorMessage* p) override
    {
        m_Messages.push_back(p->m_uMessageCode);
        if (p->m_uMessageCode == EditorTimerTick)
            m_bTickFieldsClear &= p->m_nControlTag == 0 && !p->m_pCustomViewName && !p->m_pEditor;
        if (p->m_uMessageCode == EditorCustomViewRequest && m_OfferFor == p->m_pCustomViewName)
            return reinterpret_cast<intptr_t>(new CView(CRect(p->m_nRect[0], p->m_nRect[1], p->m_nRect[2], p->m_nRect[3])));
        return CModDelayModule::onEditorMessage(p);
    }
    bool controlChanged(int32_t id) override
    {
        m_ControlChanges.push_back(id);
        return CModDelayModule::controlChanged(id);
    }
};

const char* kHissLabel =
    R"(<view class="CTextLabel" control-tag="Tape Hiss" origin="10, 540" size="120, 20" title=""/>)";

}  // namespace

TEST(EditorOpen, ShippedDescriptionMakesTheFrameAndItsViews)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(shippedDescription()));
    float w = 0, ht = 0;
    h.m_Editor.getSize(w, ht);
    EXPECT_EQ(w, 900.0f);
    EXPECT_EQ(ht, 568.0f);
    EXPECT_EQ(h.m_Editor.viewCount(), 34u);
    EXPECT_EQ(h.m_Editor.knobs().size(), 10u);
    EXPECT_EQ(h.m_Editor.meters().size(), 2u);
    EXPECT_EQ(h.m_Editor.horizontalSwitches().size(), 4u);
    EXPECT_EQ(h.m_Editor.onOffButtons().size(), 2u);
    EXPECT_EQ(h.m_Editor.containers().size(), 16u);
    EXPECT_EQ(h.m_Editor.getFrame()->getNbViews(), 34u);
    EXPECT_EQ(h.m_Editor.getKnobMode(), kLinearMode);
    // "AnalogMeterView_H251_Z7" with 9 LEDs.
    const CVuMeterWP* meter = h.m_Editor.meters().front();
    EXPECT_TRUE(meter->isAnalog());
    EXPECT_EQ(meter->frameHeight(), 251.0);
    EXPECT_EQ(meter->scaleZ(), 7.0);
    EXPECT_EQ(meter->frameCount(), 9.0);
    EXPECT_TRUE(h.m_Editor.timer()->isRunning());
    EXPECT_EQ(h.m_Editor.timer()->getFireTime(), 50u);
}

TEST(EditorOpen, KnobActionChoosesTheKnobMode)
{
    struct Case {
        const char* m_pAction;
        int32_t m_nMode;
    } cases[] = {{nullptr, kLinearMode}, {"0", kCircularMode}, {"1", kRelativCircularMode}, {"7", kLinearMode}};
    for (const Case& c : cases) {
        std::string text = shippedDescription();
        const std::string shipped = R"(<attributes KnobAction="2"/>)";
        text.replace(text.find(shipped), shipped.size(),
                     c.m_pAction ? std::string("<attributes KnobAction=\"") + c.m_pAction + "\"/>" : "");
        EditorHarness h;
        ASSERT_TRUE(h.open(text));
        EXPECT_EQ(h.m_Editor.getKnobMode(), c.m_nMode) << (c.m_pAction ? c.m_pAction : "absent");
    }
}

TEST(EditorOpen, FailedOpensLeaveNoCopiesBehind)
{
    EditorHarness h;
    const std::string good = shippedDescription();
    std::string noTemplate = good;
    noTemplate.replace(noTemplate.find("name=\"Editor\""), 13, "name=\"Other\"");
    std::string badSize = good;
    badSize.replace(badSize.find("size=\"900, 568\""), 15, "size=\"900\"");
    for (const std::string& bad : {std::string("<vstgui-ui-description"), noTemplate, badSize, std::string()}) {
        EXPECT_FALSE(h.open(bad));
        EXPECT_EQ(h.m_Editor.controlCopyCount(), 0u);
        EXPECT_EQ(h.m_Editor.getFrame(), nullptr);
    }
    EXPECT_FALSE(h.m_Editor.open(nullptr, &h.m_Engine, good.data(), good.size())) << "no parent window";
    ASSERT_TRUE(h.open(good));
    EXPECT_EQ(h.m_Editor.controlCopyCount(), h.m_Engine.controlList().count());
}

TEST(EditorOpen, CloseTwiceClosesOnceAndReopeningStartsAfresh)
{
    CountingEngine engine;
    const std::string text = shippedDescription();
    CFrame::setOffscreenOverride(true);
    CTsraVSTEditor editor;
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(editor.open(reinterpret_cast<void*>(1), &engine, text.data(), text.size()));
        EXPECT_EQ(editor.controlCopyCount(), engine.controlList().count()) << "each control once";
        editor.notifyOpened();
        editor.close();
        editor.close();
        EXPECT_FALSE(editor.isOpen());
        EXPECT_EQ(editor.controlCopyCount(), 0u);
        EXPECT_FALSE(editor.timer()->isRunning());
    }
    std::vector<uint32_t> opened, closing;
    for (uint32_t m : engine.m_Messages) {
        if (m == EditorOpened)
            opened.push_back(m);
        if (m == EditorClosing)
            closing.push_back(m);
    }
    EXPECT_EQ(opened.size(), 3u);
    EXPECT_EQ(closing.size(), 3u);
}

TEST(EditorOpen, CustomViewNamesAreOfferedToTheEngineAndSelectBehaviour)
{
    const std::string views =
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_1" custom-view-name="TsraKickButtonD" origin="0, 540" size="20, 20"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_2" custom-view-name="" origin="30, 540" size="20, 20"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_3" custom-view-name="EngineMade" origin="60, 540" size="20, 20"/>)";
    CountingEngine engine;
    engine.m_OfferFor = "EngineMade";
    CFrame::setOffscreenOverride(true);
    CTsraVSTEditor editor;
    const std::string text = descriptionWith(views);
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(1), &engine, text.data(), text.size()));
    ASSERT_EQ(editor.kickButtons().size(), 2u);
    EXPECT_EQ(editor.kickButtons()[0]->getReportMode(), CKickButtonWP::kDownOnly);
    EXPECT_EQ(editor.kickButtons()[1]->getReportMode(), CKickButtonWP::kUpOnly);
    EXPECT_EQ(editor.viewCount(), 37u) << "the engine's view is listed too";
    size_t offers = 0;
    for (uint32_t m : engine.m_Messages)
        offers += m == EditorCustomViewRequest;
    EXPECT_EQ(offers, 4u) << "two meters, TsraKickButtonD and EngineMade";
    editor.close();
}

TEST(EditorOpen, ContainerMenuAndSegmentAttributesAreApplied)
{
    std::string text = descriptionWith(
        R"(<view class="UIViewSwitchContainer" origin="0, 440" size="60, 40" background-color-draw-style="stroked" template-names="Page"/>)"
        R"(<view class="COptionMenu" origin="100, 440" size="60, 20" menu-check-style="true" menu-popup-style="true" style-no-frame="true"/>)"
        R"(<view class="CSegmentButton" origin="200, 440" size="90, 20" segment-names="a,b" text-alignment="left" gradient="~ RedCColor" gradient-highlighted="~ WhiteCColor"/>)");
    text.insert(text.rfind("</vstgui-ui-description>"),
                R"(<template name="Page" background-color="kDarkGreyCColor" background-color-draw-style="filled" size="10, 10"/>)");
    EditorHarness h;
    ASSERT_TRUE(h.open(text));

    CViewContainer* pSwitch = h.m_Editor.containers().back();
    EXPECT_EQ(pSwitch->getBackgroundColorDrawStyle(), kDrawStroked);
    ASSERT_EQ(pSwitch->getNbViews(), 1u);
    auto* pPage = dynamic_cast<CViewContainer*>(pSwitch->getView(0));
    ASSERT_NE(pPage, nullptr);
    EXPECT_EQ(pPage->getBackgroundColor(), CColor(100, 100, 100));  // kDarkGreyCColor
    EXPECT_EQ(pPage->getBackgroundColorDrawStyle(), kDrawFilled);
    EXPECT_EQ(pPage->getViewSize(), CRect(0, 0, 60, 40));

    ASSERT_EQ(h.m_Editor.optionMenus().size(), 1u);
    EXPECT_EQ(h.m_Editor.optionMenus()[0]->getStyle(), kCheckStyle | kPopupStyle | kNoFrame);

    ASSERT_EQ(h.m_Editor.segmentButtons().size(), 1u);
    CSegmentButton* pSegments = h.m_Editor.segmentButtons()[0];
    EXPECT_EQ(pSegments->getTextAlignment(), kLeftText);
    ASSERT_NE(pSegments->getGradient(), nullptr);
    ASSERT_NE(pSegments->getGradientHighlighted(), nullptr);
    EXPECT_EQ(pSegments->getGradient()->getColorStops().begin()->second, CColor(255, 0, 0));
    EXPECT_EQ(pSegments->getGradientHighlighted()->getColorStops().rbegin()->second, CColor(255, 255, 255));
}

TEST(EditorOpen, TemplatesThatIncludeThemselvesStopWhereTheyRecur)
{
    // The editor inside itself, and a page that shows its own switch container.
    const std::string views =
        R"(<view class="CViewContainer" template="Editor" origin="0, 0" size="10, 10"/>)"
        R"(<view class="UIViewSwitchContainer" template-names="Loop" origin="0, 0" size="10, 10"/>)";
    std::string text = descriptionWith(views);
    text.insert(text.rfind("</vstgui-ui-description>"),
                R"(<template class="CViewContainer" name="Loop" size="10, 10">)"
                R"(<view class="UIViewSwitchContainer" template-names="Loop" origin="0, 0" size="10, 10"/></template>)");
    EditorHarness h;
    ASSERT_TRUE(h.open(text));
    // The shipped 34 views, the container left empty, the switch container and, on its page,
    // the inner switch container (whose page stays empty).
    EXPECT_EQ(h.m_Editor.viewCount(), 34u + 3u);
    EXPECT_EQ(h.m_Editor.knobs().size(), 10u);
}

TEST(EditorOpen, TemplatesIncludedManyTimesOverMakeABoundedNumberOfViews)
{
    // Each level includes the next twice: 2^16 containers at the bottom.
    std::string templates;
    for (int i = 0; i < 16; ++i) {
        const std::string next = "<view class=\"CViewContainer\" template=\"T" + std::to_string(i + 1) + "\" size=\"10, 10\"/>";
        templates += "<template class=\"CViewContainer\" name=\"T" + std::to_string(i) + "\" size=\"10, 10\">" + next +
                     next + "</template>";
    }
    std::string text = descriptionWith(R"(<view class="CViewContainer" template="T0" size="10, 10"/>)");
    text.insert(text.rfind("</vstgui-ui-description>"), templates);
    EditorHarness h;
    ASSERT_TRUE(h.open(text));
    EXPECT_LE(h.m_Editor.viewCount(), CTsraVSTEditor::kMaxViews);
    EXPECT_GE(h.m_Editor.knobs().size(), 10u) << "the editor's own views come first";
}

TEST(EditorOpen, SizesBeyondTheLargestFrameAreRefused)
{
    const std::string good = shippedDescription();
    for (const char* pSize : {"8193, 568", "900, 100000", "2147483647, 2147483647"}) {
        std::string text = good;
        text.replace(text.find("size=\"900, 568\""), 15, std::string("size=\"") + pSize + "\"");
        EditorHarness h;
        EXPECT_FALSE(h.open(text)) << pSize;
        EXPECT_EQ(h.m_Editor.getFrame(), nullptr) << pSize;
    }
    std::string largest = good;
    largest.replace(largest.find("size=\"900, 568\""), 15, "size=\"8192, 600\"");
    EditorHarness h;
    EXPECT_TRUE(h.open(largest));
}

TEST(EditorValues, HostUpdatesMoveBoundViewsAndLabelsShowUnits)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(descriptionWith(kHissLabel)));
    ASSERT_EQ(h.m_Editor.labels().size(), 1u);
    CTextLabel* label = h.m_Editor.labels().front();
    h.m_Editor.updateControl(4, 1.0f);
    EXPECT_EQ(label->getText(), "-30.00 dB");
    h.m_Editor.updateControl(4, 0.1f);
    // Display position 1 - 1/2.4 on -96..-30.
    EXPECT_EQ(label->getText(), "-57.50 dB");

    CKnobWP* hiss = nullptr;
    for (CKnobWP* k : h.m_Editor.knobs())
        if (k->getTag() == 4)
            hiss = k;
    ASSERT_NE(hiss, nullptr);
    EXPECT_FLOAT_EQ(hiss->getValue(), 0.1f);
    // A control without units shows its value and one blank.
    h.m_Editor.updateControl(7, 0.5f);
    // Reserved tags and indices beyond the map move nothing and read nothing outside it.
    for (uint32_t index : {18u, 19u, 20u, 32768u, 65536u, 0xFFFFFFFFu})
        h.m_Editor.updateControl(index, 0.3f);
    EXPECT_FLOAT_EQ(hiss->getValue(), 0.1f);
}

TEST(EditorValues, ADraggedKnobIgnoresHostUpdatesAndSendsTouchValueRelease)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(descriptionWith(kHissLabel)));
    CKnobWP* hiss = nullptr;
    for (CKnobWP* k : h.m_Editor.knobs())
        if (k->getTag() == 4)
            hiss = k;
    ASSERT_NE(hiss, nullptr);
    h.m_Editor.updateControl(4, 0.5f);
    const CRect r = hiss->getViewSize();
    const CPoint c((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    h.io()->mouseDown(c);
    h.io()->mouseMove(CPoint(c.x + 20, c.y), kLButton);
    const float dragged = hiss->getValue();
    EXPECT_GT(dragged, 0.5f);
    h.m_Editor.updateControl(4, 0.9f);
    EXPECT_FLOAT_EQ(hiss->getValue(), dragged) << "the user holds it";
    EXPECT_EQ(h.m_Editor.labels().front()->getText(), "-31.26 dB") << "labels still follow";
    h.io()->mouseUp(CPoint(c.x + 20, c.y));
    ASSERT_GE(h.m_Parameters.m_Events.size(), 3u);
    EXPECT_EQ(h.m_Parameters.m_Events.front().m_cKind, 't');
    EXPECT_EQ(h.m_Parameters.m_Events.front().m_ID, "5");
    EXPECT_EQ(h.m_Parameters.m_Events[1].m_cKind, 'v');
    EXPECT_EQ(h.m_Parameters.m_Events[1].m_ID, "5");
    EXPECT_EQ(h.m_Parameters.m_Events.back().m_cKind, 'r');
    h.m_Editor.updateControl(4, 0.9f);
    EXPECT_FLOAT_EQ(hiss->getValue(), 0.9f);
}

TEST(EditorValues, TapeTypeSwitchSendsTheThirdItem)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(shippedDescription()));
    // "Tape Type": 412 px wide, four positions, at 30, 25.
    h.io()->click(CPoint(30 + 412 * 2.5 / 4, 100));
    bool found = false;
    for (const auto& e : h.m_Parameters.m_Events)
        if (e.m_cKind == 'v') {
            EXPECT_EQ(e.m_ID, "12");
            EXPECT_NEAR(e.m_fValue, 2.0 / 3.0, 1e-9);
            found = true;
        }
    EXPECT_TRUE(found);
}

TEST(EditorValues, AssignButtonsReachTheEngineNeverTheHost)
{
    const std::string views =
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_1" origin="0, 540" size="20, 20"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_2" origin="30, 540" size="20, 20"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_3" origin="60, 540" size="20, 20"/>)";
    CountingEngine engine;
    FakeEffectParameters parameters;
    CFrame::setOffscreenOverride(true);
    CTsraVSTEditor editor;
    const std::string text = descriptionWith(views);
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(1), &engine, text.data(), text.size()));
    editor.setEffectParameters(&parameters);
    const std::vector<int32_t> map = controlIndexMap(engine);
    editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
    OffscreenFrame* io = OffscreenFrame::of(editor.getFrame());
    for (int x : {5, 35, 65})
        io->click(CPoint(x, 545));
    EXPECT_EQ(engine.m_ControlChanges, (std::vector<int32_t>{50, 51, 52}));
    for (const auto& e : parameters.m_Events)
        EXPECT_NE(e.m_cKind, 'v') << e.m_ID;
    editor.close();
}

TEST(EditorTimer, MeterFollowersDetectAsTheirRecordSays)
{
    EditorHarness h;
    // The record's detection field, not its mode field (which stays 0), chooses peak or RMS.
    h.m_Engine.controlRecord(16)->m_uMeterDetection = CMeterFollower::kRootMeanSquare;
    h.m_Engine.controlRecord(17)->m_uMeterDetection = CMeterFollower::kMeanSquare;
    ASSERT_TRUE(h.open(shippedDescription()));
    ASSERT_FALSE(h.m_Editor.meters().empty());
    for (CVuMeterWP* p : h.m_Editor.meters())
        EXPECT_EQ(p->follower().mode(), h.m_Engine.controlRecord(uint32_t(p->getTag()))->m_uMeterDetection);
}

TEST(EditorTimer, MetersFollowTheMeterParametersThroughTheTimer)
{
    CountingEngine engine;
    FakeEffectParameters parameters;
    CFrame::setOffscreenOverride(true);
    TimerQueue::current().useManualClock(0);
    {
        CTsraVSTEditor editor;
        const std::string text = shippedDescription();
        ASSERT_TRUE(editor.open(reinterpret_cast<void*>(1), &engine, text.data(), text.size()));
        editor.setEffectParameters(&parameters);
        const std::vector<int32_t> map = controlIndexMap(engine);
        editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
        std::vector<int32_t> table(CTsraVSTEditor::kMeterTableSize, -1);
        table[0] = 16;
        table[1] = 17;
        editor.setMeterTable(table.data());
        editor.syncAllViews();
        parameters.m_Values["17"] = 1.0;
        parameters.m_Values["18"] = 0.0;
        OffscreenFrame* io = OffscreenFrame::of(editor.getFrame());
        io->advanceTime(50);
        CVuMeterWP* left = editor.meters()[0];
        CVuMeterWP* right = editor.meters()[1];
        EXPECT_NEAR(left->shownLevel(), 1.0f, 0.01f) << "attack 10 ms: 0.993 after one tick, log display";
        EXPECT_EQ(right->shownLevel(), 0.0f);
        io->advanceTime(1000);
        parameters.m_Values["17"] = 0.0;
        io->advanceTime(50);
        // Falls by the decrease step first: the follower sees 0.9.
        EXPECT_LT(left->shownLevel(), 1.0f);
        EXPECT_GT(left->shownLevel(), 0.95f);
        size_t ticks = 0;
        for (uint32_t m : engine.m_Messages)
            ticks += m == EditorTimerTick;
        EXPECT_EQ(ticks, 22u);
        EXPECT_TRUE(engine.m_bTickFieldsClear);
        editor.close();
    }
    TimerQueue::current().useSystemClock();
}

TEST(EditorValues, TheJoystickPadMapsTheEnginesYAxisTheSameWayBothWays)
{
    const std::string pad =
        R"(<view class="CXYPad" control-tag="JOYSTICK" control-tagX="JOYSTICK_X" control-tagY="JOYSTICK_Y" origin="0, 440" size="100, 100"/>)";
    EditorHarness h;
    h.m_Engine.m_JoystickX.m_fJoystickValue = -0.2f;
    h.m_Engine.m_JoystickY.m_fJoystickValue = 0.6f;
    ASSERT_TRUE(h.open(descriptionWith(pad)));
    ASSERT_EQ(h.m_Editor.xyPads().size(), 1u);
    CXYPadWP* p = h.m_Editor.xyPads().front();
    // Sending the position the pad was synchronised to gives the engine its own axes back.
    h.m_Editor.valueChanged(p);
    EXPECT_NEAR(h.m_Editor.joystickX(), -0.2f, 2e-3f);
    EXPECT_NEAR(h.m_Editor.joystickY(), 0.6f, 2e-3f);
    ASSERT_EQ(h.m_Parameters.m_Events.size(), 2u);
    EXPECT_EQ(h.m_Parameters.m_Events[0].m_ID, "19");
    EXPECT_NEAR(h.m_Parameters.m_Events[0].m_fValue, 0.4, 2e-3);
    EXPECT_EQ(h.m_Parameters.m_Events[1].m_ID, "20");
    EXPECT_NEAR(h.m_Parameters.m_Events[1].m_fValue, 0.8, 2e-3);
    // And a host update of the Y parameter lands where an edit would have sent it from.
    h.m_Editor.updateControl(19, 0.25f);
    h.m_Editor.valueChanged(p);
    EXPECT_NEAR(h.m_Parameters.m_Events.back().m_fValue, 0.25, 2e-3);
}

TEST(EditorValues, OnlyJoystickPadsOnOtherAxesAreCentredAtSync)
{
    const std::string pads =
        R"(<view class="CXYPad" control-tag="JOYSTICK" control-tagX="Wow Depth" control-tagY="Wow Rate" origin="0, 440" size="100, 100"/>)"
        R"(<view class="CXYPad" control-tag="Wow Depth" origin="200, 440" size="100, 100"/>)";
    EditorHarness h;
    ASSERT_TRUE(h.open(descriptionWith(pads)));
    ASSERT_EQ(h.m_Editor.xyPads().size(), 2u);
    EXPECT_FLOAT_EQ(h.m_Editor.xyPads()[0]->getValue(), CXYPad::calculateValue(0.5f, 0.5f));
    EXPECT_NE(h.m_Editor.xyPads()[1]->getValue(), CXYPad::calculateValue(0.5f, 0.5f));
}

TEST(EditorValues, ReservedTagsWithoutAMapPositionSendNothing)
{
    const std::string views =
        R"(<view class="CAnimKnob" control-tag="JOYSTICK_X" bitmap="kbon1" sub-pixmaps="128" height-of-one-image="80" origin="0, 440" size="80, 80"/>)"
        R"(<view class="COnOffButton" control-tag="TRACKPAD" bitmap="drawnswitch" origin="100, 440" size="80, 80"/>)"
        R"(<view class="COnOffButton" control-tag="No Such Tag" bitmap="drawnswitch" origin="200, 440" size="80, 80"/>)";
    EditorHarness h;
    ASSERT_TRUE(h.open(descriptionWith(views)));
    h.io()->drag(CPoint(40, 480), CPoint(70, 450));
    h.io()->click(CPoint(140, 480));
    h.io()->click(CPoint(240, 480));
    for (const auto& e : h.m_Parameters.m_Events)
        EXPECT_NE(e.m_cKind, 'v') << e.m_ID;
}

TEST(EditorValues, AssignButtonsWhileTheAudioThreadRuns)
{
    const std::string views =
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_1" origin="0, 540" size="20, 20"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_2" origin="30, 540" size="20, 20"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_3" origin="60, 540" size="20, 20"/>)";
    EditorHarness h;
    h.m_Engine.m_nSampleRate = 48000;
    h.m_Engine.resetForSampleRate();
    ASSERT_TRUE(h.open(descriptionWith(views)));
    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::thread audio([&] {
        float in[2] = {0.3f, -0.3f}, out[2] = {0, 0};
        while (!stop)
            for (int i = 0; i < 256; ++i) {
                h.m_Engine.processFrame(in, out, 2, 2);
                if (!std::isfinite(out[0]) || !std::isfinite(out[1]))
                    finite = false;
            }
    });
    for (int round = 0; round < 200; ++round)
        for (int x : {5, 35, 65})
            h.io()->click(CPoint(x, 545));
    stop = true;
    audio.join();
    EXPECT_TRUE(finite);
}
