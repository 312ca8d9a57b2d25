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

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <unistd.h>

namespace {

float Sine(uint64_t n, double fRate) { return float(0.5 * std::sin(2.0 * M_PI * 440.0 * double(n) / fRate)); }

struct SCountingCallback : CAudioCallback {
    std::atomic<int> m_nCalls{0};
    void Process(const float* const*, int, float* const*, int, int) override { ++m_nCalls; }
};

}  // namespace

TEST(AudioDevice, WithoutAServerSaysSoInOneLineAndPlaysSilently)
{
    setenv("JACK_DEFAULT_SERVER", ("bwcli-none-" + std::to_string(getpid())).c_str(), 1);
    setenv("PULSE_SERVER", "unix:/nonexistent/bwcli-pulse", 1);
    // Each request, and what its one-line notice names ("": asked for silence, nothing to say).
    const std::tuple<EAudioBackEnd, bool, std::string> requests[] = {{EAudioBackEnd::kAuto, false, "JACK"},
                                                                    {EAudioBackEnd::kJack, false, "JACK"},
                                                                    {EAudioBackEnd::kPulse, false, "PulseAudio"},
                                                                    {EAudioBackEnd::kAuto, true, "JACK"},
                                                                    {EAudioBackEnd::kNone, false, ""}};
    std::unique_ptr<CAudioDevice> pDevice;
    for (const auto& [eBackEnd, bLive, named] : requests) {
        SCOPED_TRACE(int(eBackEnd) * 2 + bLive);
        SAudioRequest request;
        request.m_eBackEnd = eBackEnd;
        request.m_bLive = bLive;
        std::string notice;
        testing::internal::CaptureStderr();
        pDevice = OpenAudioDevice(request, notice);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "libjack or libpulse spoke";
        EXPECT_STREQ(pDevice->Name(), "none");
        if (named.empty()) {
            EXPECT_EQ(notice, "");
        } else {
            EXPECT_TRUE(notice.starts_with("audio: ") && notice.find('\n') == std::string::npos && notice.find(named) != std::string::npos)
                << notice;
        }
    }
    unsetenv("PULSE_SERVER");
    // Paced at the block's duration; a loaded machine may start the thread late.
    SCountingCallback callback;
    pDevice->Start(callback);
    for (int i = 0; i < 2000 && callback.m_nCalls.load() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    pDevice->Stop();
    EXPECT_GE(callback.m_nCalls.load(), 2) << "the silent device paces the editor's audio";
}

TEST(RenderCallback, NeitherAllocatesNorLocks)
{
    static const CModuleHost host(BW_MODULE_PATH);  // loaded for the process, as a host keeps it
    uintptr_t nBegin = 0, nEnd = 0;
    ASSERT_TRUE(FindLoadedLibrary("/BrindleWarbler.so", nBegin, nEnd));
    std::vector<float> tone(48000);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = Sine(i, 48000.0);
    for (const bool bLive : {false, true}) {
        SCOPED_TRACE(bLive ? "live" : "loop");
        CEffectSession session(host, host.ComponentFor(2), 48000.0f, 256);
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
        EXPECT_GT(*std::max_element(left.begin(), left.begin() + 256), 0.01f) << "the callback rendered";
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
