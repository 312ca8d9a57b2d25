// brindlewarbler edit in a real X11 window (Xvfb in CI): an injected drag on a knob moves its
// parameter, and closing the window saves a state that holds the new value and renders the
// file it played; live, it joins a JACK server and Ctrl-C ends it in order.
#include "CAudioFile.h"
#include "CEffectSession.h"
#include "CModuleHost.h"
#include "CStateRecord.h"

#include "PrivateJackServer.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <jack/jack.h>
// Xlib's macros (None, Bool, Status) must come after gtest's templates.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <regex>
#include <thread>

namespace {

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Window FindWindow(Display* d, Window w, const char* name)
{
    char* pName = nullptr;
    if (XFetchName(d, w, &pName) && pName) {
        const bool match = std::strcmp(pName, name) == 0;
        XFree(pName);
        if (match)
            return w;
    }
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned n = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned i = 0; i < n && !found; ++i)
            found = FindWindow(d, children[i], name);
        if (children)
            XFree(children);
    }
    return found;
}

// The command started with its standard error in a file; the editor's window once it shows.
class CEditRun {
public:
    CEditRun(Display* d, std::vector<std::string> args, const std::string& jackServer = "") : m_pDisplay(d)
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
        for (int i = 0; i < 200 && !m_nWindow; ++i, Pause(25))
            m_nWindow = FindWindow(d, DefaultRootWindow(d), "BrindleWarbler");
    }
    static std::string Errors() { return ::testing::TempDir() + "bwcli-edit-stderr.txt"; }
    Window WindowId() const { return m_nWindow; }
    // The exit status, or -1 (and the child killed) when it does not end within 5 s.
    int Wait()
    {
        int status = -1;
        for (int i = 0; i < 200; ++i, Pause(25))
            if (waitpid(m_nChild, &status, WNOHANG) == m_nChild)
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        kill(m_nChild, SIGKILL);
        waitpid(m_nChild, &status, 0);
        return -1;
    }
    pid_t m_nChild = -1;

private:
    Display* m_pDisplay;
    Window m_nWindow = 0;
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
    {
        CAudioWriter writer(in, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050);  // played at the device's 48 kHz
        const std::vector<float> tone(11025, 0.25f);
        writer.Write(tone.data(), 11025);
        writer.Commit();
    }
    CEditRun run(d, {in, "--audio", "none", "--preset", "Dusty Piano", "--save-state", state, "--render", out});
    const Window w = run.WindowId();
    ASSERT_NE(w, 0u) << "the editor window did not appear";
    Pause(500);  // the editor opens and paints
    int x = 0, y = 0;
    Window unused = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &unused);
    // "Wow Depth" knob: 585, 160, 80 x 80; drag right and up by 60 px.
    XTestFakeMotionEvent(d, -1, x + 625, y + 200, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    for (int step = 1; step <= 6; ++step, Pause(40)) {
        XFlush(d);
        XTestFakeMotionEvent(d, -1, x + 625 + 5 * step, y + 200 - 5 * step, 0);
    }
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    Pause(300);
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = w;
    close.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, w, False, NoEventMask, &close);
    XFlush(d);
    ASSERT_EQ(run.Wait(), 0);
    XCloseDisplay(d);

    const CModuleHost host(BW_MODULE_PATH);
    CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
    session.RestoreState(ReadStateFile(state).m_Bytes);
    EXPECT_GT(session.NormalizedValue(session.Resolve("Wow Depth")), 0.165 + 0.2) << "the drag raised the preset's Wow Depth";
    EXPECT_EQ(session.ValueText(session.Resolve("Tape Type")), "IV") << "the preset";
    CAudioReader rendered(out);
    EXPECT_EQ(std::make_tuple(rendered.Channels(), rendered.SampleRate(), rendered.Frames()), std::make_tuple(1, 22050, int64_t(11025)));
}

// The whole live path: edit --live joins a private JACK server as brindlewarbler with its
// ports, and Ctrl-C closes the window in order, ending with the xrun line.
TEST(EditCommand, LiveJoinsJackAndCtrlCEndsWithTheXrunLine)
{
    if (!CPrivateJackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (scripts/setup installs it)";
    (void)cairo_version();
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        GTEST_SKIP() << "no X server (DISPLAY)";
    CPrivateJackServer server;
    ASSERT_TRUE(server.Ready()) << "jackd did not start";
    CEditRun run(d, {"--live", "--audio", "jack"}, server.Name());
    XCloseDisplay(d);
    EXPECT_NE(run.WindowId(), 0u) << "the editor window did not appear";
    jack_client_t* pClient =
        jack_client_open("bwcli-watch", jack_options_t(JackNoStartServer | JackServerName), nullptr, server.Name().c_str());
    ASSERT_NE(pClient, nullptr);
    for (const char* pPort : {"brindlewarbler:in_1", "brindlewarbler:in_2", "brindlewarbler:out_1", "brindlewarbler:out_2"}) {
        bool bConnected = false;
        for (int i = 0; i < 100 && !bConnected; ++i, Pause(20)) {
            const jack_port_t* p = jack_port_by_name(pClient, pPort);
            bConnected = p && jack_port_connected(p);
        }
        EXPECT_TRUE(bConnected) << pPort;
    }
    jack_client_close(pClient);
    Pause(300);
    kill(run.m_nChild, SIGINT);
    EXPECT_EQ(run.Wait(), 0);
    std::ifstream errors(CEditRun::Errors());
    std::string line, last;
    while (std::getline(errors, line))
        last = line;
    EXPECT_TRUE(std::regex_match(last, std::regex(R"(audio: \d+ xruns in \d+\.\d s)"))) << last;
}
