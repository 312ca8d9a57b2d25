#include "CEditorWindow.h"

#include "CliError.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

using VSTGUI::X11RunLoop;

CEditorWindow::CEditorWindow(const std::string& title, int nWidth, int nHeight)
{
    m_pDisplay = X11RunLoop::instance().acquireDisplay();
    if (!m_pDisplay)
        throw CCliError("edit needs an X server: none answers on DISPLAY");
    const int screen = DefaultScreen(m_pDisplay);
    m_nWindow = XCreateSimpleWindow(m_pDisplay, RootWindow(m_pDisplay, screen), 0, 0, static_cast<unsigned>(nWidth),
                                    static_cast<unsigned>(nHeight), 0, BlackPixel(m_pDisplay, screen),
                                    WhitePixel(m_pDisplay, screen));
    XStoreName(m_pDisplay, m_nWindow, title.c_str());
    XSizeHints hints{};
    hints.flags = PPosition | PMinSize | PMaxSize;
    hints.min_width = hints.max_width = nWidth;
    hints.min_height = hints.max_height = nHeight;
    XSetWMNormalHints(m_pDisplay, m_nWindow, &hints);
    Atom deleteAtom = XInternAtom(m_pDisplay, "WM_DELETE_WINDOW", False);
    m_nDeleteAtom = deleteAtom;
    XSetWMProtocols(m_pDisplay, m_nWindow, &deleteAtom, 1);
    XSelectInput(m_pDisplay, m_nWindow, StructureNotifyMask);
    XMapWindow(m_pDisplay, m_nWindow);
    XFlush(m_pDisplay);
    X11RunLoop::instance().addClient(this);
}

CEditorWindow::~CEditorWindow()
{
    X11RunLoop::instance().removeClient(this);
    if (m_nWindow && !m_bClosed)
        XDestroyWindow(m_pDisplay, m_nWindow);
    XFlush(m_pDisplay);
    X11RunLoop::instance().releaseDisplay();
}

void CEditorWindow::handleEvent(XEvent& event)
{
    if (event.type == ClientMessage && static_cast<unsigned long>(event.xclient.data.l[0]) == m_nDeleteAtom)
        m_bClosed = true;
    else if (event.type == DestroyNotify && event.xdestroywindow.window == m_nWindow)
        m_bClosed = true;
}

void CEditorWindow::Resize(int nWidth, int nHeight)
{
    if (nWidth > 0 && nHeight > 0)
        XResizeWindow(m_pDisplay, m_nWindow, static_cast<unsigned>(nWidth), static_cast<unsigned>(nHeight));
}

void CEditorWindow::Run(const std::function<void()>& idle)
{
    while (!m_bClosed && !m_bCloseRequested) {
        X11RunLoop::instance().processEvents(20);
        if (idle)
            idle();
    }
}
