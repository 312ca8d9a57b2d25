#include "cdrawcontext.h"

#include "cbitmap.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace VSTGUI {
namespace {

// Cairo refuses text that is not UTF-8 by putting the whole context in an error state, after
// which nothing more is drawn: each byte that starts no valid character shows as U+FFFD.
std::string validUtf8(UTF8StringPtr string)
{
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(string);
    while (*p) {
        const unsigned char c = *p;
        const int nMore = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        uint32_t code = nMore == 0 ? c : nMore == 1 ? c & 0x1Fu : nMore == 2 ? c & 0x0Fu : c & 0x07u;
        bool bValid = nMore >= 0;
        for (int i = 1; bValid && i <= nMore; ++i) {  // stops at the NUL, which is no continuation
            bValid = (p[i] & 0xC0) == 0x80;
            code = code << 6 | (p[i] & 0x3Fu);
        }
        // Overlong forms, surrogates, non-characters and values past U+10FFFF are refused too.
        static const uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        bValid = bValid && code >= kLeast[nMore] && code < 0x110000 && (code & 0xFFFFF800u) != 0xD800 &&
                 (code < 0xFDD0 || code > 0xFDEF) && (code & 0xFFFEu) != 0xFFFE;
        if (bValid) {
            out.append(reinterpret_cast<const char*>(p), size_t(nMore) + 1);
            p += nMore + 1;
        } else {
            out += "\xEF\xBF\xBD";
            ++p;
        }
    }
    return out;
}

}  // namespace

const CLineStyle kLineSolid;
const CLineStyle kLineOnOffDash(CLineStyle::kLineCapButt, CLineStyle::kLineJoinMiter, {1, 1});

CDrawContext::CDrawContext(cairo_surface_t* surface) : m_pCairo(cairo_create(surface))
{
    const double w = cairo_image_surface_get_width(surface);
    const double h = cairo_image_surface_get_height(surface);
    // Non-image surfaces report 0; leave the clip open for them.
    m_State.clip = (w > 0 && h > 0) ? CRect(0, 0, w, h) : CRect(-1e6, -1e6, 1e6, 1e6);
    m_Stack.reserve(32);  // nesting depth of a typical view tree, so drawing does not reallocate
}

CDrawContext::~CDrawContext() { cairo_destroy(m_pCairo); }

CDrawContext::Transform::Transform(CDrawContext& context, const CGraphicsTransform& t) : m_Context(context)
{
    m_Context.pushState();
    cairo_translate(m_Context.m_pCairo, t.dx, t.dy);
    m_Context.m_State.offset.offset(t.dx, t.dy);
}

CDrawContext::Transform::~Transform() { m_Context.popState(); }

void CDrawContext::pushState()
{
    cairo_save(m_pCairo);
    m_Stack.push_back(m_State);
}

void CDrawContext::popState()
{
    if (m_Stack.empty())
        return;
    cairo_restore(m_pCairo);
    m_State = m_Stack.back();
    m_Stack.pop_back();
}

void CDrawContext::saveGlobalState() { pushState(); }
void CDrawContext::restoreGlobalState() { popState(); }

void CDrawContext::setFont(const CFontRef font, const CCoord& size, int32_t style)
{
    if (!font)
        return;
    m_State.fontName = font->getName();
    m_State.fontSize = size > 0 ? size : font->getSize();
    m_State.fontStyle = style >= 0 ? style : font->getStyle();
}

CFontRef CDrawContext::getFont() const
{
    m_FontView.setName(m_State.fontName);
    m_FontView.setSize(m_State.fontSize);
    m_FontView.setStyle(m_State.fontStyle);
    return &m_FontView;
}

void CDrawContext::setClipRect(const CRect& clip)
{
    CRect device(clip);
    device.offset(m_State.offset);
    device.normalize();
    m_State.clip = device;
    cairo_matrix_t m;
    cairo_get_matrix(m_pCairo, &m);
    cairo_identity_matrix(m_pCairo);
    cairo_reset_clip(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_rectangle(m_pCairo, device.left, device.top, device.getWidth(), device.getHeight());
    cairo_clip(m_pCairo);
    cairo_set_matrix(m_pCairo, &m);
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = m_State.clip;
    clip.offset(-m_State.offset.x, -m_State.offset.y);
    return clip;
}

void CDrawContext::resetClipRect()
{
    cairo_surface_t* s = cairo_get_target(m_pCairo);
    setClipRect(CRect(0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s))
                    .offset(-m_State.offset.x, -m_State.offset.y));
}

void CDrawContext::setSource(const CColor& c)
{
    cairo_set_source_rgba(m_pCairo, c.normRed(), c.normGreen(), c.normBlue(), c.normAlpha() * m_State.globalAlpha);
}

void CDrawContext::applyStroke()
{
    cairo_set_line_width(m_pCairo, m_State.lineWidth);
    const auto& ls = m_State.lineStyle;
    cairo_set_line_cap(m_pCairo, ls.getLineCap() == CLineStyle::kLineCapRound    ? CAIRO_LINE_CAP_ROUND
                                 : ls.getLineCap() == CLineStyle::kLineCapSquare ? CAIRO_LINE_CAP_SQUARE
                                                                                 : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(m_pCairo, ls.getLineJoin() == CLineStyle::kLineJoinRound   ? CAIRO_LINE_JOIN_ROUND
                                  : ls.getLineJoin() == CLineStyle::kLineJoinBevel ? CAIRO_LINE_JOIN_BEVEL
                                                                                   : CAIRO_LINE_JOIN_MITER);
    std::vector<double> dashes;
    for (CCoord d : ls.getDashLengths())
        dashes.push_back(d * m_State.lineWidth);
    cairo_set_dash(m_pCairo, dashes.data(), static_cast<int>(dashes.size()), 0);
    cairo_set_antialias(m_pCairo, m_State.drawMode & kAntiAliasing ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

// Odd line widths sit on pixel centres so that aliased lines cover whole pixels.
CCoord CDrawContext::pixelAlign() const
{
    return static_cast<int64_t>(std::lround(m_State.lineWidth)) % 2 ? 0.5 : 0.0;
}

void CDrawContext::finishPath(CDrawStyle style)
{
    applyStroke();
    if (style == kDrawFilled || style == kDrawFilledAndStroked) {
        setSource(m_State.fillColor);
        if (style == kDrawFilledAndStroked)
            cairo_fill_preserve(m_pCairo);
        else
            cairo_fill(m_pCairo);
    }
    if (style == kDrawStroked || style == kDrawFilledAndStroked) {
        setSource(m_State.frameColor);
        cairo_stroke(m_pCairo);
    }
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end)
{
    const CCoord a = pixelAlign();
    cairo_new_path(m_pCairo);
    cairo_move_to(m_pCairo, start.x + a, start.y + a);
    cairo_line_to(m_pCairo, end.x + a, end.y + a);
    finishPath(kDrawStroked);
}

void CDrawContext::drawLines(const std::vector<std::pair<CPoint, CPoint>>& lines)
{
    for (const auto& l : lines)
        drawLine(l.first, l.second);
}

void CDrawContext::drawPolygon(const std::vector<CPoint>& points, CDrawStyle style)
{
    if (points.empty())
        return;
    cairo_new_path(m_pCairo);
    cairo_move_to(m_pCairo, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        cairo_line_to(m_pCairo, points[i].x, points[i].y);
    cairo_close_path(m_pCairo);
    finishPath(style);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    CRect r(rect);
    r.normalize();
    if (style == kDrawFilled || style == kDrawFilledAndStroked) {
        cairo_new_path(m_pCairo);
        cairo_rectangle(m_pCairo, r.left, r.top, r.getWidth(), r.getHeight());
        finishPath(kDrawFilled);
    }
    if (style == kDrawStroked || style == kDrawFilledAndStroked) {
        // The frame lies inside the rectangle.
        const CCoord h = m_State.lineWidth / 2;
        cairo_new_path(m_pCairo);
        cairo_rectangle(m_pCairo, r.left + h, r.top + h, r.getWidth() - 2 * h, r.getHeight() - 2 * h);
        finishPath(kDrawStroked);
    }
}

void CDrawContext::drawRoundRect(const CRect& rect, CCoord radius, CDrawStyle style)
{
    CRect r(rect);
    r.normalize();
    radius = std::min({radius, r.getWidth() / 2, r.getHeight() / 2});
    cairo_new_path(m_pCairo);
    cairo_new_sub_path(m_pCairo);
    cairo_arc(m_pCairo, r.right - radius, r.top + radius, radius, -M_PI / 2, 0);
    cairo_arc(m_pCairo, r.right - radius, r.bottom - radius, radius, 0, M_PI / 2);
    cairo_arc(m_pCairo, r.left + radius, r.bottom - radius, radius, M_PI / 2, M_PI);
    cairo_arc(m_pCairo, r.left + radius, r.top + radius, radius, M_PI, 1.5 * M_PI);
    cairo_close_path(m_pCairo);
    finishPath(style);
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    CRect r(rect);
    r.normalize();
    if (r.isEmpty())
        return;
    cairo_new_path(m_pCairo);
    cairo_save(m_pCairo);
    cairo_translate(m_pCairo, r.left + r.getWidth() / 2, r.top + r.getHeight() / 2);
    cairo_scale(m_pCairo, r.getWidth() / 2, r.getHeight() / 2);
    cairo_arc(m_pCairo, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(m_pCairo);
    finishPath(style);
}

void CDrawContext::drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style)
{
    CRect r(rect);
    r.normalize();
    if (r.isEmpty())
        return;
    cairo_new_path(m_pCairo);
    cairo_save(m_pCairo);
    cairo_translate(m_pCairo, r.left + r.getWidth() / 2, r.top + r.getHeight() / 2);
    cairo_scale(m_pCairo, r.getWidth() / 2, r.getHeight() / 2);
    if (style != kDrawStroked)
        cairo_move_to(m_pCairo, 0, 0);
    cairo_arc(m_pCairo, 0, 0, 1, startAngle * M_PI / 180.0, endAngle * M_PI / 180.0);
    if (style != kDrawStroked)
        cairo_close_path(m_pCairo);
    cairo_restore(m_pCairo);
    finishPath(style);
}

void CDrawContext::drawPoint(const CPoint& p, const CColor& color)
{
    cairo_new_path(m_pCairo);
    cairo_rectangle(m_pCairo, std::floor(p.x), std::floor(p.y), 1, 1);
    setSource(color);
    cairo_fill(m_pCairo);
}

void CDrawContext::clearRect(const CRect& rect)
{
    cairo_save(m_pCairo);
    cairo_set_operator(m_pCairo, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(m_pCairo, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(m_pCairo);
    cairo_restore(m_pCairo);
}

void CDrawContext::fillRectWithGradient(const CRect& rect, const CGradient& gradient, bool vertical)
{
    cairo_pattern_t* p = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                  : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
    for (const auto& [offset, c] : gradient.getColorStops())
        cairo_pattern_add_color_stop_rgba(p, offset, c.normRed(), c.normGreen(), c.normBlue(),
                                          c.normAlpha() * m_State.globalAlpha);
    cairo_new_path(m_pCairo);
    cairo_rectangle(m_pCairo, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_set_source(m_pCairo, p);
    cairo_fill(m_pCairo);
    cairo_pattern_destroy(p);
}

void CDrawContext::drawSurface(cairo_surface_t* surface, const CRect& dest, const CPoint& offset, float alpha)
{
    // A context in an error state draws nothing, and would hand out a new pattern per call.
    if (!surface || dest.isEmpty() || cairo_status(m_pCairo) != CAIRO_STATUS_SUCCESS)
        return;
    cairo_save(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_rectangle(m_pCairo, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(m_pCairo);
    cairo_set_source_surface(m_pCairo, surface, dest.left - offset.x, dest.top - offset.y);
    cairo_pattern_set_filter(cairo_get_source(m_pCairo), CAIRO_FILTER_NEAREST);
    cairo_paint_with_alpha(m_pCairo, alpha * m_State.globalAlpha);
    cairo_restore(m_pCairo);
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
    if (bitmap)
        bitmap->draw(this, dest, offset, alpha);
}

void CDrawContext::fillRectWithBitmap(CBitmap* bitmap, const CRect& srcRect, const CRect& dest, float alpha)
{
    if (!bitmap || !bitmap->getSurface() || srcRect.isEmpty() || dest.isEmpty() ||
        cairo_status(m_pCairo) != CAIRO_STATUS_SUCCESS)
        return;
    // Cairo reads a sub-surface's pixels unchecked: a source reaching outside the bitmap (part
    // offsets larger than the bitmap) has nothing to tile.
    if (!(srcRect.left >= 0 && srcRect.top >= 0 && srcRect.right <= bitmap->getWidth() &&
          srcRect.bottom <= bitmap->getHeight()))
        return;
    // A sub-surface for srcRect, repeated from dest's top-left corner.
    cairo_surface_t* sub = cairo_surface_create_for_rectangle(bitmap->getSurface(), srcRect.left, srcRect.top,
                                                              srcRect.getWidth(), srcRect.getHeight());
    cairo_save(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_rectangle(m_pCairo, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(m_pCairo);
    cairo_set_source_surface(m_pCairo, sub, dest.left, dest.top);
    cairo_pattern_set_extend(cairo_get_source(m_pCairo), CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(cairo_get_source(m_pCairo), CAIRO_FILTER_NEAREST);
    cairo_paint_with_alpha(m_pCairo, alpha * m_State.globalAlpha);
    cairo_restore(m_pCairo);
    cairo_surface_destroy(sub);
}

void CDrawContext::selectFont()
{
    cairo_select_font_face(m_pCairo, m_State.fontName.empty() ? "Sans" : validUtf8(m_State.fontName.c_str()).c_str(),
                           m_State.fontStyle & kItalicFace ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           m_State.fontStyle & kBoldFace ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_pCairo, m_State.fontSize > 0 ? m_State.fontSize : 12);
}

CCoord CDrawContext::getStringWidth(UTF8StringPtr string)
{
    if (!string)
        return 0;
    selectFont();
    cairo_text_extents_t e;
    cairo_text_extents(m_pCairo, validUtf8(string).c_str(), &e);
    return e.x_advance;
}

void CDrawContext::drawString(UTF8StringPtr string, const CPoint& baseline, bool antialias)
{
    if (!string || !*string)
        return;
    const std::string text = validUtf8(string);
    selectFont();
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(m_pCairo, o);
    cairo_font_options_destroy(o);
    setSource(m_State.fontColor);
    cairo_new_path(m_pCairo);
    cairo_move_to(m_pCairo, baseline.x, baseline.y);
    cairo_show_text(m_pCairo, text.c_str());

    const int32_t style = m_State.fontStyle;
    if (style & (kUnderlineFace | kStrikethroughFace)) {
        cairo_text_extents_t e;
        cairo_text_extents(m_pCairo, text.c_str(), &e);
        cairo_set_line_width(m_pCairo, 1);
        if (style & kUnderlineFace) {
            cairo_move_to(m_pCairo, baseline.x, baseline.y + 1.5);
            cairo_rel_line_to(m_pCairo, e.x_advance, 0);
        }
        if (style & kStrikethroughFace) {
            cairo_move_to(m_pCairo, baseline.x, baseline.y - m_State.fontSize * 0.3);
            cairo_rel_line_to(m_pCairo, e.x_advance, 0);
        }
        cairo_stroke(m_pCairo);
    }
}

void CDrawContext::drawString(UTF8StringPtr string, const CRect& rect, CHoriTxtAlign align, bool antialias)
{
    if (!string || !*string)
        return;
    selectFont();
    cairo_font_extents_t fe;
    cairo_font_extents(m_pCairo, &fe);
    const CCoord width = getStringWidth(string);
    CCoord x = rect.left;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - width) / 2;
    else if (align == kRightText)
        x = rect.right - width;
    const CCoord y = rect.top + (rect.getHeight() + fe.ascent - fe.descent) / 2;
    cairo_save(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_rectangle(m_pCairo, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(m_pCairo);
    drawString(string, CPoint(std::round(x), std::round(y)), antialias);
    cairo_restore(m_pCairo);
}

}  // namespace VSTGUI
