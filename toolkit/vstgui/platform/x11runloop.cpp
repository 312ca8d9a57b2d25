#include "x11runloop.h"

#include "timerqueue.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace VSTGUI {
namespace {

// Xlib's default handler exits the process; record errors on our connection instead. Errors
// on other connections (a host's toolkit) go to the handler that was there before ours.
int s_nLastXError = 0;
Display* s_pOurDisplay = nullptr;
XErrorHandler s_pPreviousHandler = nullptr;
int recordXError(Display* d, XErrorEvent* e)
{
    if (d != s_pOurDisplay && s_pPreviousHandler)
        return s_pPreviousHandler(d, e);
    s_nLastXError = e->error_code;
    return 0;
}

}  // namespace

X11RunLoop& X11RunLoop::instance()
{
    static X11RunLoop loop;
    return loop;
}

Display* X11RunLoop::acquireDisplay()
{
    if (!m_pDisplay) {
        // A loaded server may refuse a connection now and then; a second try costs little.
        for (int nTry = 0; nTry < 3 && !m_pDisplay; ++nTry) {
            if (nTry > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            m_pDisplay = XOpenDisplay(nullptr);
        }
        if (!m_pDisplay)
            return nullptr;
        s_pOurDisplay = m_pDisplay;
        s_pPreviousHandler = XSetErrorHandler(recordXError);
    }
    ++m_nUsers;
    return m_pDisplay;
}

void X11RunLoop::releaseDisplay()
{
    if (m_nUsers > 0 && --m_nUsers == 0 && m_pDisplay) {
        XCloseDisplay(m_pDisplay);
        m_pDisplay = nullptr;
        // Put back what was there, unless someone replaced ours meanwhile.
        XErrorHandler pCurrent = XSetErrorHandler(s_pPreviousHandler);
        if (pCurrent != recordXError)
            XSetErrorHandler(pCurrent);
        s_pOurDisplay = nullptr;
        s_pPreviousHandler = nullptr;
    }
}

void X11RunLoop::addClient(IX11EventClient* client) { m_Clients.push_back(client); }

void X11RunLoop::removeClient(IX11EventClient* client)
{
    m_Clients.erase(std::remove(m_Clients.begin(), m_Clients.end(), client), m_Clients.end());
}

int X11RunLoop::takeLastError()
{
    const int e = s_nLastXError;
    s_nLastXError = 0;
    return e;
}

int X11RunLoop::getFileDescriptor() const { return m_pDisplay ? ConnectionNumber(m_pDisplay) : -1; }

bool X11RunLoop::processEvents(int timeoutMs)
{
    TimerQueue& timers = TimerQueue::current();
    const int64_t untilTimer = timers.msUntilNextDue();
    int wait = timeoutMs;
    if (untilTimer >= 0)
        wait = static_cast<int>(std::min<int64_t>(wait, untilTimer));
    if (m_pDisplay && wait > 0 && XPending(m_pDisplay) == 0) {
        pollfd p{ConnectionNumber(m_pDisplay), POLLIN, 0};
        poll(&p, 1, wait);
    } else if (!m_pDisplay && wait > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    }
    while (m_pDisplay && XPending(m_pDisplay) > 0) {
        XEvent event;
        XNextEvent(m_pDisplay, &event);
        const Window target = event.xany.window;
        // A client may go away while another handles its event.
        for (IX11EventClient* c : std::vector(m_Clients))
            if (std::find(m_Clients.begin(), m_Clients.end(), c) != m_Clients.end() && c->getWindow() == target) {
                c->handleEvent(event);
                break;
            }
    }
    timers.fireDue();
    for (IX11EventClient* c : std::vector(m_Clients))
        if (std::find(m_Clients.begin(), m_Clients.end(), c) != m_Clients.end())
            c->paint();
    if (m_pDisplay)
        XFlush(m_pDisplay);
    return m_pDisplay != nullptr;
}

void X11RunLoop::runFor(int ms)
{
    using clock = std::chrono::steady_clock;
    const auto end = clock::now() + std::chrono::milliseconds(ms);
    while (clock::now() < end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - clock::now()).count();
        processEvents(static_cast<int>(std::max<int64_t>(1, std::min<int64_t>(left, 10))));
    }
}

}  // namespace VSTGUI
