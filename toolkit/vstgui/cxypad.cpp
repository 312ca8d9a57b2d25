#include "cxypad.h"

#include "cdrawcontext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CXYPad::CXYPad(const CRect& size) : CParamDisplay(size)
{
    setWantsFocus(false);
}

float CXYPad::calculateValue(float x, float y)
{
    x = std::clamp(x, 0.f, 1.f);
    y = std::clamp(y, 0.f, 1.f);
    return static_cast<float>(std::floor(x * 1000.0 + 0.5) * 0.001 + std::floor(y * 1000.0 + 0.5) * 1e-7);
}

void CXYPad::calculateXY(float value, float& x, float& y)
{
    // The y part adds at most 10^-4, so rounding to three decimals recovers x.
    const double xs = std::floor(static_cast<double>(value) * 1000.0 + 0.5) * 0.001;
    const double ys = std::floor((static_cast<double>(value) - xs) * 1e7 + 0.5) * 0.001;
    x = static_cast<float>(std::clamp(xs, 0.0, 1.0));
    y = static_cast<float>(std::clamp(ys, 0.0, 1.0));
}

void CXYPad::pointToXY(const CPoint& where, float& x, float& y) const
{
    const CCoord handle = m_fRoundRectRadius;
    const CCoord w = std::max<CCoord>(getWidth() - handle, 1), h = std::max<CCoord>(getHeight() - handle, 1);
    x = static_cast<float>(std::clamp((where.x - m_ViewSize.left - handle / 2) / w, 0.0, 1.0));
    y = static_cast<float>(std::clamp((where.y - m_ViewSize.top - handle / 2) / h, 0.0, 1.0));
}

void CXYPad::draw(CDrawContext* context)
{
    drawBack(context);
    float x, y;
    calculateXY(getValue(), x, y);
    const CCoord handle = m_fRoundRectRadius;
    const CCoord w = getWidth() - handle, h = getHeight() - handle;
    const CPoint c(m_ViewSize.left + handle / 2 + x * w, m_ViewSize.top + handle / 2 + y * h);
    context->setFillColor(getFontColor());
    context->setDrawMode(kAntiAliasing);
    context->drawEllipse(CRect(c.x - handle / 2, c.y - handle / 2, c.x + handle / 2, c.y + handle / 2), kDrawFilled);
    setDirty(false);
}

CMouseEventResult CXYPad::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    m_fEntryState = getValue();
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    m_fOldValue = getValue();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CXYPad::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    if (m_bStopTrackingOnMouseExit && !m_ViewSize.pointInside(where)) {
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    float x, y;
    pointToXY(where, x, y);
    setValue(calculateValue(x, y));
    reportValueChange();
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseUp(CPoint&, const CButtonState&)
{
    return endEditing();
}

CMouseEventResult CXYPad::onMouseCancel()
{
    return cancelEditing(m_fEntryState);
}

bool CXYPad::onWheel(const CPoint&, const CMouseWheelAxis& axis, const float& distance, const CButtonState& buttons)
{
    if (!getMouseEnabled())
        return false;
    float x, y;
    calculateXY(getValue(), x, y);
    const float step = distance * getWheelInc() * ((buttons & getZoomModifier()) ? 0.1f : 1.f);
    if (axis == kMouseWheelAxisX)
        x += step;
    else
        y -= step;  // wheel up moves the handle up
    setValue(calculateValue(x, y));
    reportStep();
    return true;
}

}  // namespace VSTGUI
