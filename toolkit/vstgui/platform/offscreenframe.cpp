#include "offscreenframe.h"

#include "../cdrawcontext.h"
#include "timerqueue.h"

#include <cairo.h>

#include <cmath>

namespace VSTGUI {

OffscreenFrame::OffscreenFrame(CFrame* frame) : m_pFrame(frame) { setSize(frame->getViewSize()); }

std::unique_ptr<IPlatformFrame> OffscreenFrame::create(CFrame* frame)
{
    return std::unique_ptr<IPlatformFrame>(new OffscreenFrame(frame));
}

OffscreenFrame* OffscreenFrame::of(CFrame* frame)
{
    return frame ? dynamic_cast<OffscreenFrame*>(frame->getPlatformFrame()) : nullptr;
}

OffscreenFrame::~OffscreenFrame()
{
    if (m_pSurface)
        cairo_surface_destroy(m_pSurface);
}

void OffscreenFrame::setSize(const CRect& size)
{
    const int w = std::max(1, static_cast<int>(std::ceil(size.getWidth())));
    const int h = std::max(1, static_cast<int>(std::ceil(size.getHeight())));
    if (m_pSurface && cairo_image_surface_get_width(m_pSurface) == w && cairo_image_surface_get_height(m_pSurface) == h)
        return;
    if (m_pSurface)
        cairo_surface_destroy(m_pSurface);
    m_pSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    m_Pending = CRect(0, 0, w, h);
}

void OffscreenFrame::invalidRect(const CRect& rect) { m_Pending.unite(CRect(rect).makeIntegral()); }

void OffscreenFrame::flush()
{
    if (m_Pending.isEmpty())
        return;
    const CRect area = m_Pending;
    m_Pending = CRect();
    {
        CDrawContext context(m_pSurface);
        context.setClipRect(area);
        m_pFrame->drawRect(&context, area);
    }
    cairo_surface_flush(m_pSurface);
    ++m_nPaints;
}

CMouseEventResult OffscreenFrame::mouseDown(const CPoint& where, const CButtonState& buttons)
{
    CPoint p(where);
    const CMouseEventResult r = m_pFrame->onMouseDown(p, buttons);
    flush();
    return r;
}

CMouseEventResult OffscreenFrame::mouseMove(const CPoint& where, const CButtonState& buttons)
{
    CPoint p(where);
    const CMouseEventResult r = m_pFrame->onMouseMoved(p, buttons);
    flush();
    return r;
}

CMouseEventResult OffscreenFrame::mouseUp(const CPoint& where, const CButtonState& buttons)
{
    CPoint p(where);
    const CMouseEventResult r = m_pFrame->onMouseUp(p, buttons);
    flush();
    return r;
}

void OffscreenFrame::click(const CPoint& where, const CButtonState& buttons)
{
    CBaseObjectGuard guard(m_pFrame);
    mouseDown(where, buttons);
    mouseUp(where, buttons);
}

void OffscreenFrame::drag(const CPoint& from, const CPoint& to, const CButtonState& buttons, int steps)
{
    CBaseObjectGuard guard(m_pFrame);
    mouseDown(from, buttons);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i)
        mouseMove(CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps), buttons);
    mouseUp(to, buttons);
}

bool OffscreenFrame::wheel(const CPoint& where, float distance, const CButtonState& buttons, CMouseWheelAxis axis)
{
    const bool r = m_pFrame->onWheel(where, axis, distance, buttons);
    flush();
    return r;
}

void OffscreenFrame::mouseExit()
{
    CPoint p(-1, -1);
    m_pFrame->onMouseExited(p, 0);
    flush();
}

int32_t OffscreenFrame::keyDown(VstKeyCode key)
{
    const int32_t r = m_pFrame->onKeyDown(key);
    flush();
    return r;
}

int32_t OffscreenFrame::keyUp(VstKeyCode key)
{
    const int32_t r = m_pFrame->onKeyUp(key);
    flush();
    return r;
}

void OffscreenFrame::advanceTime(uint32_t ms)
{
    CBaseObjectGuard guard(m_pFrame);
    TimerQueue::current().advance(ms);
    if (m_pFrame->isOpen())
        flush();
}

CColor OffscreenFrame::getPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(m_pSurface) ||
        y >= cairo_image_surface_get_height(m_pSurface))
        return kTransparentCColor;
    const unsigned char* row = cairo_image_surface_get_data(m_pSurface) + y * cairo_image_surface_get_stride(m_pSurface);
    const uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
    const auto a = static_cast<uint8_t>(argb >> 24);
    auto un = [a](uint32_t c) -> uint8_t {
        return a == 0 ? 0 : static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a));
    };
    return CColor(un((argb >> 16) & 0xFF), un((argb >> 8) & 0xFF), un(argb & 0xFF), a);
}

bool OffscreenFrame::savePNG(const char* path) const
{
    return path && cairo_surface_write_to_png(m_pSurface, path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace VSTGUI
