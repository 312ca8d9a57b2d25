// Cost of one frame of the building blocks the tape engine runs every sample.
#include "CDDLModule.h"
#include "CWTOscillator.h"

#include <benchmark/benchmark.h>

static void BM_DDLModuleFrame(benchmark::State& state)
{
    CDDLModule ddl;
    ddl.resetForSampleRate();
    ddl.m_fWetLevel_pct = 100.0f;
    ddl.m_fFeedback_pct = 20.0f;
    float x = 0.25f, out[2] = {0, 0};
    float fDelay = 1.0f;
    for (auto _ : state) {
        // As the engine drives it: a new delay time before every sample.
        fDelay = fDelay > 3.5f ? 0.5f : fDelay + 0.001f;
        ddl.m_fDelay_ms = fDelay;
        ddl.updateDelayParameters();
        ddl.processFrame(&x, out, 1, 1);
        benchmark::DoNotOptimize(out[0]);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DDLModuleFrame);

static void BM_WTOscillatorSample(benchmark::State& state)
{
    CWTOscillator osc;
    osc.m_uOscType = static_cast<uint32_t>(state.range(0));
    osc.m_uPolarity = 1;
    osc.m_fFrequency_Hz = 5.0f;
    osc.resetForSampleRate();
    osc.m_bPlaying = true;
    float a = 0, b = 0;
    for (auto _ : state) {
        osc.nextSample(a, b);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WTOscillatorSample)->Arg(CWTOscillator::kSine)->Arg(CWTOscillator::kRandom);
