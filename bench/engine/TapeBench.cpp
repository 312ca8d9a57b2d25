// Throughput of the tape chain, one stereo frame per iteration. Items/s divided by the sample
// rate is the real-time factor.
#include "CModDelayModule.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void everyStageOn(CModDelayModule& m)
{
    m.setControlValue(CModDelayModule::kWowDepth, 100.0f);
    m.setControlValue(CModDelayModule::kFlutterDepth, 100.0f);
    m.setControlValue(CModDelayModule::kWowRate, 2.0f);
    m.setControlValue(CModDelayModule::kFlutterRate, 9.0f);
    m.setControlValue(CModDelayModule::kTapeHiss, -40.0f);
    m.setControlValue(CModDelayModule::kDropoutAmount, 10.0f);
    m.setControlValue(CModDelayModule::kDropoutIntensity, 1.0f);
    m.setControlValue(CModDelayModule::kSaturation, 6.0f);
    m.setControlValue(CModDelayModule::kWowLfo, 1.0f);
    m.setControlValue(CModDelayModule::kFlutterLfo, 1.0f);
    m.setControlValue(CModDelayModule::kTapeType, 2.0f);
    m.setControlValue(CModDelayModule::kAge, 4.0f);
    m.setControlValue(CModDelayModule::kNrComp, 1.0f);
    m.setControlValue(CModDelayModule::kMonoStereoDropouts, 1.0f);
}

// A second of a two-tone stereo signal, looped.
std::vector<float> testSignal(int nRate)
{
    std::vector<float> v(2 * static_cast<size_t>(nRate));
    for (int i = 0; i < nRate; ++i) {
        v[2 * i] = 0.3f * std::sin(6.2831853f * 220.0f * i / nRate);
        v[2 * i + 1] = 0.3f * std::sin(6.2831853f * 331.0f * i / nRate);
    }
    return v;
}

void runFrames(benchmark::State& state, CModDelayModule& m, int nRate)
{
    const std::vector<float> sig = testSignal(nRate);
    // Let the smoothers settle so the steady cost is measured.
    float out[2];
    for (int i = 0; i < nRate; ++i)
        m.processFrame(&sig[2 * (i % nRate)], out, 2, 2);
    size_t i = 0;
    for (auto _ : state) {
        m.processFrame(&sig[i], out, 2, 2);
        benchmark::DoNotOptimize(out);
        i = i + 2 >= sig.size() ? 0 : i + 2;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["xRealTime"] = benchmark::Counter(static_cast<double>(state.iterations()) / nRate,
                                                     benchmark::Counter::kIsRate);
}

void prepare(CModDelayModule& m, int nRate)
{
    m.m_nSampleRate = nRate;
    m.resetForSampleRate();
}

}  // namespace

static void BM_TapeStereoDefaults(benchmark::State& state)
{
    CModDelayModule m;
    prepare(m, static_cast<int>(state.range(0)));
    runFrames(state, m, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_TapeStereoDefaults)->Arg(44100)->Arg(192000);

static void BM_TapeStereoEveryStage(benchmark::State& state)
{
    CModDelayModule m;
    prepare(m, static_cast<int>(state.range(0)));
    everyStageOn(m);
    runFrames(state, m, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_TapeStereoEveryStage)->Arg(44100)->Arg(192000);

// All ten knobs moving at once with every stage on: every frame each smoother calls
// controlChanged. Compare with BM_TapeStereoEveryStage/44100, the same chain held still.
static void BM_TapeStereoTenKnobsMoving(benchmark::State& state)
{
    constexpr int kRate = 44100;
    CModDelayModule m;
    prepare(m, kRate);
    everyStageOn(m);
    const std::vector<float> sig = testSignal(kRate);
    float out[2];
    for (int i = 0; i < kRate; ++i)
        m.processFrame(&sig[2 * i], out, 2, 2);
    size_t i = 0;
    int nFrame = 0;
    bool bUp = true;
    for (auto _ : state) {
        if (nFrame++ % 2048 == 0) {  // new targets well before the smoothers settle
            bUp = !bUp;
            for (uint32_t k = 0; k < 10; ++k) {
                const ControlRecord* r = m.controlRecord(k);
                m.setControlValue(k, r->m_fMin + (bUp ? 0.8f : 0.2f) * (r->m_fMax - r->m_fMin));
            }
        }
        m.processFrame(&sig[i], out, 2, 2);
        benchmark::DoNotOptimize(out);
        i = i + 2 >= sig.size() ? 0 : i + 2;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TapeStereoTenKnobsMoving);

// Silence after a loud passage: decaying filter and follower tails must flush to zero instead
// of crawling through denormals. Compare with BM_TapeStereoEveryStage/44100 (music).
static void BM_TapeStereoSilenceAfterLoud(benchmark::State& state)
{
    constexpr int kRate = 44100;
    CModDelayModule m;
    prepare(m, kRate);
    everyStageOn(m);
    m.setControlValue(CModDelayModule::kTapeHiss, -96.0f);
    std::vector<float> loud = testSignal(kRate);
    for (float& x : loud)
        x *= 3.0f;
    float out[2];
    for (int i = 0; i < kRate; ++i)
        m.processFrame(&loud[2 * i], out, 2, 2);
    const float silence[2] = {0.0f, 0.0f};
    for (int i = 0; i < 5 * kRate; ++i)  // let the tails reach the denormal range
        m.processFrame(silence, out, 2, 2);
    for (auto _ : state) {
        m.processFrame(silence, out, 2, 2);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TapeStereoSilenceAfterLoud);
