// Tessera_GUI against host objects and a recording effect-parameters interface: what it opens,
// what it tells the engine, and what it refuses.
#include "Tessera_GUI.h"

#include "CHostController.h"
#include "CHostInstanceGateway.h"
#include "CHostViewContainer.h"
#include "CVuMeterWP.h"
#include "EditorHarness.h"

#include "vstgui/platform/timerqueue.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VSTGUI;

namespace {

// An engine with a GUI of its own while m_bCustom is set; records its editor messages.
class CustomGuiEngine : public CModDelayModule {
public:
    bool m_bCustom = true;
    std::vector<EditorMessage> m_Messages;
    intptr_t onEditorMessage(EditorMessage* p) override
    {
        m_Messages.push_back(*p);
        if (p->m_uMessageCode == EditorQueryCustomGui)
            p->m_uHasCustomGui = m_bCustom ? 1 : 0;
        if (p->m_uMessageCode == EditorOpenCustomGui) {
            p->m_uCustomGuiSize[0] = 320;
            p->m_uCustomGuiSize[1] = 200;
            return 1;
        }
        return 0;
    }
    size_t count(uint32_t code) const
    {
        return size_t(std::count_if(m_Messages.begin(), m_Messages.end(), [&](const EditorMessage& m) { return m.m_uMessageCode == code; }));
    }
};

struct GuiHost {
    CHostPtr<CHostController> m_pController = MakeHostObject<CHostController>();
    CHostPtr<CHostInstanceGateway> m_pGateway =
        MakeHostObject<CHostInstanceGateway>(m_pController.get(), nullptr, nullptr);
    FakeEffectParameters m_Parameters;
    std::vector<int32_t> m_MeterTable = std::vector<int32_t>(CTsraVSTEditor::kMeterTableSize, -1);
    Tessera_GUI* m_pGUI = new Tessera_GUI;

    explicit GuiHost(CPlugIn* pEngine, bool bWithParameters = true)
    {
        CFrame::setOffscreenOverride(true);
        m_pGUI->AddRef();
        if (bWithParameters)
            m_pGateway->SetEffectParameters(static_cast<AAX_IEffectParameters*>(&m_Parameters));
        m_Parameters.m_pCustomData[0] = pEngine;
        m_Parameters.m_pCustomData[1] = m_MeterTable.data();
        m_Parameters.m_bCustomData = pEngine != nullptr;
        for (int i = 1; i <= 20; ++i)
            m_Parameters.m_Values[std::to_string(i)] = 0.5;
    }
    ~GuiHost()
    {
        m_pGUI->Uninitialize();
        static_cast<AAX_IEffectGUI*>(m_pGUI)->Release();
    }
    AAX_Point size() const
    {
        AAX_Point p{};
        m_pGUI->GetViewSize(&p);
        return p;
    }
};

}  // namespace

TEST(TesseraGUI, ParameterIdentifiersToControlIndices)
{
    const std::pair<const char*, int32_t> cases[] = {{"1", 0},      {"18", 17},  {"0", -1},  {"MasterBypassID", -1},
                                                     {"Vector JS X", -1}, {"12abc", -1}, {"-3", -1}, {"99999999999999999999", -1},
                                                     {"", -1}};
    for (const auto& [pID, nIndex] : cases)
        EXPECT_EQ(Tessera_GUI::ControlIndexOf(pID), nIndex) << pID;
    EXPECT_EQ(Tessera_GUI::ControlIndexOf(nullptr), -1);
}

TEST(TesseraGUI, OpensOnAWindowContainerOnlyWiredToTheHostsValuesMetersAndMouse)
{
    CModDelayModule engine;
    GuiHost host(&engine);
    TimerQueue::current().useManualClock(0);
    host.m_MeterTable[0] = 16;
    host.m_MeterTable[1] = 17;
    host.m_Parameters.m_Values["3"] = 0.75;
    host.m_Parameters.m_Values["17"] = 1.0;
    host.m_Parameters.m_Values["18"] = 0.0;
    ASSERT_EQ(host.m_pGUI->Initialize(host.m_pGateway->Unknown()), AAX_SUCCESS);
    CTsraVSTEditor& editor = host.m_pGUI->Editor();
    auto pOther = MakeHostObject<CHostViewContainer>(5ul, AAX_eViewContainer_Type_NSView);
    host.m_pGUI->SetViewContainer(pOther->Unknown());
    EXPECT_FALSE(editor.isOpen());
    EXPECT_EQ(host.size().horz, 0.0f);
    auto pWindow = MakeHostObject<CHostViewContainer>(6ul);
    host.m_pGUI->SetViewContainer(pWindow->Unknown());
    ASSERT_TRUE(editor.isOpen());
    EXPECT_EQ(host.size().horz, 900.0f);
    EXPECT_EQ(host.size().vert, 568.0f);
    EXPECT_EQ(host.m_pGUI->ParameterUpdated("unknown"), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(host.m_pGUI->ParameterUpdated("1"), AAX_SUCCESS);
    auto knob = [&](int32_t tag) { return knobOfTag(editor, tag) ? knobOfTag(editor, tag)->getValue() : -1.0f; };
    EXPECT_FLOAT_EQ(knob(2), 0.75f) << "every parameter pushed on opening";

    // The meter table of custom data block 0 says which parameters the meters read.
    OffscreenFrame::of(editor.getFrame())->advanceTime(CTsraVSTEditor::kTimerPeriodMs);
    ASSERT_EQ(editor.meters().size(), 2u);
    EXPECT_GT(editor.meters()[0]->shownLevel(), 0.5f);
    EXPECT_EQ(editor.meters()[1]->shownLevel(), 0.0f);

    // A parameter click goes to the host first, the host's own modifiers added; taken, it
    // moves nothing here.
    pWindow->SetModifiers(1u << 8);
    pWindow->SetMouseResult(AAX_SUCCESS);
    const float before = knob(0);
    OffscreenFrame* io = OffscreenFrame::of(editor.getFrame());
    io->mouseDown(CPoint(625, 200), kLButton | kShift | kAlt);  // "Wow Depth"
    io->mouseMove(CPoint(640, 200), kLButton | kShift | kAlt);
    io->mouseUp(CPoint(640, 200), kLButton);
    const std::vector<SHostMouseEvent>& events = pWindow->MouseEvents();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].m_eKind, SHostMouseEvent::kDown);
    EXPECT_EQ(events[0].m_ID, "1");
    EXPECT_EQ(events[0].m_nModifiers, 1u | 4u | (1u << 8));
    EXPECT_EQ(events[1].m_eKind, SHostMouseEvent::kDrag);
    EXPECT_FLOAT_EQ(knob(0), before) << "the host took the click";

    // A replaced container opens the editor anew with the values of now.
    host.m_Parameters.m_Values["3"] = 0.25;
    auto pNext = MakeHostObject<CHostViewContainer>(7ul);
    host.m_pGUI->SetViewContainer(pNext->Unknown());
    ASSERT_TRUE(editor.isOpen());
    EXPECT_FLOAT_EQ(knob(2), 0.25f);
    // Uninitialize closes the open editor with its container.
    host.m_pGUI->Uninitialize();
    EXPECT_FALSE(editor.isOpen());
    TimerQueue::current().useSystemClock();
}

TEST(TesseraGUI, NoEffectParametersOrNoEngineMeansNoView)
{
    CModDelayModule engine;
    GuiHost withoutParameters(&engine, false);
    EXPECT_NE(withoutParameters.m_pGUI->Initialize(withoutParameters.m_pGateway->Unknown()), AAX_SUCCESS);
    auto pWindow = MakeHostObject<CHostViewContainer>(6ul);
    withoutParameters.m_pGUI->SetViewContainer(pWindow->Unknown());
    EXPECT_FALSE(withoutParameters.m_pGUI->Editor().isOpen());
    EXPECT_EQ(withoutParameters.m_pGUI->ParameterUpdated("1"), AAX_ERROR_INVALID_PARAMETER_ID);

    GuiHost withoutEngine(nullptr);
    ASSERT_EQ(withoutEngine.m_pGUI->Initialize(withoutEngine.m_pGateway->Unknown()), AAX_SUCCESS);
    withoutEngine.m_pGUI->SetViewContainer(pWindow->Unknown());
    EXPECT_FALSE(withoutEngine.m_pGUI->Editor().isOpen());
    EXPECT_EQ(withoutEngine.size().horz, 0.0f);
}

TEST(TesseraGUI, TheEnginesOwnGuiIsClosedByWhatWasOpenedNotByAskingAgain)
{
    CustomGuiEngine engine;
    GuiHost host(&engine);
    ASSERT_EQ(host.m_pGUI->Initialize(host.m_pGateway->Unknown()), AAX_SUCCESS);
    auto pWindow = MakeHostObject<CHostViewContainer>(6ul);
    host.m_pGUI->SetViewContainer(pWindow->Unknown());
    EXPECT_TRUE(host.m_pGUI->IsCustomGuiOpen());
    EXPECT_FALSE(host.m_pGUI->Editor().isOpen());
    EXPECT_EQ(host.size().horz, 320.0f);
    ASSERT_EQ(engine.count(EditorOpenCustomGui), 1u);
    const EditorMessage& open = *std::find_if(engine.m_Messages.begin(), engine.m_Messages.end(),
                                              [](const EditorMessage& m) { return m.m_uMessageCode == EditorOpenCustomGui; });
    EXPECT_EQ(open.m_hParentWindow, 6u);
    EXPECT_NE(open.m_hModule[0], nullptr);
    EXPECT_EQ(open.m_pEffectParameters, static_cast<AAX_IEffectParameters*>(&host.m_Parameters));

    // Every host update is passed on, but only for control indices.
    const size_t before = engine.count(EditorHostParameterChanged);
    host.m_Parameters.m_Values["MasterBypassID"] = 1.0;
    host.m_pGUI->ParameterUpdated("MasterBypassID");
    EXPECT_EQ(engine.count(EditorHostParameterChanged), before);
    host.m_pGUI->ParameterUpdated("3");
    ASSERT_EQ(engine.count(EditorHostParameterChanged), before + 1);
    EXPECT_EQ(engine.m_Messages.back().m_uControlIndex, 2u);
    EXPECT_DOUBLE_EQ(engine.m_Messages.back().m_dNormalisedValue, 0.5);

    // The engine changes its mind: the GUI that is open is still the one that closes.
    engine.m_bCustom = false;
    host.m_pGUI->SetViewContainer(nullptr);
    EXPECT_EQ(engine.count(EditorCloseCustomGui), 1u);
    EXPECT_FALSE(host.m_pGUI->IsCustomGuiOpen());
    host.m_pGUI->SetViewContainer(pWindow->Unknown());
    EXPECT_TRUE(host.m_pGUI->Editor().isOpen()) << "now the description editor";
    engine.m_bCustom = true;
    host.m_pGUI->SetViewContainer(nullptr);
    EXPECT_FALSE(host.m_pGUI->Editor().isOpen());
    EXPECT_EQ(engine.count(EditorCloseCustomGui), 1u) << "the description editor was open, not the engine's";

    // A replaced container closes the engine's GUI before the next one opens.
    host.m_pGUI->SetViewContainer(pWindow->Unknown());
    auto pOtherWindow = MakeHostObject<CHostViewContainer>(7ul);
    host.m_pGUI->SetViewContainer(pOtherWindow->Unknown());
    EXPECT_EQ(engine.count(EditorCloseCustomGui), 2u);
    EXPECT_EQ(engine.count(EditorOpenCustomGui), 3u);
    host.m_pGUI->SetViewContainer(nullptr);
    EXPECT_EQ(engine.count(EditorCloseCustomGui), 3u);
}
