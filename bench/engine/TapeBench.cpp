// Throughput of the tape chain as hosts drive it: 512-frame stereo buffers through
// processFrames. Items are frames; items/s divided by the sample rate is the real-time factor.
// The *PerFrame variants call processFrame (the readable chain) once per frame instead.
#include "CModDelayModule.h"
#include "EveryStage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void everyStageOn(CModDelayModule& m)
{
    for (const SControlSetting& s : kEveryStage)
        m.setControlValue(s.m_uIndex, s.m_fValue);
}

constexpr int kBufferFrames = 512;

// A second of a two-tone stereo signal in two channel buffers.
struct TestSignal {
    std::vector<float> left, right, outLeft, outRight;
    explicit TestSignal(int nRate, float fLevel = 0.3f)
        : left(static_cast<size_t>(nRate)), right(left.size()), outLeft(left.size()), outRight(left.size())
    {
        for (int i = 0; i < nRate; ++i) {
            left[i] = fLevel * std::sin(6.2831853f * 220.0f * i / nRate);
            right[i] = fLevel * std::sin(6.2831853f * 331.0f * i / nRate);
        }
    }
    // Renders the buffer starting at frame nAt (looping over the second).
    void render(CModDelayModule& m, size_t nAt)
    {
        const float* ins[2] = {left.data() + nAt, right.data() + nAt};
        float* outs[2] = {outLeft.data() + nAt, outRight.data() + nAt};
        m.processFrames(ins, outs, 2, 2, kBufferFrames);
    }
    size_t next(size_t nAt) const { return nAt + 2 * kBufferFrames > left.size() ? 0 : nAt + kBufferFrames; }
};

void settle(CModDelayModule& m, TestSignal& sig)
{
    size_t at = 0;
    for (size_t n = 0; n < sig.left.size(); n += kBufferFrames, at = sig.next(at))
        sig.render(m, at);  // the smoothers come to rest: the steady cost is measured
}

// The timed loop: one buffer of sig per iteration.
void timeBuffers(benchmark::State& state, CModDelayModule& m, TestSignal& sig)
{
    size_t at = 0;
    for (auto _ : state) {
        sig.render(m, at);
        benchmark::DoNotOptimize(sig.outLeft.data());
        at = sig.next(at);
    }
    state.SetItemsProcessed(state.iterations() * kBufferFrames);
}

void runBuffers(benchmark::State& state, CModDelayModule& m, int nRate)
{
    TestSignal sig(nRate);
    settle(m, sig);
    timeBuffers(state, m, sig);
    state.counters["xRealTime"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBufferFrames / nRate,
                                                     benchmark::Counter::kIsRate);
}

void runFrames(benchmark::State& state, CModDelayModule& m, int nRate)
{
    TestSignal sig(nRate);
    settle(m, sig);
    size_t i = 0;
    for (auto _ : state) {
        const float in[2] = {sig.left[i], sig.right[i]};
        float out[2];
        m.processFrame(in, out, 2, 2);
        benchmark::DoNotOptimize(out);
        i = i + 1 >= sig.left.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
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
    runBuffers(state, m, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_TapeStereoDefaults)->Arg(44100)->Arg(192000)->MinWarmUpTime(0.3);

static void BM_TapeStereoEveryStage(benchmark::State& state)
{
    CModDelayModule m;
    prepare(m, static_cast<int>(state.range(0)));
    everyStageOn(m);
    runBuffers(state, m, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_TapeStereoEveryStage)->Arg(44100)->Arg(192000)->MinWarmUpTime(0.3);

// Every stage on through each kernel table (0 the per-frame chain, 1 baseline, 2 AVX2; a
// table the processor lacks falls back to the best it has).
static void BM_TapeStereoEveryStageKernels(benchmark::State& state)
{
    CModDelayModule m;
    prepare(m, 44100);
    state.SetLabel(tape::kernelsName(m.selectKernels(static_cast<ETapeKernels>(state.range(0)))));
    everyStageOn(m);
    runBuffers(state, m, 44100);
}
BENCHMARK(BM_TapeStereoEveryStageKernels)->DenseRange(0, 2)->MinWarmUpTime(0.3);

static void BM_TapeStereoEveryStagePerFrame(benchmark::State& state)
{
    CModDelayModule m;
    prepare(m, 44100);
    everyStageOn(m);
    runFrames(state, m, 44100);
}
BENCHMARK(BM_TapeStereoEveryStagePerFrame);

static void BM_TapeStereoTenKnobsMoving(benchmark::State& state)
{
    constexpr int kRate = 44100;
    CModDelayModule m;
    prepare(m, kRate);
    everyStageOn(m);
    TestSignal sig(kRate);
    settle(m, sig);
    size_t at = 0;
    int nBuffer = 0;
    bool bUp = true;
    for (auto _ : state) {
        if (nBuffer++ % 4 == 0) {  // new targets every 2048 frames, well before the smoothers settle
            bUp = !bUp;
            for (uint32_t k = 0; k < 10; ++k) {
                const ControlRecord* r = m.controlRecord(k);
                m.setControlValue(k, r->m_fMin + (bUp ? 0.8f : 0.2f) * (r->m_fMax - r->m_fMin));
            }
        }
        sig.render(m, at);
        benchmark::DoNotOptimize(sig.outLeft.data());
        at = sig.next(at);
    }
    state.SetItemsProcessed(state.iterations() * kBufferFrames);
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
    TestSignal loud(kRate, 0.9f);
    settle(m, loud);
    TestSignal silence(kRate, 0.0f);
    for (int k = 0; k < 5; ++k)
        settle(m, silence);  // let the tails reach the denormal range
    timeBuffers(state, m, silence);
}
BENCHMARK(BM_TapeStereoSilenceAfterLoud);
