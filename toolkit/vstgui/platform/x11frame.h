#pragma once
// A frame shown as a child window of an X11 window (the host's parent window).
//
// Events reach it through X11RunLoop (x11runloop.h), which the host drives. Painting goes
// through a back buffer (cairo image surface) copied to the window after each loop turn.
// Ownership: the CFrame owns its X11Frame. Threading: the GUI thread only.

#include "../cframe.h"
#include "iplatformframe.h"
#include "x11runloop.h"

#include <memory>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {

class X11Frame : public IPlatformFrame, public IX11EventClient
{
public:
    // Null when no X server can be reached or the parent window does not exist.
    static std::unique_ptr<IPlatformFrame> create(CFrame* frame, unsigned long parentWindow);
    static X11Frame* of(CFrame* frame);
    ~X11Frame() override;

    void invalidRect(const CRect& rect) override;
    void flush() override;
    void setSize(const CRect& size) override;

    unsigned long getWindow() const override { return m_nWindow; }
    Display* getDisplay() const { return m_pDisplay; }
    void handleEvent(XEvent& event) override;
    void paint() override { flush(); }

private:
    X11Frame(CFrame* frame, Display* display, unsigned long window);
    void resizeBuffers(int width, int height);

    CFrame* m_pFrame;
    Display* m_pDisplay;
    unsigned long m_nWindow;
    cairo_surface_t* m_pBackBuffer = nullptr;
    cairo_surface_t* m_pWindowSurface = nullptr;
    CRect m_Pending;
    unsigned long m_nLastPressTime = 0;
    unsigned int m_nLastPressButton = 0;
    CPoint m_LastPressPoint;
};

}  // namespace VSTGUI
