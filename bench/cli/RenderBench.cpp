// Throughput of the render command's path: a 60-second stereo 44.1 kHz 16-bit WAV read,
// rendered through the module and written, file I/O included. The counter realtime_x is
// seconds of audio per second of wall time.

#include "CModuleHost.h"
#include "CRenderJob.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kSeconds = 60.0;
constexpr int kRate = 44100;

const std::string& InputFile()
{
    static const std::string path = [] {
        std::string pattern = "/tmp/bwbench-XXXXXX";
        const std::string dir = mkdtemp(pattern.data());
        const std::string file = dir + "/in.wav";
        SF_INFO info{};
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        info.channels = 2;
        info.samplerate = kRate;
        SNDFILE* f = sf_open(file.c_str(), SFM_WRITE, &info);
        std::vector<float> frames(2 * kRate);
        uint32_t noise = 1;
        for (int second = 0; second < int(kSeconds); ++second) {
            for (int i = 0; i < kRate; ++i) {
                noise = noise * 1664525u + 1013904223u;
                const double t = double(second) + double(i) / kRate;
                const float tone = float(0.3 * std::sin(2.0 * M_PI * 220.0 * t) + 0.1 * ((noise >> 9) / 4194304.0 - 1.0));
                frames[size_t(2 * i)] = tone;
                frames[size_t(2 * i + 1)] = -tone;
            }
            sf_writef_float(f, frames.data(), kRate);
        }
        sf_close(f);
        return file;
    }();
    return path;
}

const CModuleHost& Host()
{
    static const CModuleHost host(BW_MODULE_PATH);
    return host;
}

void Render(benchmark::State& state, const SRenderOptions& options)
{
    for (auto _ : state)
        RenderFile(Host(), options);
    state.counters["realtime_x"] = benchmark::Counter(kSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

SRenderOptions Options()
{
    SRenderOptions options;
    options.m_Input = InputFile();
    options.m_Output = InputFile() + ".out.wav";
    options.m_nSeed = 1;
    return options;
}

// Every stage at work: wow and flutter (random), hiss, dropouts per channel, saturation,
// tape type and age, the compander.
void BM_RenderEveryStage(benchmark::State& state)
{
    SRenderOptions options = Options();
    options.m_Preset = "Disintegrated";
    options.m_Settings = {"Tape Hiss=-50", "NR Comp=ON", "Wow LFO=random", "Mono/Stereo Dropouts=ON"};
    Render(state, options);
}
BENCHMARK(BM_RenderEveryStage)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderFactoryPreset(benchmark::State& state)
{
    Render(state, Options());
}
BENCHMARK(BM_RenderFactoryPreset)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command's own cost: files, host calls and buffers around a bypassed module.
void BM_RenderBypassed(benchmark::State& state)
{
    SRenderOptions options = Options();
    options.m_bBypass = true;
    Render(state, options);
}
BENCHMARK(BM_RenderBypassed)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
