#include "x11frame.h"

#include "../cdrawcontext.h"
#include "timerqueue.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

CButtonState modifiersFromState(unsigned int state)
{
    int32_t b = 0;
    if (state & ShiftMask)
        b |= kShift;
    if (state & ControlMask)
        b |= kControl;
    if (state & Mod1Mask)
        b |= kAlt;
    if (state & Mod4Mask)
        b |= kApple;
    return b;
}

CButtonState buttonsFromState(unsigned int state)
{
    int32_t b = modifiersFromState(state);
    if (state & Button1Mask)
        b |= kLButton;
    if (state & Button2Mask)
        b |= kMButton;
    if (state & Button3Mask)
        b |= kRButton;
    return b;
}

int32_t buttonFlag(unsigned int button)
{
    switch (button) {
    case Button1: return kLButton;
    case Button2: return kMButton;
    case Button3: return kRButton;
    case 8: return kButton4;
    case 9: return kButton5;
    default: return 0;
    }
}

VstKeyCode keyCodeFromEvent(XKeyEvent& e)
{
    VstKeyCode code;
    char text[8] = {};
    KeySym sym = NoSymbol;
    const int n = XLookupString(&e, text, sizeof text, &sym, nullptr);
    switch (sym) {
    case XK_BackSpace: code.virt = VKEY_BACK; break;
    case XK_Tab: code.virt = VKEY_TAB; break;
    case XK_Return: code.virt = VKEY_RETURN; break;
    case XK_KP_Enter: code.virt = VKEY_ENTER; break;
    case XK_Escape: code.virt = VKEY_ESCAPE; break;
    case XK_space: code.virt = VKEY_SPACE; break;
    case XK_End: code.virt = VKEY_END; break;
    case XK_Home: code.virt = VKEY_HOME; break;
    case XK_Left: code.virt = VKEY_LEFT; break;
    case XK_Up: code.virt = VKEY_UP; break;
    case XK_Right: code.virt = VKEY_RIGHT; break;
    case XK_Down: code.virt = VKEY_DOWN; break;
    case XK_Page_Up: code.virt = VKEY_PAGEUP; break;
    case XK_Page_Down: code.virt = VKEY_PAGEDOWN; break;
    case XK_Insert: code.virt = VKEY_INSERT; break;
    case XK_Delete: code.virt = VKEY_DELETE; break;
    case XK_Shift_L:
    case XK_Shift_R: code.virt = VKEY_SHIFT; break;
    case XK_Control_L:
    case XK_Control_R: code.virt = VKEY_CONTROL; break;
    case XK_Alt_L:
    case XK_Alt_R: code.virt = VKEY_ALT; break;
    default:
        if (sym >= 0x20 && sym < 0x7F)
            code.character = static_cast<int32_t>(sym);
        else if (n == 1)
            code.character = static_cast<unsigned char>(text[0]);
        break;
    }
    if (e.state & ShiftMask)
        code.modifier |= MODIFIER_SHIFT;
    if (e.state & Mod1Mask)
        code.modifier |= MODIFIER_ALTERNATE;
    if (e.state & ControlMask)
        code.modifier |= MODIFIER_CONTROL;
    if (e.state & Mod4Mask)
        code.modifier |= MODIFIER_COMMAND;
    return code;
}

}  // namespace

std::unique_ptr<IPlatformFrame> X11Frame::create(CFrame* frame, unsigned long parentWindow)
{
    if (!parentWindow)
        return nullptr;
    X11RunLoop& loop = X11RunLoop::instance();
    Display* display = loop.acquireDisplay();
    if (!display)
        return nullptr;
    // The parent must exist on this server.
    loop.takeLastError();
    XWindowAttributes attrs;
    const Status ok = XGetWindowAttributes(display, parentWindow, &attrs);
    XSync(display, False);
    if (!ok || loop.takeLastError()) {
        loop.releaseDisplay();
        return nullptr;
    }
    const CRect size = frame->getViewSize();
    const unsigned int w = std::max(1u, static_cast<unsigned int>(size.getWidth()));
    const unsigned int h = std::max(1u, static_cast<unsigned int>(size.getHeight()));
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, parentWindow, 0, 0, w, h, 0, BlackPixel(display, screen), WhitePixel(display, screen));
    XSelectInput(display, window,
                 ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                     KeyReleaseMask | StructureNotifyMask | LeaveWindowMask | EnterWindowMask);
    XMapWindow(display, window);
    XFlush(display);
    auto* f = new X11Frame(frame, display, window);
    loop.addClient(f);
    return std::unique_ptr<IPlatformFrame>(f);
}

X11Frame* X11Frame::of(CFrame* frame)
{
    return frame ? dynamic_cast<X11Frame*>(frame->getPlatformFrame()) : nullptr;
}

X11Frame::X11Frame(CFrame* frame, Display* display, unsigned long window)
    : m_pFrame(frame), m_pDisplay(display), m_nWindow(window)
{
    resizeBuffers(static_cast<int>(frame->getWidth()), static_cast<int>(frame->getHeight()));
}

X11Frame::~X11Frame()
{
    X11RunLoop::instance().removeClient(this);
    if (m_pWindowSurface)
        cairo_surface_destroy(m_pWindowSurface);
    if (m_pBackBuffer)
        cairo_surface_destroy(m_pBackBuffer);
    XDestroyWindow(m_pDisplay, m_nWindow);
    XSync(m_pDisplay, False);
    X11RunLoop::instance().releaseDisplay();
}

void X11Frame::resizeBuffers(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (m_pBackBuffer)
        cairo_surface_destroy(m_pBackBuffer);
    m_pBackBuffer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (m_pWindowSurface)
        cairo_surface_destroy(m_pWindowSurface);
    const int screen = DefaultScreen(m_pDisplay);
    m_pWindowSurface = cairo_xlib_surface_create(m_pDisplay, m_nWindow, DefaultVisual(m_pDisplay, screen), width, height);
    m_Pending = CRect(0, 0, width, height);
}

void X11Frame::invalidRect(const CRect& rect) { m_Pending.unite(CRect(rect).makeIntegral()); }

void X11Frame::flush()
{
    if (m_Pending.isEmpty())
        return;
    const CRect area = m_Pending;
    m_Pending = CRect();
    {
        CDrawContext context(m_pBackBuffer);
        context.setClipRect(area);
        m_pFrame->drawRect(&context, area);
    }
    cairo_surface_flush(m_pBackBuffer);
    cairo_t* cr = cairo_create(m_pWindowSurface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, m_pBackBuffer, 0, 0);
    cairo_rectangle(cr, area.left, area.top, area.getWidth(), area.getHeight());
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(m_pWindowSurface);
    XFlush(m_pDisplay);
}

void X11Frame::setSize(const CRect& size)
{
    const int w = std::max(1, static_cast<int>(size.getWidth()));
    const int h = std::max(1, static_cast<int>(size.getHeight()));
    if (w == cairo_image_surface_get_width(m_pBackBuffer) && h == cairo_image_surface_get_height(m_pBackBuffer))
        return;
    XResizeWindow(m_pDisplay, m_nWindow, static_cast<unsigned int>(w), static_cast<unsigned int>(h));
    resizeBuffers(w, h);
}

void X11Frame::handleEvent(XEvent& event)
{
    CBaseObjectGuard guard(m_pFrame);
    switch (event.type) {
    case Expose:
        invalidRect(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                          event.xexpose.y + event.xexpose.height));
        break;
    case ButtonPress: {
        const XButtonEvent& b = event.xbutton;
        CPoint where(b.x, b.y);
        const CButtonState mods = modifiersFromState(b.state);
        if (b.button >= 4 && b.button <= 7) {
            // Wheel notches: 4 up, 5 down, 6 left, 7 right.
            const float d = (b.button == 4 || b.button == 6) ? 1.f : -1.f;
            m_pFrame->onWheel(where, b.button <= 5 ? kMouseWheelAxisY : kMouseWheelAxisX, d, mods);
            break;
        }
        int32_t buttons = mods | buttonFlag(b.button);
        const bool near = std::fabs(where.x - m_LastPressPoint.x) < 4 && std::fabs(where.y - m_LastPressPoint.y) < 4;
        if (b.button == m_nLastPressButton && b.time - m_nLastPressTime < 300 && near)
            buttons |= kDoubleClick;
        m_nLastPressTime = b.time;
        m_nLastPressButton = b.button;
        m_LastPressPoint = where;
        XSetInputFocus(m_pDisplay, m_nWindow, RevertToParent, b.time);
        m_pFrame->onMouseDown(where, buttons);
        break;
    }
    case ButtonRelease: {
        const XButtonEvent& b = event.xbutton;
        if (b.button >= 4 && b.button <= 7)
            break;
        CPoint where(b.x, b.y);
        m_pFrame->onMouseUp(where, modifiersFromState(b.state) | buttonFlag(b.button));
        break;
    }
    case MotionNotify: {
        CPoint where(event.xmotion.x, event.xmotion.y);
        m_pFrame->onMouseMoved(where, buttonsFromState(event.xmotion.state));
        break;
    }
    case LeaveNotify: {
        CPoint where(event.xcrossing.x, event.xcrossing.y);
        m_pFrame->onMouseExited(where, modifiersFromState(event.xcrossing.state));
        break;
    }
    case KeyPress: {
        VstKeyCode code = keyCodeFromEvent(event.xkey);
        m_pFrame->onKeyDown(code);
        break;
    }
    case KeyRelease: {
        VstKeyCode code = keyCodeFromEvent(event.xkey);
        m_pFrame->onKeyUp(code);
        break;
    }
    case ConfigureNotify: {
        const int w = event.xconfigure.width, h = event.xconfigure.height;
        if (w != static_cast<int>(m_pFrame->getWidth()) || h != static_cast<int>(m_pFrame->getHeight())) {
            resizeBuffers(w, h);
            m_pFrame->setViewSize(CRect(0, 0, w, h));
        }
        break;
    }
    default:
        break;
    }
}

}  // namespace VSTGUI
