// The cost of edit's audio callback per buffer at 48 kHz / 256 frames (JACK's usual size),
// every stage of the effect on: the callback is called directly, 10,000 times in a row, each
// call timed; the counters are the median and the worst call in microseconds. A buffer lasts
// 5333 us.

#include "CEffectSession.h"
#include "CLoopSource.h"
#include "CModuleHost.h"
#include "CRenderCallback.h"
#include "EveryStage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr int kFrames = 256;
constexpr int kCalls = 10000;

void BM_AudioCallback(benchmark::State& state)
{
    const CModuleHost host(BW_MODULE_PATH);
    CEffectSession session(host, host.ComponentFor(2), float(kRate), kFrames);
    for (const SControlSetting& s : kEveryStage) {
        const SParameterInfo& p = session.Resolve(std::to_string(s.m_uIndex + 1));
        session.SetNormalized(p, session.NormalizedFromReal(p, s.m_fValue));
    }
    std::vector<float> music(size_t(4 * kRate));
    uint32_t noise = 1;
    for (size_t i = 0; i < music.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        const double t = double(i) / kRate;
        music[i] = float(0.3 * std::sin(2.0 * M_PI * 220.0 * t) + 0.1 * ((noise >> 9) / 4194304.0 - 1.0));
    }
    CLoopSource loop({music, music});
    CRenderCallback callback(session.Instance(), kFrames, &loop);
    std::vector<float> left(kFrames), right(kFrames);
    float* ppOut[2] = {left.data(), right.data()};
    for (int b = 0; b < 200; ++b)  // settings applied, smoothing settled
        callback.Process(nullptr, 0, ppOut, 2, kFrames);

    std::vector<double> micros(kCalls);
    for (auto _ : state) {
        for (double& us : micros) {
            const auto start = std::chrono::steady_clock::now();
            callback.Process(nullptr, 0, ppOut, 2, kFrames);
            us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
            benchmark::DoNotOptimize(left.data());
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[kCalls / 2];
    state.counters["worst_us"] = micros.back();
    state.counters["budget_us"] = 1e6 * kFrames / kRate;
}
BENCHMARK(BM_AudioCallback)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
