// brindlewarbler edit in a real X11 window (Xvfb in CI): an injected drag on a knob moves its
// parameter, and closing the window saves a state that holds the new value and renders the
// file it played. Live, it joins a private JACK server: a test client plays a sine into it and
// records what comes back, one late cycle of that client is an xrun, and Ctrl-C ends it in order.
#include "CAudioFile.h"
#include "CEffectSession.h"
#include "CModuleHost.h"
#include "CStateRecord.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <jack/jack.h>
#include "XTestInput.h"  // after gtest: Xlib's macros
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <utility>

namespace {

using bwtest::PauseMs;

// The child's exit status, or -1 (and the child killed) when it does not end within nTries x 25 ms.
int WaitOrKill(pid_t nChild, int nTries)
{
    int status = -1;
    for (int i = 0; i < nTries; ++i, PauseMs(25))
        if (waitpid(nChild, &status, WNOHANG) == nChild)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    kill(nChild, SIGKILL);
    waitpid(nChild, &status, 0);
    return -1;
}

// A JACK server of the test's own (`jackd -n bwtest-jack-N -d dummy -r 48000 -p 256`), killed
// with the test and with the test process, should it die first. JACK's registry has eight
// server slots and frees a dead server's slot only when a server of the same name starts. A
// killed test leaves its slot behind, so names come from a small pool: a live server keeps its
// name (jackd refuses and exits), a dead one's is taken over.
struct SPrivateJackServer {
    SPrivateJackServer()
    {
        jack_set_error_function([](const char*) {});
        jack_set_info_function([](const char*) {});
        for (int n = 0; n < 6 && !m_bReady; ++n) {
            m_Name = "bwtest-jack-" + std::to_string(n);
            m_nPid = fork();
            if (m_nPid == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                const int null = open("/dev/null", O_WRONLY);
                dup2(null, STDOUT_FILENO);
                dup2(null, STDERR_FILENO);
                execlp("jackd", "jackd", "-n", m_Name.c_str(), "-d", "dummy", "-r", "48000", "-p", "256", static_cast<char*>(nullptr));
                _exit(127);
            }
            for (int i = 0; i < 100 && m_nPid > 0 && !m_bReady; ++i, PauseMs(50)) {
                if (waitpid(m_nPid, nullptr, WNOHANG) == m_nPid) {
                    m_nPid = -1;  // the name is in use: try the next
                } else if (jack_client_t* p = jack_client_open("bwcli-probe", jack_options_t(JackNoStartServer | JackServerName), nullptr, m_Name.c_str())) {
                    jack_client_close(p);
                    m_bReady = true;
                }
            }
            if (!m_bReady && m_nPid > 0)  // neither up nor refused in 5 s
                WaitOrKill(std::exchange(m_nPid, -1), 0);
        }
    }
    ~SPrivateJackServer()
    {
        if (m_nPid > 0 && kill(m_nPid, SIGTERM) == 0)
            WaitOrKill(m_nPid, 80);
    }

    std::string m_Name;
    pid_t m_nPid = -1;
    bool m_bReady = false;
};

// The command started with its standard error in a file; the editor's window once it shows.
struct SEditRun {
    SEditRun(Display* d, std::vector<std::string> args, const std::string& jackServer = "")
    {
        // cairo keeps a 32-byte allocation of its xlib back end that a module unloaded before
        // the process ends cannot give back: only that library's allocations are exempt.
        const std::string suppressions = ::testing::TempDir() + "bwcli-edit-lsan.supp";
        std::ofstream(suppressions) << "leak:libcairo.so\n";
        args.insert(args.begin(), {BW_CLI_PATH, "edit", "--module", BW_MODULE_PATH});
        m_nChild = fork();
        if (m_nChild == 0) {
            setenv("LSAN_OPTIONS", ("suppressions=" + suppressions + ":print_suppressions=0").c_str(), 1);
            if (!jackServer.empty())
                setenv("JACK_DEFAULT_SERVER", jackServer.c_str(), 1);
            freopen(Errors().c_str(), "w", stderr);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(BW_CLI_PATH, argv.data());
            _exit(127);
        }
        for (int i = 0; i < 200 && !m_nWindow; ++i, PauseMs(25))
            m_nWindow = bwtest::FindTitled(d, "BrindleWarbler");
    }
    static std::string Errors() { return ::testing::TempDir() + "bwcli-edit-stderr.txt"; }
    // Closes the window as a window manager does, and waits up to 5 s for the exit status.
    int Close(Display* d)
    {
        bwtest::SendClose(d, m_nWindow);
        return WaitOrKill(m_nChild, 200);
    }

    pid_t m_nChild = -1;
    Window m_nWindow = 0;
};

float Sine(uint64_t n) { return float(0.5 * std::sin(2.0 * M_PI * 440.0 * double(n) / 48000.0)); }

double RmsDb(const std::vector<float>& v)
{
    double sum = 0.0;
    for (float f : v)
        sum += double(f) * f;
    return 10.0 * std::log10(sum / double(v.size()));
}

// Plays a sine into brindlewarbler's inputs and records its outputs; until it records, every
// 20th cycle is late.
class CLoopbackClient {
public:
    CLoopbackClient(const std::string& server, size_t nFrames) : m_Recorded{std::vector<float>(nFrames), std::vector<float>(nFrames)}
    {
        m_pClient = jack_client_open("bwcli-loopback", jack_options_t(JackNoStartServer | JackServerName), nullptr, server.c_str());
        if (!m_pClient)
            return;
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
    bool Connected(const std::string& port, const std::string& other) const
    {
        const jack_port_t* p = m_pClient ? jack_port_by_name(m_pClient, port.c_str()) : nullptr;
        return p && jack_port_connected_to(p, other.c_str());
    }
    bool Record()
    {
        for (const std::string n : {"1", "2"}) {
            jack_connect(m_pClient, ("bwcli-loopback:out_" + n).c_str(), ("brindlewarbler:in_" + n).c_str());
            jack_connect(m_pClient, ("brindlewarbler:out_" + n).c_str(), ("bwcli-loopback:in_" + n).c_str());
        }
        m_bRecording = true;
        for (int i = 0; i < 300 && m_nRecorded.load() < m_Recorded[0].size(); ++i)
            PauseMs(20);
        return m_nRecorded.load() == m_Recorded[0].size();
    }
    std::vector<float> m_Recorded[2];

private:
    static int OnProcess(jack_nframes_t nFrames, void* pThis)
    {
        auto& self = *static_cast<CLoopbackClient*>(pThis);
        for (int c = 0; c < 2; ++c) {
            auto* pOut = static_cast<float*>(jack_port_get_buffer(self.m_pOut[c], nFrames));
            for (jack_nframes_t i = 0; i < nFrames; ++i)
                pOut[i] = Sine(self.m_nPlayed + i);
        }
        self.m_nPlayed += nFrames;
        if (++self.m_nCycles % 20 == 0 && !self.m_bRecording)
            PauseMs(40);
        if (self.m_bRecording) {
            const size_t at = self.m_nRecorded.load(), n = std::min<size_t>(nFrames, self.m_Recorded[0].size() - at);
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
    int m_nCycles = 0;
    std::atomic<bool> m_bRecording{false};
    std::atomic<size_t> m_nRecorded{0};
};

}  // namespace

TEST(EditCommand, ADragMovesTheParameterAndClosingSavesAndRendersIt)
{
    // Like a host that draws, keep cairo (and pixman, which frees its tables only at process
    // exit) loaded across the module's unload.
    (void)cairo_version();
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        GTEST_SKIP() << "no X server (DISPLAY): the edit window cannot be tested here";
    const std::string state = ::testing::TempDir() + "bwcli-edit.state", in = ::testing::TempDir() + "bwcli-edit-in.wav",
                      out = ::testing::TempDir() + "bwcli-edit-out.flac";
    std::remove(state.c_str());
    std::remove(out.c_str());
    ASSERT_EQ(std::system(("sox -n -r 22050 -c 1 -b 16 " + in + " synth 0.5 sine 440").c_str()), 0);  // played at 48 kHz
    SEditRun run(d, {in, "--audio", "none", "--preset", "Dusty Piano", "--save-state", state, "--render", out});
    ASSERT_NE(run.m_nWindow, 0u) << "the editor window did not appear";
    PauseMs(500);  // the editor opens and paints
    bwtest::Drag(d, run.m_nWindow, 625, 200, 30, -30);  // "Wow Depth" knob (585, 160, 80 x 80): right and up
    PauseMs(300);
    ASSERT_EQ(run.Close(d), 0);

    // Without --save-state, --render takes the final settings through a state of its own.
    const std::string plain = ::testing::TempDir() + "bwcli-edit-plain.wav";
    std::remove(plain.c_str());
    SEditRun again(d, {in, "--audio", "none", "--render", plain});
    ASSERT_NE(again.m_nWindow, 0u);
    EXPECT_EQ(again.Close(d), 0);
    XCloseDisplay(d);
    EXPECT_EQ(CAudioReader(plain).Frames(), 11025);

    const CModuleHost host(BW_MODULE_PATH);
    CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
    session.RestoreState(ReadStateFile(state).m_Bytes);
    EXPECT_GT(session.NormalizedValue(session.Resolve("Wow Depth")), 0.165 + 0.2) << "the drag raised the preset's Wow Depth";
    EXPECT_EQ(session.ValueText(session.Resolve("Tape Type")), "IV") << "the preset";
    CAudioReader rendered(out);
    EXPECT_EQ(std::make_tuple(rendered.Channels(), rendered.SampleRate(), rendered.Frames()), std::make_tuple(1, 22050, int64_t(11025)));
}

TEST(EditCommand, LivePlaysTheServersAudioThroughItsStateAndCtrlCEndsWithTheXrunCount)
{
    if (access("/usr/bin/jackd", X_OK) != 0)
        GTEST_SKIP() << "jackd is not installed (scripts/setup installs it)";
    (void)cairo_version();
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        GTEST_SKIP() << "no X server (DISPLAY)";
    SPrivateJackServer server;
    ASSERT_TRUE(server.m_bReady) << "jackd did not start";
    // The state it starts from, and the same sine rendered offline through it: the reference.
    const CModuleHost host(BW_MODULE_PATH);
    CEffectSession offline(host, host.ComponentFor(2), 48000.0f, 256);
    offline.ApplySetting("Output=-12");
    const std::string state = ::testing::TempDir() + "bwcli-live.state";
    WriteStateFile(state, offline.SaveState());
    std::vector<float> in(256), outL(256), outR(256), reference;
    for (uint64_t at = 0; at < 72000; at += 256) {
        for (size_t i = 0; i < 256; ++i)
            in[i] = Sine(at + i);
        const float* ppIn[2] = {in.data(), in.data()};
        float* ppOut[2] = {outL.data(), outR.data()};
        offline.Render(ppIn, ppOut, 256);
        if (at >= 24000)
            reference.insert(reference.end(), outL.begin(), outL.end());
    }
    ASSERT_LT(RmsDb(reference) - 20.0 * std::log10(0.5 / std::sqrt(2.0)), -6.0) << "a pass-through keeps the dry level";

    SEditRun run(d, {"--live", "--audio", "jack", "--state", state}, server.m_Name);
    XCloseDisplay(d);
    EXPECT_NE(run.m_nWindow, 0u) << "the editor window did not appear";
    CLoopbackClient client(server.m_Name, 48000);
    for (const std::string n : {"1", "2"}) {
        bool bConnected = false;
        for (int i = 0; i < 100 && !bConnected; ++i, PauseMs(20))
            bConnected = client.Connected("brindlewarbler:in_" + n, "system:capture_" + n) &&
                         client.Connected("brindlewarbler:out_" + n, "system:playback_" + n);
        EXPECT_TRUE(bConnected) << "port " << n;
    }
    PauseMs(500);  // the smoothing settles
    ASSERT_TRUE(client.Record()) << "the loop did not run";
    for (int c = 0; c < 2; ++c)
        EXPECT_NEAR(RmsDb(client.m_Recorded[c]), RmsDb(reference), 0.5) << "channel " << c;
    kill(run.m_nChild, SIGINT);
    EXPECT_EQ(WaitOrKill(run.m_nChild, 200), 0);
    std::stringstream errors;
    errors << std::ifstream(SEditRun::Errors()).rdbuf();
    EXPECT_TRUE(std::regex_search(errors.str(), std::regex(R"((^|\n)audio: [1-9]\d* xruns in \d+\.\d s\n$)"))) << errors.str();
}
