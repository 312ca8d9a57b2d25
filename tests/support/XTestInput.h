#pragma once
// What window tests do on an X server as a person at the screen would: find a window, drag
// the pointer in it (XTest), close it as a window manager does. Include it after gtest: Xlib's
// macros (None, Bool, Status) clash with its templates.
//
// Threading: the caller's, on its own Display connection. These move the server's one
// pointer, so tests that use them must not run beside each other (RUN_SERIAL).

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

namespace bwtest {

inline void PauseMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The first window whose title contains pTitle, under w (the root window when 0), outermost first.
inline Window FindTitled(Display* d, const char* pTitle, Window w = 0)
{
    w = w ? w : DefaultRootWindow(d);
    char* pName = nullptr;
    const bool bMatch = XFetchName(d, w, &pName) && pName && std::strstr(pName, pTitle);
    if (pName)
        XFree(pName);
    Window root = 0, parent = 0, *children = nullptr, found = bMatch ? w : 0;
    unsigned n = 0;
    if (!found && XQueryTree(d, w, &root, &parent, &children, &n))
        for (unsigned i = 0; i < n && !found; ++i)
            found = FindTitled(d, pTitle, children[i]);
    if (children)
        XFree(children);
    return found;
}

// A left-button press at (x, y) of w, moved by (dx, dy) in 8 steps, released. Between steps
// runs `between` (a host's idle calls when the window is served by this thread), else 40 ms
// pass so that the window's own thread sees each step.
inline void Drag(Display* d, Window w, int x, int y, int dx, int dy, const std::function<void()>& between = {})
{
    int rx = 0, ry = 0;
    Window unused = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), x, y, &rx, &ry, &unused);
    XTestFakeMotionEvent(d, -1, rx, ry, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    for (int step = 1; step <= 9; ++step) {
        XFlush(d);
        between ? between() : PauseMs(40);
        if (step <= 8)
            XTestFakeMotionEvent(d, -1, rx + dx * step / 8, ry + dy * step / 8, 0);
    }
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
}

// WM_DELETE_WINDOW to w, as a window manager sends it when the user closes the window.
inline void SendClose(Display* d, Window w)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, w, False, NoEventMask, &e);
    XSync(d, False);
}

}  // namespace bwtest
