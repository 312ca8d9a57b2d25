#include "CXYPadWP.h"

#include <algorithm>
#include <cmath>

using namespace VSTGUI;

CXYPadWP::CXYPadWP(const CRect& size) : CXYPad(size) {}

bool CXYPadWP::insideDiamond(float x, float y) { return std::fabs(x - 0.5f) + std::fabs(y - 0.5f) <= 0.5f + 1e-6f; }

void CXYPadWP::setValue(float fValue)
{
    CXYPad::setValue(fValue);
    calculateXY(getValue(), m_fLastX, m_fLastY);
}

void CXYPadWP::draw(CDrawContext* pContext)
{
    if (!m_bJoystickMode) {
        CXYPad::draw(pContext);
        return;
    }
    drawBack(pContext);
    const CRect& r = getViewSize();
    std::vector<CPoint> diamond;
    for (int i = 0; i < 4; ++i)
        diamond.emplace_back(r.left + m_fAreaX[i] * r.getWidth(), r.top + m_fAreaY[i] * r.getHeight());
    diamond.push_back(diamond.front());
    pContext->setDrawMode(kAntiAliasing);
    pContext->setFrameColor(getFrameColor());
    pContext->drawPolygon(diamond, kDrawStroked);
    float x = 0, y = 0;
    calculateXY(getValue(), x, y);
    const CCoord handle = m_fRoundRectRadius;
    const CPoint c(r.left + handle / 2 + x * (r.getWidth() - handle), r.top + handle / 2 + y * (r.getHeight() - handle));
    pContext->setFillColor(getFontColor());
    pContext->drawEllipse(CRect(c.x - handle / 2, c.y - handle / 2, c.x + handle / 2, c.y + handle / 2), kDrawFilled);
    setDirty(false);
}

bool CXYPadWP::trackJoystick(const CPoint& where)
{
    float x = 0, y = 0;
    pointToXY(where, x, y);
    if (!insideDiamond(x, y))
        return false;
    m_fLastX = x;
    m_fLastY = y;
    CXYPad::setValue(calculateValue(x, y));
    valueChanged();
    invalid();
    return true;
}

CMouseEventResult CXYPadWP::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!m_bJoystickMode) {
        const CMouseEventResult r = CXYPad::onMouseDown(where, buttons);
        m_bDragging = r == kMouseEventHandled;
        return r;
    }
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    m_bDragging = true;
    beginEdit();
    trackJoystick(where);
    return kMouseEventHandled;
}

CMouseEventResult CXYPadWP::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!m_bJoystickMode)
        return CXYPad::onMouseMoved(where, buttons);
    if (!m_bDragging || !(buttons & kLButton))
        return kMouseEventNotHandled;
    trackJoystick(where);
    return kMouseEventHandled;
}

CMouseEventResult CXYPadWP::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    const bool bWas = m_bDragging;
    m_bDragging = false;
    if (!m_bJoystickMode)
        return CXYPad::onMouseUp(where, buttons);
    if (bWas)
        endEdit();
    return kMouseEventHandled;
}
