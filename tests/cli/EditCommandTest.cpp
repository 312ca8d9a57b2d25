// brindlewarbler edit in a real X11 window (Xvfb in CI): an injected drag on a knob moves its
// parameter, and closing the window saves a state that holds the new value; live, it plays
// through a JACK server.
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
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

namespace {

Window findWindow(Display* d, Window w, const char* name)
{
    char* pName = nullptr;
    if (XFetchName(d, w, &pName) && pName) {
        const bool match = std::strcmp(pName, name) == 0;
        XFree(pName);
        if (match)
            return w;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned i = 0; i < n && !found; ++i)
            found = findWindow(d, children[i], name);
        if (children)
            XFree(children);
    }
    return found;
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// cairo keeps a 32-byte allocation of its xlib back end that a module unloaded before the
// process ends cannot give back; only that library's allocations are exempt in sanitizer
// builds, the command's own are still checked.
std::string lsanOptions()
{
    const std::string suppressions = ::testing::TempDir() + "edit-lsan.supp";
    if (FILE* f = std::fopen(suppressions.c_str(), "w")) {
        std::fputs("leak:libcairo.so\n", f);
        std::fclose(f);
    }
    return "suppressions=" + suppressions + ":print_suppressions=0";
}

Window waitForWindow(Display* d)
{
    Window w = 0;
    for (int i = 0; i < 200 && !w; ++i) {
        pause(25);
        w = findWindow(d, DefaultRootWindow(d), "BrindleWarbler");
    }
    return w;
}

// The exit status, or -1 (and the child killed) when it does not end within 5 s.
int waitForExit(pid_t child)
{
    int status = -1;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pause(25);
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -1;
}

}  // namespace

TEST(EditCommand, ADragInTheWindowMovesTheParameterAndCloseSavesIt)
{
    // Like a host that draws, keep cairo (and pixman, which frees its tables only at process
    // exit) loaded across the module's unload.
    (void)cairo_version();
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        GTEST_SKIP() << "no X server (DISPLAY): the edit window cannot be tested here";
    const std::string state = ::testing::TempDir() + "edit-state.bwstate";
    std::remove(state.c_str());
    const std::string lsan = lsanOptions();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("LSAN_OPTIONS", lsan.c_str(), 1);
        execl(BW_CLI_PATH, BW_CLI_PATH, "edit", "--module", BW_MODULE_PATH, "--save-state", state.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const Window w = waitForWindow(d);
    ASSERT_NE(w, 0u) << "the editor window did not appear";
    pause(500);  // the editor opens and paints
    int x = 0, y = 0;
    Window unused = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &unused);
    // "Wow Depth" knob: 585, 160, 80 x 80; drag right and up by 60 px.
    XTestFakeMotionEvent(d, -1, x + 625, y + 200, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    for (int step = 1; step <= 6; ++step) {
        pause(40);
        XTestFakeMotionEvent(d, -1, x + 625 + 5 * step, y + 200 - 5 * step, 0);
        XFlush(d);
    }
    pause(40);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    pause(300);

    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = w;
    close.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, w, False, NoEventMask, &close);
    XFlush(d);
    const int status = waitForExit(child);
    XCloseDisplay(d);
    ASSERT_EQ(status, 0);

    const CModuleHost host(BW_MODULE_PATH);
    CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
    const SParameterInfo& depth = session.Resolve("1");
    const double before = session.NormalizedValue(depth);
    session.RestoreState(ReadStateFile(state).m_Bytes);
    EXPECT_GT(session.NormalizedValue(depth), before + 0.2) << "the drag raised Wow Depth";
    std::remove(state.c_str());
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
    const std::string errors = ::testing::TempDir() + "edit-live-stderr.txt";
    const std::string lsan = lsanOptions();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("LSAN_OPTIONS", lsan.c_str(), 1);
        setenv("JACK_DEFAULT_SERVER", server.Name().c_str(), 1);
        freopen(errors.c_str(), "w", stderr);
        execl(BW_CLI_PATH, BW_CLI_PATH, "edit", "--live", "--audio", "jack", "--module", BW_MODULE_PATH,
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const Window w = waitForWindow(d);
    XCloseDisplay(d);
    EXPECT_NE(w, 0u) << "the editor window did not appear";
    jack_client_t* pClient =
        jack_client_open("bwaudio-watch", jack_options_t(JackNoStartServer | JackServerName), nullptr, server.Name().c_str());
    ASSERT_NE(pClient, nullptr);
    for (const char* pPort : {"brindlewarbler:in_1", "brindlewarbler:in_2", "brindlewarbler:out_1", "brindlewarbler:out_2"}) {
        bool bConnected = false;
        for (int i = 0; i < 100 && !bConnected; ++i, pause(20)) {
            const jack_port_t* p = jack_port_by_name(pClient, pPort);
            bConnected = p && jack_port_connected(p);
        }
        EXPECT_TRUE(bConnected) << pPort;
    }
    jack_client_close(pClient);
    pause(300);
    kill(child, SIGINT);
    EXPECT_EQ(waitForExit(child), 0);
    std::ifstream in(errors);
    std::string line, last;
    while (std::getline(in, line))
        last = line;
    EXPECT_TRUE(std::regex_match(last, std::regex(R"(audio: \d+ xruns in \d+\.\d s)"))) << last;
}
