#pragma once
// A frame shown on a cairo image surface instead of a window: tests and tools inject mouse,
// wheel and key events, move the timer clock and read or save the pixels.
//
// Each injected event is handled as one run-loop turn: the event is dispatched, then the
// invalid area is painted. Views marked dirty are painted only by CFrame::idle(), as in a
// window. Ownership: the CFrame owns this object (CFrame::open(nullptr, kOffscreen)); get it
// with OffscreenFrame::of(frame). Threading: the GUI thread that opened the frame.

#include "../ccolor.h"
#include "../cframe.h"
#include "iplatformframe.h"

#include <memory>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {

class OffscreenFrame : public IPlatformFrame
{
public:
    static std::unique_ptr<IPlatformFrame> create(CFrame* frame);
    // The offscreen back end of an open frame; null for other frames.
    static OffscreenFrame* of(CFrame* frame);
    ~OffscreenFrame() override;

    void invalidRect(const CRect& rect) override;
    void flush() override;
    void setSize(const CRect& size) override;

    // Input in frame coordinates.
    CMouseEventResult mouseDown(const CPoint& where, const CButtonState& buttons = kLButton);
    CMouseEventResult mouseMove(const CPoint& where, const CButtonState& buttons = 0);
    CMouseEventResult mouseUp(const CPoint& where, const CButtonState& buttons = kLButton);
    void click(const CPoint& where, const CButtonState& buttons = kLButton);
    // Down at from, moves in steps to to, up there.
    void drag(const CPoint& from, const CPoint& to, const CButtonState& buttons = kLButton, int steps = 4);
    bool wheel(const CPoint& where, float distance, const CButtonState& buttons = 0,
               CMouseWheelAxis axis = kMouseWheelAxisY);
    void mouseExit();
    int32_t keyDown(VstKeyCode key);
    int32_t keyUp(VstKeyCode key);

    // Moves this thread's timer clock forward (switching it to the manual clock), firing the
    // timers due on the way, then paints.
    void advanceTime(uint32_t ms);

    // Pixels as painted so far (not premultiplied).
    CColor getPixel(int x, int y) const;
    bool savePNG(const char* path) const;
    cairo_surface_t* getSurface() const { return m_pSurface; }
    // The area waiting to be painted, and how many paints have happened.
    const CRect& getPendingRect() const { return m_Pending; }
    uint32_t getPaintCount() const { return m_nPaints; }

private:
    explicit OffscreenFrame(CFrame* frame);

    CFrame* m_pFrame;
    cairo_surface_t* m_pSurface = nullptr;
    CRect m_Pending;
    uint32_t m_nPaints = 0;
};

}  // namespace VSTGUI
