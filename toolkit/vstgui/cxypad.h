#pragma once
// A two-dimensional pad: both axes (0..1) packed into one value, 1000 steps each. A drag moves
// the handle (a dot of the round-rect radius) within the pad; y grows downwards.

#include "cparamdisplay.h"

namespace VSTGUI {

class CXYPad : public CParamDisplay
{
public:
    explicit CXYPad(const CRect& size = CRect(0, 0, 0, 0));

    // value = round(x * 1000) / 1000 + round(y * 1000) / 10^7
    static float calculateValue(float x, float y);
    static void calculateXY(float value, float& x, float& y);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    using CParamDisplay::onWheel;

    void setStopTrackingOnMouseExit(bool state) { m_bStopTrackingOnMouseExit = state; }
    bool getStopTrackingOnMouseExit() const { return m_bStopTrackingOnMouseExit; }

protected:
    // The axis values for a point in the parent's coordinates, limited to 0..1.
    void pointToXY(const CPoint& where, float& x, float& y) const;

    bool m_bStopTrackingOnMouseExit = false;
    float m_fEntryState = 0.f;
};

}  // namespace VSTGUI
