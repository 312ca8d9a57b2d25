// Live audio for edit: the device chosen when no server answers, the audio callback's
// real-time rules, and the looped and resampled input it plays. (The JACK client as a test
// client of the server sees it: the edit command's test.)
#include "RealtimeProbe.h"
#include "CAudioDevice.h"
#include "CEffectSession.h"
#include "CLoopSource.h"
#include "CModuleHost.h"
#include "CRenderCallback.h"
#include "Resample.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

const CModuleHost& Host()
{
    static const CModuleHost host(BW_MODULE_PATH);
    return host;
}

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

float Sine(uint64_t n, double fRate) { return float(0.5 * std::sin(2.0 * kPi * 440.0 * double(n) / fRate)); }

double RmsDb(const std::vector<float>& v)
{
    double sum = 0.0;
    for (float f : v)
        sum += double(f) * f;
    return 10.0 * std::log10(sum / double(v.size()));
}

// Everything written to stderr while f runs.
template <typename F>
std::string CaptureStderr(F&& f)
{
    const std::string path = ::testing::TempDir() + "bwcli-stderr.txt";
    const int file = open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    const int saved = dup(STDERR_FILENO);
    dup2(file, STDERR_FILENO);
    f();
    dup2(saved, STDERR_FILENO);
    close(saved);
    close(file);
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

struct SCountingCallback : CAudioCallback {
    std::atomic<int> m_nCalls{0};
    void Process(const float* const*, int, float* const*, int, int) override { ++m_nCalls; }
};

}  // namespace

TEST(AudioDevice, WithoutAServerSaysSoInOneLineAndPlaysSilently)
{
    setenv("JACK_DEFAULT_SERVER", ("bwcli-none-" + std::to_string(getpid())).c_str(), 1);
    setenv("PULSE_SERVER", "unix:/nonexistent/bwcli-pulse", 1);
    for (const auto& [eBackEnd, bLive] : {std::pair{EAudioBackEnd::kAuto, false}, std::pair{EAudioBackEnd::kJack, false},
                                          std::pair{EAudioBackEnd::kPulse, false}, std::pair{EAudioBackEnd::kAuto, true}}) {
        SCOPED_TRACE(int(eBackEnd) * 2 + bLive);
        SAudioRequest request;
        request.m_eBackEnd = eBackEnd;
        request.m_bLive = bLive;
        std::string notice;
        std::unique_ptr<CAudioDevice> pDevice;
        EXPECT_EQ(CaptureStderr([&] { pDevice = OpenAudioDevice(request, notice); }), "") << "libjack or libpulse spoke";
        EXPECT_STREQ(pDevice->Name(), "none");
        EXPECT_EQ(notice.rfind("audio: ", 0), 0u) << notice;
        EXPECT_EQ(notice.find('\n'), std::string::npos) << notice;
        EXPECT_NE(notice.find(eBackEnd == EAudioBackEnd::kPulse ? "PulseAudio" : "JACK"), std::string::npos) << notice;
        SCountingCallback callback;
        pDevice->Start(callback);
        // Paced at the block's duration; a loaded machine may start the thread late.
        for (int i = 0; i < 2000 && callback.m_nCalls.load() < 2; ++i)
            Pause(5);
        pDevice->Stop();
        EXPECT_GE(callback.m_nCalls.load(), 2) << "the silent device paces the editor's audio";
    }
    std::string notice;
    SAudioRequest none;
    none.m_eBackEnd = EAudioBackEnd::kNone;
    EXPECT_STREQ(OpenAudioDevice(none, notice)->Name(), "none");
    EXPECT_EQ(notice, "") << "asked for silence: nothing to say";
    unsetenv("PULSE_SERVER");
}

TEST(RenderCallback, NeitherAllocatesNorLocks)
{
    Host();
    uintptr_t nBegin = 0, nEnd = 0;
    ASSERT_TRUE(FindLoadedLibrary("/BrindleWarbler.so", nBegin, nEnd));
    std::vector<float> tone(48000);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = Sine(i, 48000.0);
    for (const bool bLive : {false, true}) {
        SCOPED_TRACE(bLive ? "live" : "loop");
        CEffectSession session(Host(), Host().ComponentFor(2), 48000.0f, 256);
        session.ApplyPreset(ResolvePreset("Disintegrated"));
        CLoopSource loop({tone});
        CRenderCallback callback(session.Instance(), 256, bLive ? nullptr : &loop);
        std::vector<float> left(700), right(700);
        const float* ppIn[2] = {tone.data(), tone.data() + 1};
        float* ppOut[2] = {left.data(), right.data()};
        std::thread audio([&] {
            // The preset's batches are applied and handed back (the hand-back locks).
            for (int b = 0; b < 8; ++b) {
                callback.Process(ppIn, 2, ppOut, 2, 256);
                if (b == 4)
                    session.Instance().Parameters()->TimerWakeup();
            }
            for (int b = 0; b < 40; ++b) {
                ArmProbe(nBegin, nEnd);
                callback.Process(ppIn, bLive ? 1 : 0, ppOut, 2, b == 20 ? 700 : 256);  // 700: in pieces
                const SProbeCounts counts = DisarmProbe();
                ASSERT_EQ(counts.m_nAllocations + counts.m_nFrees, 0) << "buffer " << b;
                ASSERT_EQ(counts.m_nModuleLocks + counts.m_nHostLocks + counts.m_nOtherLocks, 0) << "buffer " << b;
            }
        });
        audio.join();
        EXPECT_GT(RmsDb(std::vector<float>(left.begin(), left.begin() + 256)), -40.0) << "the callback rendered";
    }
}

TEST(LoopSourceAndResample, WrapAFileForEveryChannelAndKeepDurationAndPitch)
{
    CLoopSource loop({{0, 1, 2, 3, 4}});
    float a[4] = {}, b[4] = {};
    float* pp[2] = {a, b};
    loop.Read(pp, 2, 3);
    loop.Read(pp, 2, 4);
    EXPECT_EQ(std::vector<float>(a, a + 4), (std::vector<float>{3, 4, 0, 1}));
    EXPECT_EQ(std::vector<float>(b, b + 4), (std::vector<float>{3, 4, 0, 1}));
    CLoopSource({}).Read(pp, 2, 4);
    EXPECT_EQ(std::vector<float>(a, a + 4), std::vector<float>(4, 0.0f));

    std::vector<float> sine(44100);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] = Sine(i, 44100.0);
    const std::vector<std::vector<float>> out = ResampleChannels({sine, sine}, 44100, 48000);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NEAR(double(out[1].size()), 48000.0, 2.0);
    double worst = 0.0;
    for (size_t i = 1000; i < 47000; ++i)
        worst = std::max(worst, std::abs(double(out[1][i]) - Sine(i, 48000.0)));
    EXPECT_LT(worst, 1e-3);
}
