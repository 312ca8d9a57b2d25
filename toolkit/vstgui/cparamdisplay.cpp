#include "cparamdisplay.h"

#include "cdrawcontext.h"

#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, -1, background), m_nStyle(style)
{
    setFont(kNormalFont);
}

CParamDisplay::~CParamDisplay()
{
    if (m_pFont)
        m_pFont->forget();
}

void CParamDisplay::setFont(CFontRef font)
{
    if (font)
        font->remember();
    if (m_pFont)
        m_pFont->forget();
    m_pFont = font;
    setDirty(true);
}

std::string CParamDisplay::getDisplayText()
{
    std::string text;
    if (m_ValueToString && m_ValueToString(getValue(), text, this))
        return text;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", static_cast<int>(m_nPrecision), static_cast<double>(getValue()));
    return buf;
}

void CParamDisplay::drawBack(CDrawContext* context)
{
    if (m_pBackground) {
        m_pBackground->draw(context, m_ViewSize, m_BackOffset);
    } else if (!(m_nStyle & kNoDrawStyle) && !getTransparency()) {
        context->setFillColor(m_BackColor);
        if (m_nStyle & kRoundRectStyle)
            context->drawRoundRect(m_ViewSize, m_fRoundRectRadius, kDrawFilled);
        else
            context->drawRect(m_ViewSize, kDrawFilled);
    }
    if (m_nStyle & kNoDrawStyle)
        return;
    if (m_nStyle & (k3DIn | k3DOut)) {
        // Light edges top/left and dark ones bottom/right (the other way round when sunk).
        const CColor light = kWhiteCColor, dark = CColor(64, 64, 64);
        context->setLineWidth(1);
        const CRect& r = m_ViewSize;
        context->setFrameColor(m_nStyle & k3DIn ? dark : light);
        context->drawLine(CPoint(r.left, r.bottom - 1), CPoint(r.left, r.top));
        context->drawLine(CPoint(r.left, r.top), CPoint(r.right - 1, r.top));
        context->setFrameColor(m_nStyle & k3DIn ? light : dark);
        context->drawLine(CPoint(r.right - 1, r.top), CPoint(r.right - 1, r.bottom - 1));
        context->drawLine(CPoint(r.right - 1, r.bottom - 1), CPoint(r.left, r.bottom - 1));
    } else if (!(m_nStyle & kNoFrame) && m_fFrameWidth > 0) {
        context->setFrameColor(m_FrameColor);
        context->setLineWidth(m_fFrameWidth);
        if (m_nStyle & kRoundRectStyle)
            context->drawRoundRect(m_ViewSize, m_fRoundRectRadius, kDrawStroked);
        else
            context->drawRect(m_ViewSize, kDrawStroked);
    }
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text, const CRect& rect)
{
    if ((m_nStyle & (kNoTextStyle | kNoDrawStyle)) || text.empty())
        return;
    CRect r(rect);
    r.inset(m_TextInset.x, m_TextInset.y);
    context->setFont(m_pFont);
    if (m_nStyle & kShadowText) {
        CRect s(r);
        s.offset(1, 1);
        context->setFontColor(m_ShadowColor);
        context->drawString(text.c_str(), s, m_HoriAlign, m_bAntialias);
    }
    context->setFontColor(m_FontColor);
    context->drawString(text.c_str(), r, m_HoriAlign, m_bAntialias);
}

void CParamDisplay::draw(CDrawContext* context)
{
    drawBack(context);
    drawText(context, getDisplayText(), m_ViewSize);
    setDirty(false);
}

}  // namespace VSTGUI
