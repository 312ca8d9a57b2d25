#include "csegmentbutton.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CSegmentButton::CSegmentButton(const CRect& size, IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag)
{
    setFont(kNormalFont);
    setDefaultValue(0.f);
    updateRange();
}

CSegmentButton::~CSegmentButton()
{
    setGradient(nullptr);
    setGradientHighlighted(nullptr);
    if (m_pFont)
        m_pFont->forget();
}

void CSegmentButton::setFont(CFontRef font)
{
    if (font)
        font->remember();
    if (m_pFont)
        m_pFont->forget();
    m_pFont = font;
    setDirty(true);
}

void CSegmentButton::setGradient(CGradient* gradient)
{
    if (gradient)
        gradient->remember();
    if (m_pGradient)
        m_pGradient->forget();
    m_pGradient = gradient;
    setDirty(true);
}

void CSegmentButton::setGradientHighlighted(CGradient* gradient)
{
    if (gradient)
        gradient->remember();
    if (m_pGradientHighlighted)
        m_pGradientHighlighted->forget();
    m_pGradientHighlighted = gradient;
    setDirty(true);
}

void CSegmentButton::updateRange()
{
    m_fMin = 0.f;
    m_fMax = m_Segments.empty() ? 0.f : static_cast<float>(m_Segments.size() - 1);
    if (m_fValue > m_fMax)
        m_fValue = m_fMax;
}

void CSegmentButton::addSegment(const Segment& segment, uint32_t index)
{
    if (index >= m_Segments.size())
        m_Segments.push_back(segment);
    else
        m_Segments.insert(m_Segments.begin() + index, segment);
    updateRange();
    setDirty(true);
}

void CSegmentButton::removeSegment(uint32_t index)
{
    if (index >= m_Segments.size())
        return;
    m_Segments.erase(m_Segments.begin() + index);
    updateRange();
    setDirty(true);
}

void CSegmentButton::removeAllSegments()
{
    m_Segments.clear();
    updateRange();
    setDirty(true);
}

void CSegmentButton::setValue(float val)
{
    CControl::setValue(std::clamp(std::floor(val + 0.5f), m_fMin, m_fMax));
}

void CSegmentButton::setSelectedSegment(uint32_t index)
{
    if (index < m_Segments.size())
        setValue(static_cast<float>(index));
}

uint32_t CSegmentButton::getSelectedSegment() const
{
    return static_cast<uint32_t>(std::max(0.f, std::floor(getValue() + 0.5f)));
}

CRect CSegmentButton::getSegmentRect(uint32_t index) const
{
    const auto n = static_cast<CCoord>(std::max<size_t>(m_Segments.size(), 1));
    CRect r(m_ViewSize);
    if (m_Style == Style::kHorizontal) {
        const CCoord w = getWidth() / n;
        r.left = m_ViewSize.left + std::floor(index * w);
        r.right = m_ViewSize.left + std::floor((index + 1) * w);
    } else {
        const CCoord h = getHeight() / n;
        r.top = m_ViewSize.top + std::floor(index * h);
        r.bottom = m_ViewSize.top + std::floor((index + 1) * h);
    }
    return r;
}

void CSegmentButton::draw(CDrawContext* context)
{
    const uint32_t selected = getSelectedSegment();
    context->setFont(m_pFont);
    for (uint32_t i = 0; i < m_Segments.size(); ++i) {
        const CRect r = getSegmentRect(i);
        const bool on = i == selected;
        if (CGradient* g = on ? m_pGradientHighlighted : m_pGradient)
            context->fillRectWithGradient(r, *g);
        context->setFontColor(on ? m_TextColorHighlighted : m_TextColor);
        CRect text(r);
        text.inset(3, 0);
        context->drawString(m_Segments[i].name.c_str(), text, m_TextAlignment);
        if (i > 0 && m_fFrameWidth > 0) {
            context->setFrameColor(m_FrameColor);
            context->setLineWidth(m_fFrameWidth);
            if (m_Style == Style::kHorizontal)
                context->drawLine(CPoint(r.left, r.top), CPoint(r.left, r.bottom - 1));
            else
                context->drawLine(CPoint(r.left, r.top), CPoint(r.right - 1, r.top));
        }
    }
    if (m_fFrameWidth > 0) {
        context->setFrameColor(m_FrameColor);
        context->setLineWidth(m_fFrameWidth);
        context->setDrawMode(kAntiAliasing);
        context->drawRoundRect(m_ViewSize, m_fRoundRadius, kDrawStroked);
    }
    setDirty(false);
}

void CSegmentButton::select(uint32_t index)
{
    if (index >= m_Segments.size() || index == getSelectedSegment())
        return;
    beginEdit();
    setSelectedSegment(index);
    valueChanged();
    endEdit();
    invalid();
}

CMouseEventResult CSegmentButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    for (uint32_t i = 0; i < m_Segments.size(); ++i)
        if (getSegmentRect(i).pointInside(where)) {
            select(i);
            break;
        }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CSegmentButton::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    if (!getMouseEnabled() || distance == 0 || m_Segments.empty())
        return false;
    const int64_t next = static_cast<int64_t>(getSelectedSegment()) + (distance > 0 ? -1 : 1);
    if (next >= 0)
        select(static_cast<uint32_t>(next));
    return true;
}

int32_t CSegmentButton::onKeyDown(VstKeyCode& keyCode)
{
    const int64_t cur = getSelectedSegment();
    if (keyCode.virt == VKEY_LEFT || keyCode.virt == VKEY_UP) {
        if (cur > 0)
            select(static_cast<uint32_t>(cur - 1));
        return 1;
    }
    if (keyCode.virt == VKEY_RIGHT || keyCode.virt == VKEY_DOWN) {
        select(static_cast<uint32_t>(cur + 1));
        return 1;
    }
    return -1;
}

}  // namespace VSTGUI
