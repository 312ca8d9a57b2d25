#pragma once
// The X11 message loop of the process: one connection to the X server (from DISPLAY), opened
// while any window needs it, and the windows that receive its events. The host drives it on
// its GUI thread: processEvents() dispatches expose, mouse, wheel, key and resize events to
// the windows, fires that thread's due timers and lets the windows paint.
//
// Part of the shared library vstgui_runloop, so that a host and the modules it loads share
// one loop, as they share the window system's message loop on the target.
// Threading: the GUI thread only.

#include <vector>

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace VSTGUI {

// A window that takes events from the loop (X11Frame).
class IX11EventClient
{
public:
    virtual unsigned long getWindow() const = 0;
    virtual void handleEvent(XEvent& event) = 0;
    virtual void paint() = 0;  // after the events of a loop turn

protected:
    ~IX11EventClient() = default;
};

class X11RunLoop
{
public:
    static X11RunLoop& instance();

    // Waits up to timeoutMs for X events or the next timer, then handles all pending events,
    // fires due timers and paints. Returns false when there is no display connection (timers
    // still fire).
    bool processEvents(int timeoutMs = 0);
    // Runs processEvents for about ms milliseconds.
    void runFor(int ms);
    // The connection's file descriptor (-1 without one), for hosts that poll themselves.
    int getFileDescriptor() const;
    Display* getDisplay() const { return m_pDisplay; }

    // The connection, opened on first use and closed when the last user releases it; null
    // when no X server can be reached. X errors are recorded (lastError) instead of exiting.
    Display* acquireDisplay();
    void releaseDisplay();
    int takeLastError();
    void addClient(IX11EventClient* client);
    void removeClient(IX11EventClient* client);

private:
    X11RunLoop() = default;
    Display* m_pDisplay = nullptr;
    int m_nUsers = 0;
    std::vector<IX11EventClient*> m_Clients;
};

}  // namespace VSTGUI
