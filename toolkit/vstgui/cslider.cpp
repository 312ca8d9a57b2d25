#include "cslider.h"

#include "cdrawcontext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CSlider::CSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                 int32_t /*rangeHandle*/, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style)
    : CControl(size, listener, tag, background), m_nStyle(style), m_OffsetHandle(offsetHandle), m_Offset(offset)
{
    setHandle(handle);
    setStyle(style);
}

CSlider::CSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos, int32_t /*iMaxPos*/,
                 CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style)
    : CControl(size, listener, tag, background), m_nStyle(style), m_Offset(offset)
{
    // The handle's travel starts iMinPos pixels into the view (absolute position as VSTGUI).
    m_OffsetHandle = (style & kHorizontal) ? CPoint(iMinPos - size.left, 0) : CPoint(0, iMinPos - size.top);
    if (m_OffsetHandle.x < 0 || m_OffsetHandle.y < 0)
        m_OffsetHandle = CPoint(0, 0);
    setHandle(handle);
    setStyle(style);
}

CSlider::~CSlider()
{
    if (m_pHandle)
        m_pHandle->forget();
}

void CSlider::setStyle(int32_t style)
{
    if (!(style & (kHorizontal | kVertical)))
        style |= kHorizontal;
    m_nStyle = style;
    updateHandleRange();
}

void CSlider::setHandle(CBitmap* handle)
{
    if (handle)
        handle->remember();
    if (m_pHandle)
        m_pHandle->forget();
    m_pHandle = handle;
    updateHandleRange();
    setDirty(true);
}

void CSlider::setOffsetHandle(const CPoint& offset)
{
    m_OffsetHandle = offset;
    updateHandleRange();
}

void CSlider::setViewSize(const CRect& rect, bool doInvalid)
{
    CControl::setViewSize(rect, doInvalid);
    updateHandleRange();
}

void CSlider::updateHandleRange()
{
    m_fHandleWidth = m_pHandle ? m_pHandle->getWidth() : 1;
    m_fHandleHeight = m_pHandle ? m_pHandle->getHeight() : 1;
    m_fRangeHandle = isHorizontal() ? getWidth() - (m_fHandleWidth + 2 * m_OffsetHandle.x)
                                    : getHeight() - (m_fHandleHeight + 2 * m_OffsetHandle.y);
    m_fRangeHandle = std::max<CCoord>(m_fRangeHandle, 1);
}

CRect CSlider::getHandleRect() const
{
    float v = std::clamp(getValueNormalized(), 0.f, 1.f);
    if (isReversed())
        v = 1.f - v;
    const CCoord pos = std::floor(v * m_fRangeHandle);
    CRect r(0, 0, m_fHandleWidth, m_fHandleHeight);
    if (isHorizontal())
        r.offset(m_OffsetHandle.x + pos, m_OffsetHandle.y);
    else
        r.offset(m_OffsetHandle.x, m_OffsetHandle.y + pos);
    r.offset(m_ViewSize.left, m_ViewSize.top);
    return r;
}

void CSlider::draw(CDrawContext* context)
{
    if (m_pBackground)
        m_pBackground->draw(context, m_ViewSize, m_Offset);
    if (m_nDrawStyle & kDrawBack) {
        context->setFillColor(m_BackColor);
        context->drawRect(m_ViewSize, kDrawFilled);
    }
    if (m_nDrawStyle & kDrawValue) {
        // A bar from the minimum (or the centre) to the value.
        float v = std::clamp(getValueNormalized(), 0.f, 1.f);
        float from = 0.f;
        if (m_nDrawStyle & kDrawValueFromCenter) {
            from = std::min(v, 0.5f);
            v = std::max(v, 0.5f);
        }
        if (((m_nDrawStyle & kDrawInverted) != 0) != isReversed()) {
            const float f = from;
            from = 1.f - v;
            v = 1.f - f;
        }
        CRect bar(m_ViewSize);
        if (isHorizontal()) {
            bar.left = m_ViewSize.left + from * getWidth();
            bar.right = m_ViewSize.left + v * getWidth();
        } else {
            // Vertical bars grow upwards from the bottom.
            bar.top = m_ViewSize.bottom - v * getHeight();
            bar.bottom = m_ViewSize.bottom - from * getHeight();
        }
        context->setFillColor(m_ValueColor);
        context->drawRect(bar, kDrawFilled);
    }
    if (m_nDrawStyle & kDrawFrame) {
        context->setFrameColor(m_FrameColor);
        context->setLineWidth(m_fFrameWidth);
        context->drawRect(m_ViewSize, kDrawStroked);
    }
    if (m_pHandle)
        m_pHandle->draw(context, getHandleRect(), CPoint(0, 0), m_bTransparentHandle ? 0.5f : 1.f);
    setDirty(false);
}

float CSlider::normAt(const CPoint& where) const
{
    const CCoord origin = isHorizontal() ? m_ViewSize.left + m_OffsetHandle.x : m_ViewSize.top + m_OffsetHandle.y;
    const CCoord p = (isHorizontal() ? where.x : where.y) - origin - m_fDelta;
    float v = static_cast<float>(p / m_fRangeHandle);
    if (isReversed())
        v = 1.f - v;
    return v;
}

CMouseEventResult CSlider::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    const CRect handle = getHandleRect();
    const bool onHandle = handle.pointInside(where);
    if (m_Mode == kTouchMode && !onHandle)
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    if (m_Mode != kRelativeTouchMode || onHandle)
        if (checkDefaultValue(buttons))
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

    // Where in the handle the pointer holds it: free click centres the handle on the pointer.
    if (m_Mode == kFreeClickMode)
        m_fDelta = (isHorizontal() ? m_fHandleWidth : m_fHandleHeight) / 2;
    else
        m_fDelta = isHorizontal() ? where.x - handle.left : where.y - handle.top;
    m_fEntryState = getValue();
    m_fOldValue = getValue();
    m_fStartValue = getValueNormalized();
    m_MouseStart = where;
    m_OldButton = buttons;
    beginEdit();
    if (m_Mode == kFreeClickMode)
        return onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    if (buttons.getModifierState() != m_OldButton.getModifierState()) {
        // Continue from here with the new fineness.
        m_fStartValue = getValueNormalized();
        m_MouseStart = where;
        m_OldButton = buttons;
    }
    float v;
    const bool fine = (buttons & getZoomModifier()) != 0;
    if (fine || m_Mode == kRelativeTouchMode) {
        CCoord moved = isHorizontal() ? where.x - m_MouseStart.x : where.y - m_MouseStart.y;
        if (isReversed())
            moved = -moved;
        v = m_fStartValue + static_cast<float>(moved / (m_fRangeHandle * (fine ? m_fZoomFactor : 1.f)));
    } else {
        v = normAt(where);
    }
    setValueNormalized(v);
    reportValueChange();
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseUp(CPoint&, const CButtonState&)
{
    return endEditing();
}

CMouseEventResult CSlider::onMouseCancel()
{
    return cancelEditing(m_fEntryState);
}

bool CSlider::onWheel(const CPoint&, const CMouseWheelAxis& axis, const float& distance, const CButtonState& buttons)
{
    if (!getMouseEnabled())
        return false;
    float d = distance;
    if (isHorizontal() && axis == kMouseWheelAxisX)
        d = -d;
    setValueNormalized(getValueNormalized() + d * getWheelInc() * ((buttons & getZoomModifier()) ? 0.1f : 1.f));
    reportStep();
    return true;
}

int32_t CSlider::onKeyDown(VstKeyCode& keyCode)
{
    return stepByArrowKey(keyCode);
}

CVerticalSlider::CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
                                 int32_t iMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset,
                                 int32_t style)
    : CSlider(size, listener, tag, iMinPos, iMaxPos, handle, background, offset, style | kVertical)
{
}

CVerticalSlider::CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag,
                                 const CPoint& offsetHandle, int32_t rangeHandle, CBitmap* handle,
                                 CBitmap* background, const CPoint& offset, int32_t style)
    : CSlider(size, listener, tag, offsetHandle, rangeHandle, handle, background, offset, style | kVertical)
{
}

CHorizontalSlider::CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
                                     int32_t iMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset,
                                     int32_t style)
    : CSlider(size, listener, tag, iMinPos, iMaxPos, handle, background, offset, style | kHorizontal)
{
}

CHorizontalSlider::CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag,
                                     const CPoint& offsetHandle, int32_t rangeHandle, CBitmap* handle,
                                     CBitmap* background, const CPoint& offset, int32_t style)
    : CSlider(size, listener, tag, offsetHandle, rangeHandle, handle, background, offset, style | kHorizontal)
{
}

}  // namespace VSTGUI
