// An hour of 44.1 kHz stereo through the whole render path (host -> BrindleWarbler.so ->
// engine) with every stage on, in 512-frame buffers: music, then a loud passage, then silence.
// Counters: whether every sample was finite, resident memory at the start and the end (peak
// and current; flat means no growth over the hour), and the cost per frame of the music and
// of the silence after the loud passage (decaying tails must not crawl through subnormals:
// silence_over_music must stay at or below 1.5).
#include "EveryStage.h"
#include "ModuleDriver.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 512;
constexpr double kLoudSeconds = 10.0, kSilentSeconds = 90.0;

double PeakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss);
}

double CurrentRssKiB()
{
    long nPages = 0, nResident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &nPages, &nResident) != 2)
            nResident = 0;
        std::fclose(f);
    }
    return double(nResident) * 4.0;
}

// Two tones under a slow swell, so the compander and saturation keep moving.
void Music(std::vector<std::vector<float>>& in, int64_t nPosition, float fGain)
{
    for (int i = 0; i < kFrames; ++i) {
        const double t = double(nPosition + i) / kRate;
        const float swell = fGain * float(0.55 + 0.45 * std::sin(2.0 * M_PI * 0.1 * t));
        in[0][size_t(i)] = swell * float(0.3 * std::sin(2.0 * M_PI * 220.0 * t) + 0.1 * std::sin(2.0 * M_PI * 1760.0 * t));
        in[1][size_t(i)] = swell * float(0.3 * std::sin(2.0 * M_PI * 331.0 * t) + 0.1 * std::sin(2.0 * M_PI * 2489.0 * t));
    }
}

}  // namespace

static void BM_ModuleHourEveryStage(benchmark::State& state)
{
    const int64_t nTotal = state.range(0) * kRate;
    const int64_t nSilentFrom = nTotal - int64_t(kSilentSeconds * kRate);
    const int64_t nLoudFrom = nSilentFrom - int64_t(kLoudSeconds * kRate);
    std::vector<std::vector<float>> in(2, std::vector<float>(kFrames)), out(2, std::vector<float>(kFrames));
    const float* ins[2] = {in[0].data(), in[1].data()};
    float* outs[2] = {out[0].data(), out[1].data()};
    double fMusicNs = 0.0, fSilenceNs = 0.0;
    int64_t nMusicFrames = 0, nSilentFrames = 0, nNonFinite = 0;
    double fPeakStart = 0.0, fPeakEnd = 0.0, fRssStart = 0.0, fRssEnd = 0.0;

    for (auto _ : state) {
        CHostInstance instance(Effect(LoadedModule(BW_MODULE_PATH)), 1, float(kRate), kFrames);
        if (instance.Create() != AAX_SUCCESS) {
            state.SkipWithError("instance creation failed");
            return;
        }
        for (const SControlSetting& s : kEveryStage)
            SetReal(instance, int(s.m_uIndex), s.m_fValue);
        for (int64_t nPosition = 0; nPosition < nTotal; nPosition += kFrames) {
            const bool bSilent = nPosition >= nSilentFrom;
            if (bSilent) {
                std::fill(in[0].begin(), in[0].end(), 0.0f);
                std::fill(in[1].begin(), in[1].end(), 0.0f);
            } else {
                Music(in, nPosition, nPosition >= nLoudFrom ? 3.0f : 1.0f);
            }
            const auto start = std::chrono::steady_clock::now();
            instance.Render(ins, outs, kFrames);
            const double fNs = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
            // The parameter thread's share: meter values answered, finished batches freed.
            if (nPosition % (kFrames * 4) == 0) {
                instance.Automation().ProcessPending();
                instance.Parameters()->TimerWakeup();
            }
            if (bSilent) {
                fSilenceNs += fNs;
                nSilentFrames += kFrames;
            } else if (nPosition < nLoudFrom && nPosition >= kRate) {  // music after the first second
                fMusicNs += fNs;
                nMusicFrames += kFrames;
            }
            for (const auto& channel : out)
                for (float x : channel)
                    nNonFinite += std::isfinite(x) ? 0 : 1;
            if (nPosition / kFrames == int64_t(60) * kRate / kFrames) {  // a minute in
                fPeakStart = PeakRssKiB();
                fRssStart = CurrentRssKiB();
            }
        }
        fPeakEnd = PeakRssKiB();
        fRssEnd = CurrentRssKiB();
        instance.Destroy();
    }
    const double fMusic = fMusicNs / double(nMusicFrames), fSilence = fSilenceNs / double(nSilentFrames);
    state.counters["frames"] = double(nTotal);
    state.counters["output_finite"] = nNonFinite == 0 ? 1.0 : 0.0;
    state.counters["peak_rss_start_KiB"] = fPeakStart;
    state.counters["peak_rss_end_KiB"] = fPeakEnd;
    state.counters["rss_start_KiB"] = fRssStart;
    state.counters["rss_end_KiB"] = fRssEnd;
    state.counters["music_ns_per_frame"] = fMusic;
    state.counters["silence_ns_per_frame"] = fSilence;
    state.counters["silence_over_music"] = fSilence / fMusic;
    if (nNonFinite != 0 || fSilence / fMusic > 1.5 || fPeakEnd > fPeakStart * 1.05)
        state.SetLabel("FAILED: non-finite output, slow silence or memory growth");
}
BENCHMARK(BM_ModuleHourEveryStage)->Arg(3600)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
