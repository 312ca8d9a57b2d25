// Live audio for edit: the device chosen when no server answers, the JACK client as a test
// client of the server sees it (ports, connections, processed audio, xruns), the audio
// callback's real-time rules, and the looped and resampled input it plays.
#include "RealtimeProbe.h"
#include "CAudioDevice.h"
#include "CEffectSession.h"
#include "CLoopSource.h"
#include "CModuleHost.h"
#include "CRenderCallback.h"
#include "PrivateJackServer.h"
#include "Resample.h"

#include <gtest/gtest.h>
#include <jack/jack.h>

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

// Counts the buffers; one of them (when given) overruns by 40 ms.
struct SCountingCallback : CAudioCallback {
    CAudioCallback* m_pInner = nullptr;
    int m_nLate = -1;
    std::atomic<int> m_nCalls{0};
    void Process(const float* const* ppIn, int nIn, float* const* ppOut, int nOut, int nFrames) override
    {
        if (m_pInner)
            m_pInner->Process(ppIn, nIn, ppOut, nOut, nFrames);
        if (++m_nCalls == m_nLate)
            Pause(40);
    }
};

// Plays a sine into brindlewarbler's inputs and records its outputs.
class CLoopbackClient {
public:
    explicit CLoopbackClient(size_t nFrames) : m_Recorded{std::vector<float>(nFrames), std::vector<float>(nFrames)}
    {
        m_pClient = jack_client_open("bwcli-loopback", JackNoStartServer, nullptr);
        if (!m_pClient)
            return;
        m_fRate = jack_get_sample_rate(m_pClient);
        for (int c = 0; c < 2; ++c) {
            m_pOut[c] = jack_port_register(m_pClient, ("out_" + std::to_string(c + 1)).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
            m_pIn[c] = jack_port_register(m_pClient, ("in_" + std::to_string(c + 1)).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        }
        jack_set_process_callback(m_pClient, OnProcess, this);
        jack_activate(m_pClient);
    }
    ~CLoopbackClient()
    {
        if (m_pClient)
            jack_client_close(m_pClient);
    }
    jack_client_t* Client() const { return m_pClient; }
    bool Connected(const std::string& port, const std::string& other) const
    {
        const jack_port_t* p = jack_port_by_name(m_pClient, port.c_str());
        return p && jack_port_connected_to(p, other.c_str());
    }
    void Record(const std::string& effect)
    {
        for (const std::string n : {"1", "2"}) {
            jack_connect(m_pClient, ("bwcli-loopback:out_" + n).c_str(), (effect + ":in_" + n).c_str());
            jack_connect(m_pClient, (effect + ":out_" + n).c_str(), ("bwcli-loopback:in_" + n).c_str());
        }
        m_bRecording = true;
        for (int i = 0; i < 300 && m_nRecorded.load() < m_Recorded[0].size(); ++i)
            Pause(20);
    }
    bool Full() const { return m_nRecorded.load() == m_Recorded[0].size(); }

    double m_fRate = 48000.0;
    std::vector<float> m_Recorded[2];

private:
    static int OnProcess(jack_nframes_t nFrames, void* pThis)
    {
        auto& self = *static_cast<CLoopbackClient*>(pThis);
        for (int c = 0; c < 2; ++c) {
            auto* pOut = static_cast<float*>(jack_port_get_buffer(self.m_pOut[c], nFrames));
            for (jack_nframes_t i = 0; i < nFrames; ++i)
                pOut[i] = Sine(self.m_nPlayed + i, self.m_fRate);
        }
        self.m_nPlayed += nFrames;
        if (self.m_bRecording) {
            const size_t at = self.m_nRecorded.load();
            const size_t n = std::min<size_t>(nFrames, self.m_Recorded[0].size() - at);
            for (int c = 0; c < 2; ++c) {
                const auto* pIn = static_cast<const float*>(jack_port_get_buffer(self.m_pIn[c], nFrames));
                std::copy(pIn, pIn + n, self.m_Recorded[c].begin() + long(at));
            }
            self.m_nRecorded = at + n;
        }
        return 0;
    }

    jack_client_t* m_pClient = nullptr;
    jack_port_t* m_pOut[2] = {};
    jack_port_t* m_pIn[2] = {};
    uint64_t m_nPlayed = 0;
    std::atomic<bool> m_bRecording{false};
    std::atomic<size_t> m_nRecorded{0};
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

// The command's live path as classes: device, session at the server's rate, callback. A test
// client plays a sine into the effect and records what comes back; one late buffer is an xrun.
TEST(JackDevice, LiveInputComesBackProcessedAndALateBufferIsAnXrun)
{
    if (!CPrivateJackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (scripts/setup installs it)";
    CPrivateJackServer server;
    ASSERT_TRUE(server.Ready()) << "jackd did not start";
    setenv("JACK_DEFAULT_SERVER", server.Name().c_str(), 1);

    SAudioRequest request;
    request.m_bLive = true;
    request.m_fSampleRate = 44100;  // a back-end that has its own rate ignores this
    std::string notice;
    const std::unique_ptr<CAudioDevice> pDevice = OpenAudioDevice(request, notice);
    ASSERT_STREQ(pDevice->Name(), "JACK") << notice;
    EXPECT_EQ(pDevice->SampleRate(), 48000.0);
    EXPECT_EQ(pDevice->BufferFrames(), 256);
    CEffectSession session(Host(), Host().ComponentFor(2), float(pDevice->SampleRate()), pDevice->BufferFrames());
    session.ApplySetting("Output=-12");
    CRenderCallback render(session.Instance(), pDevice->BufferFrames(), nullptr);
    SCountingCallback callback;
    callback.m_pInner = &render;
    callback.m_nLate = 20;
    pDevice->Start(callback);

    CLoopbackClient client(48000);
    ASSERT_NE(client.Client(), nullptr);
    for (const std::string n : {"1", "2"}) {
        EXPECT_TRUE(client.Connected("brindlewarbler:out_" + n, "system:playback_" + n));
        EXPECT_TRUE(client.Connected("brindlewarbler:in_" + n, "system:capture_" + n));
    }
    Pause(500);  // the smoothing settles
    client.Record("brindlewarbler");
    ASSERT_TRUE(client.Full()) << "the loop did not run";
    pDevice->Stop();
    EXPECT_GE(pDevice->Xruns(), 1u);
    EXPECT_GT(pDevice->SecondsPlayed(), 0.5);

    // The same sine rendered offline through an instance of the same settings.
    CEffectSession offline(Host(), Host().ComponentFor(2), 48000.0f, 256);
    offline.ApplySetting("Output=-12");
    std::vector<float> in(256), outL(256), outR(256), reference;
    for (uint64_t at = 0; at < 72000; at += 256) {
        for (size_t i = 0; i < 256; ++i)
            in[i] = Sine(at + i, 48000.0);
        const float* ppIn[2] = {in.data(), in.data()};
        float* ppOut[2] = {outL.data(), outR.data()};
        offline.Render(ppIn, ppOut, 256);
        if (at >= 24000)
            reference.insert(reference.end(), outL.begin(), outL.end());
    }
    EXPECT_LT(RmsDb(reference) - 20.0 * std::log10(0.5 / std::sqrt(2.0)), -6.0) << "a pass-through keeps the dry level";
    for (int c = 0; c < 2; ++c)
        EXPECT_NEAR(RmsDb(client.m_Recorded[c]), RmsDb(reference), 0.5) << "channel " << c;
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
