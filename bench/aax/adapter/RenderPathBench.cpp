// Cost of the whole render path, host -> BrindleWarbler.so -> engine, for 512-frame stereo
// buffers, next to the engine's own processFrame loop over the same buffers and controls.
// Compare the per-frame time (1 / items per second) of the two, and with
// bench/engine's BM_TapeStereoEveryStage and BM_TapeStereoDefaults.
#include "EveryStage.h"
#include "ModuleDriver.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 512;

struct SSignal {
    std::vector<std::vector<float>> m_In{2, std::vector<float>(kFrames)}, m_Out{2, std::vector<float>(kFrames)};
    std::vector<const float*> m_InPtrs{m_In[0].data(), m_In[1].data()};
    std::vector<float*> m_OutPtrs{m_Out[0].data(), m_Out[1].data()};
    int64_t m_nPosition = 0;
    // The engine benchmark's two-tone signal, buffer after buffer.
    void Next()
    {
        for (int i = 0; i < kFrames; ++i) {
            const int64_t n = (m_nPosition + i) % kRate;
            m_In[0][size_t(i)] = 0.3f * std::sin(6.2831853f * 220.0f * float(n) / kRate);
            m_In[1][size_t(i)] = 0.3f * std::sin(6.2831853f * 331.0f * float(n) / kRate);
        }
        m_nPosition += kFrames;
    }
};

void RunModule(benchmark::State& state, bool bEveryStage)
{
    CHostInstance instance(Effect(LoadedModule(BW_MODULE_PATH)), 1, float(kRate), kFrames);
    if (instance.Create() != AAX_SUCCESS) {
        state.SkipWithError("instance creation failed");
        return;
    }
    if (bEveryStage)
        for (const SControlSetting& s : kEveryStage)
            SetReal(instance, int(s.m_uIndex), s.m_fValue);
    SSignal sig;
    for (int b = 0; b < kRate / kFrames; ++b) {  // a second for the smoothers to settle
        sig.Next();
        instance.Render(sig.m_InPtrs.data(), sig.m_OutPtrs.data(), kFrames);
    }
    instance.Automation().ProcessPending();
    for (auto _ : state) {
        instance.Render(sig.m_InPtrs.data(), sig.m_OutPtrs.data(), kFrames);
        benchmark::DoNotOptimize(sig.m_Out[0].data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
    instance.Destroy();
}

void RunEngine(benchmark::State& state, bool bEveryStage)
{
    CModDelayModule m;
    m.m_nSampleRate = kRate;
    m.resetForSampleRate();
    if (bEveryStage)
        for (const SControlSetting& s : kEveryStage)
            m.setControlValue(s.m_uIndex, s.m_fValue);
    SSignal sig;
    auto process = [&] {
        for (int i = 0; i < kFrames; ++i) {
            const float in[2] = {sig.m_In[0][size_t(i)], sig.m_In[1][size_t(i)]};
            float out[2];
            m.processFrame(in, out, 2, 2);
            sig.m_Out[0][size_t(i)] = out[0];
            sig.m_Out[1][size_t(i)] = out[1];
        }
    };
    for (int b = 0; b < kRate / kFrames; ++b) {
        sig.Next();
        process();
    }
    for (auto _ : state) {
        process();
        benchmark::DoNotOptimize(sig.m_Out[0].data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}

}  // namespace

static void BM_ModuleRenderStereoEveryStage(benchmark::State& state)
{
    RunModule(state, true);
}
BENCHMARK(BM_ModuleRenderStereoEveryStage);

static void BM_ModuleRenderStereoDefaults(benchmark::State& state)
{
    RunModule(state, false);
}
BENCHMARK(BM_ModuleRenderStereoDefaults);

static void BM_EngineFramesStereoEveryStage(benchmark::State& state)
{
    RunEngine(state, true);
}
BENCHMARK(BM_EngineFramesStereoEveryStage);

static void BM_EngineFramesStereoDefaults(benchmark::State& state)
{
    RunEngine(state, false);
}
BENCHMARK(BM_EngineFramesStereoDefaults);
