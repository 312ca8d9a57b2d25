// The editor through the module and the substitute host, offscreen: factory 1, the view
// container, parameter updates, edits reaching the engine, meters, closing and reopening.
#include "CHostInstance.h"
#include "CHostModule.h"

#include "vstgui/platform/timerqueue.h"

#include <cairo.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Hooks {
    int (*viewCount)(void*);
    int (*isOpen)(void*);
    void (*mouse)(void*, int, double, double, int);
    void (*advance)(void*, unsigned);
    float (*knobValue)(void*, int);
    float (*meterLevel)(void*, int);
    float (*engineControl)(void*, unsigned);
};

template <class F>
void bind(void* lib, const char* name, F& f)
{
    f = reinterpret_cast<F>(dlsym(lib, name));
    ASSERT_NE(f, nullptr) << name;
}

constexpr int kLeft = 1 << 1;

class ModuleEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        (void)cairo_version();
        ASSERT_TRUE(m_Module.Load(BW_EDITOR_TEST_MODULE)) << m_Module.Error();
        ASSERT_EQ(m_Module.Register(), ACF_OK);
        void* lib = dlopen(BW_EDITOR_TEST_MODULE, RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(lib, nullptr);
        bind(lib, "bwTestViewCount", m_Hooks.viewCount);
        bind(lib, "bwTestIsOpen", m_Hooks.isOpen);
        bind(lib, "bwTestMouse", m_Hooks.mouse);
        bind(lib, "bwTestAdvance", m_Hooks.advance);
        bind(lib, "bwTestKnobValue", m_Hooks.knobValue);
        bind(lib, "bwTestMeterLevel", m_Hooks.meterLevel);
        bind(lib, "bwTestEngineControl", m_Hooks.engineControl);
        dlclose(lib);
        const SHostEffect* pEffect = m_Module.Description().FindEffect("tessera.BrindleWarbler");
        ASSERT_NE(pEffect, nullptr);
        VSTGUI::TimerQueue::current().useManualClock(0);
        m_pInstance = std::make_unique<CHostInstance>(*pEffect, 1, 48000.0f, 512);
        ASSERT_EQ(m_pInstance->Create(), AAX_SUCCESS);
        ASSERT_EQ(m_pInstance->CreateGUI(), AAX_SUCCESS);
        ASSERT_EQ(m_pInstance->SetView(0x5A0001ul), AAX_SUCCESS);
        m_pGUI = m_pInstance->GUI();
    }
    void TearDown() override
    {
        if (m_pInstance)
            m_pInstance->Destroy();
        m_pInstance.reset();
        VSTGUI::TimerQueue::current().useSystemClock();
    }
    // The host's side of a set value: answered on the parameter thread, then the GUI is told.
    void answerAndNotify()
    {
        m_pInstance->Automation().ProcessPending();
        for (int i = 1; i <= 20; ++i)
            m_pGUI->ParameterUpdated(std::to_string(i).c_str());
    }
    void render(float level = 0.0f, int frames = 512)
    {
        std::vector<float> in(static_cast<size_t>(frames), level), out(static_cast<size_t>(frames));
        const float* ins[2] = {in.data(), in.data()};
        std::vector<float> out2(static_cast<size_t>(frames));
        float* outs[2] = {out.data(), out2.data()};
        m_pInstance->Render(ins, outs, frames);
    }
    std::vector<SHostMouseEvent> touches() const { return m_pInstance->View()->MouseEvents(); }

    CHostModule m_Module;
    Hooks m_Hooks{};
    std::unique_ptr<CHostInstance> m_pInstance;
    AAX_IACFEffectGUI* m_pGUI = nullptr;
};

}  // namespace

TEST_F(ModuleEditor, OpensTheShippedEditorAndReportsItsSize)
{
    EXPECT_EQ(m_Hooks.isOpen(m_pGUI), 1);
    EXPECT_EQ(m_Hooks.viewCount(m_pGUI), 34);
    AAX_Point size{};
    m_pGUI->GetViewSize(&size);
    EXPECT_EQ(size.horz, 900.0f);
    EXPECT_EQ(size.vert, 568.0f);
    EXPECT_EQ(m_pGUI->ParameterUpdated("MasterBypassID"), AAX_SUCCESS) << "not a control: no index, no throw";
    EXPECT_EQ(m_pGUI->ParameterUpdated("no such parameter"), AAX_ERROR_INVALID_PARAMETER_ID);
}

TEST_F(ModuleEditor, KnobDragReachesTheEngineAtTheNextRender)
{
    // "Wow Depth" (control 0) at 585, 160, 80 x 80.
    const float before = m_Hooks.knobValue(m_pGUI, 0);
    m_Hooks.mouse(m_pGUI, 0, 625, 200, kLeft);
    m_Hooks.mouse(m_pGUI, 1, 665, 200, kLeft);
    const float dragged = m_Hooks.knobValue(m_pGUI, 0);
    EXPECT_GT(dragged, before);
    // A host update of the same control leaves the held knob alone.
    m_pInstance->Parameters()->SetParameterNormalizedValue("1", 0.05);
    answerAndNotify();
    EXPECT_FLOAT_EQ(m_Hooks.knobValue(m_pGUI, 0), dragged);
    m_Hooks.mouse(m_pGUI, 1, 685, 200, kLeft);
    m_Hooks.mouse(m_pGUI, 2, 685, 200, kLeft);
    const float released = m_Hooks.knobValue(m_pGUI, 0);
    answerAndNotify();
    const float engineBefore = m_Hooks.engineControl(m_pGUI, 0);
    render();
    // Wow Depth is smoothed: the next render starts moving it, later ones land on it.
    EXPECT_GT(m_Hooks.engineControl(m_pGUI, 0), engineBefore + 1.0f);
    for (int i = 0; i < 200; ++i)
        render();
    EXPECT_NEAR(m_Hooks.engineControl(m_pGUI, 0), 100.0f * released, 1e-2f);
    // Touch and release went to the host for identifier "1".
    CHostAutomationDelegate& automation = m_pInstance->Automation();
    AAX_CBoolean touched = 1;
    automation.GetTouchState("1", &touched);
    EXPECT_EQ(touched, 0);
    EXPECT_GT(automation.CurrentValueCount("1"), 0u);
    // A host update after the release moves it.
    m_pInstance->Parameters()->SetParameterNormalizedValue("1", 0.25);
    answerAndNotify();
    EXPECT_FLOAT_EQ(m_Hooks.knobValue(m_pGUI, 0), 0.25f);
}

TEST_F(ModuleEditor, TapeTypeClickSendsTwoThirdsForControlEleven)
{
    m_Hooks.mouse(m_pGUI, 0, 30 + 412 * 2.5 / 4, 100, kLeft);
    m_Hooks.mouse(m_pGUI, 2, 30 + 412 * 2.5 / 4, 100, kLeft);
    m_pInstance->Automation().ProcessPending();
    double value = 0;
    m_pInstance->Parameters()->GetParameterNormalizedValue("12", &value);
    EXPECT_NEAR(value, 2.0 / 3.0, 1e-6);
    render();
    EXPECT_EQ(m_Hooks.engineControl(m_pGUI, 11), 2.0f);
}

TEST_F(ModuleEditor, ParameterClicksAreOfferedToTheHostWithTheModifierMask)
{
    m_pInstance->View()->SetModifiers(1u << 8);
    m_pInstance->View()->SetMouseResult(AAX_SUCCESS);  // the host takes them
    const float before = m_Hooks.knobValue(m_pGUI, 0);
    m_Hooks.mouse(m_pGUI, 0, 625, 200, kLeft | (1 << 4) | (1 << 6));  // Shift + Alt
    m_Hooks.mouse(m_pGUI, 1, 640, 200, kLeft | (1 << 4) | (1 << 6));
    m_Hooks.mouse(m_pGUI, 2, 640, 200, kLeft);
    const auto events = touches();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].m_eKind, SHostMouseEvent::kDown);
    EXPECT_EQ(events[0].m_ID, "1");
    EXPECT_EQ(events[0].m_nModifiers, 1u | 4u | (1u << 8));
    EXPECT_EQ(events[1].m_eKind, SHostMouseEvent::kDrag);
    EXPECT_FLOAT_EQ(m_Hooks.knobValue(m_pGUI, 0), before) << "the host took the click";
}

TEST_F(ModuleEditor, MetersFollowARenderedSignalThroughTheTimer)
{
    for (int tick = 0; tick < 10; ++tick) {
        render(0.9f);
        m_pInstance->Automation().ProcessPending();
        m_Hooks.advance(m_pGUI, 50);
    }
    const float loud = m_Hooks.meterLevel(m_pGUI, 0);
    EXPECT_GT(loud, 0.5f);
    EXPECT_GT(m_Hooks.meterLevel(m_pGUI, 1), 0.5f);
    for (int tick = 0; tick < 3; ++tick) {
        render(0.0f);
        m_pInstance->DecayMeters(0.0f);
        render(0.0f);
        m_pInstance->Automation().ProcessPending();
        m_Hooks.advance(m_pGUI, 50);
    }
    const float falling = m_Hooks.meterLevel(m_pGUI, 0);
    EXPECT_LT(falling, loud);
    EXPECT_GT(falling, 0.0f) << "release 200 ms: not gone after 150 ms";
}

TEST_F(ModuleEditor, ClosingTwiceClosesOnceAndReopeningResynchronises)
{
    m_pInstance->Parameters()->SetParameterNormalizedValue("3", 0.75);
    m_pInstance->Automation().ProcessPending();
    ASSERT_EQ(m_pInstance->SetView(0), AAX_SUCCESS);
    EXPECT_EQ(m_Hooks.isOpen(m_pGUI), 0);
    AAX_Point size{};
    m_pGUI->GetViewSize(&size);
    EXPECT_EQ(m_pGUI->SetViewContainer(nullptr), AAX_SUCCESS);
    EXPECT_EQ(m_Hooks.isOpen(m_pGUI), 0);
    // Replacing the container closes the editor and opens it anew; the sanitizer build
    // checks that the cycles leave nothing behind.
    for (int round = 0; round < 10; ++round) {
        ASSERT_EQ(m_pInstance->SetView(0x5A0002ul + static_cast<unsigned long>(round)), AAX_SUCCESS);
        EXPECT_EQ(m_Hooks.viewCount(m_pGUI), 34);
        EXPECT_FLOAT_EQ(m_Hooks.knobValue(m_pGUI, 2), 0.75f) << "every parameter pushed on opening";
    }
    ASSERT_EQ(m_pInstance->SetView(0), AAX_SUCCESS);
}
