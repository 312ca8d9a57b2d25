// brindlewarbler edit in a real X11 window (Xvfb in CI): an injected drag on a knob moves its
// parameter, and closing the window saves a state that holds the new value.
#include "CEffectSession.h"
#include "CModuleHost.h"
#include "CStateRecord.h"

#include <cairo.h>
#include <gtest/gtest.h>
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
    // cairo keeps a 32-byte allocation of its xlib back end that a module unloaded before the
    // process ends cannot give back; only that library's allocations are exempt in sanitizer
    // builds, the command's own are still checked.
    const std::string suppressions = ::testing::TempDir() + "edit-lsan.supp";
    if (FILE* f = std::fopen(suppressions.c_str(), "w")) {
        std::fputs("leak:libcairo.so\n", f);
        std::fclose(f);
    }
    const std::string lsan = "suppressions=" + suppressions + ":print_suppressions=0";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("LSAN_OPTIONS", lsan.c_str(), 1);
        execl(BW_CLI_PATH, BW_CLI_PATH, "edit", "--module", BW_MODULE_PATH, "--save-state", state.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    Window w = 0;
    for (int i = 0; i < 200 && !w; ++i) {
        pause(25);
        w = findWindow(d, DefaultRootWindow(d), "BrindleWarbler");
    }
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
    int status = -1;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(child, &status, WNOHANG) == child)
            break;
        pause(25);
    }
    if (!WIFEXITED(status)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    XCloseDisplay(d);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const CModuleHost host(BW_MODULE_PATH);
    CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
    const SParameterInfo& depth = session.Resolve("1");
    const double before = session.NormalizedValue(depth);
    session.RestoreState(ReadStateFile(state).m_Bytes);
    EXPECT_GT(session.NormalizedValue(depth), before + 0.2) << "the drag raised Wow Depth";
    std::remove(state.c_str());
}
