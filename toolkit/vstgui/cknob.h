#pragma once
// Rotary controls. CKnob draws a handle line (or handle bitmap) over its background; CAnimKnob
// shows one image of a vertical strip per value. Mouse modes come from the frame's editor
// (getKnobMode): circular (the value follows the pointer's angle), relative circular (the
// angle moved since the click is added) and linear (right/up increases, 200 px for the whole
// range). kAlt swaps linear and circular; kZoomModifier makes linear drags finer by the zoom
// factor; kDefaultValueModifier-click resets to the default.

#include "ccolor.h"
#include "ccontrol.h"

namespace VSTGUI {

class CKnob : public CControl
{
public:
    enum DrawStyle : int32_t {
        kLegacyHandleLineDrawing = 0,
        kHandleCircleDrawing = 1 << 0,
        kCoronaDrawing = 1 << 1,
        kCoronaFromCenter = 1 << 2,
        kCoronaInverted = 1 << 3,
        kCoronaLineDashDot = 1 << 4,
        kCoronaOutline = 1 << 5,
        kCoronaLineCapButt = 1 << 6,
        kSkipHandleDrawing = 1 << 7,
    };
    static constexpr CCoord kCKnobRange = 200.;

    CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
          const CPoint& offset = CPoint(0, 0), int32_t drawStyle = kLegacyHandleLineDrawing);
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

    // Angles in radians, clockwise from the positive x axis (screen coordinates).
    virtual void setStartAngle(float val) { m_fStartAngle = val; }
    float getStartAngle() const { return m_fStartAngle; }
    virtual void setRangeAngle(float val) { m_fRangeAngle = val; }
    float getRangeAngle() const { return m_fRangeAngle; }
    // The value for a point in the view's own coordinates (0, 0 = top-left), and back.
    virtual float valueFromPoint(CPoint& point) const;
    virtual void valueToPoint(CPoint& point) const;

    void setZoomFactor(float val) { m_fZoomFactor = val; }
    float getZoomFactor() const { return m_fZoomFactor; }
    void setInsetValue(CCoord val) { m_fInsetValue = val; }
    CCoord getInsetValue() const { return m_fInsetValue; }
    void setDrawStyle(int32_t style) { m_nDrawStyle = style; }
    int32_t getDrawStyle() const { return m_nDrawStyle; }
    void setCoronaColor(const CColor& c) { m_CoronaColor = c; }
    CColor getCoronaColor() const { return m_CoronaColor; }
    void setCoronaInset(CCoord val) { m_fCoronaInset = val; }
    CCoord getCoronaInset() const { return m_fCoronaInset; }
    void setColorHandle(const CColor& c) { m_HandleColor = c; }
    CColor getColorHandle() const { return m_HandleColor; }
    void setColorShadowHandle(const CColor& c) { m_HandleShadowColor = c; }
    CColor getColorShadowHandle() const { return m_HandleShadowColor; }
    void setHandleLineWidth(CCoord w) { m_fHandleLineWidth = w; }
    CCoord getHandleLineWidth() const { return m_fHandleLineWidth; }
    void setHandleBitmap(CBitmap* bitmap);
    CBitmap* getHandleBitmap() const { return m_pHandleBitmap; }
    const CPoint& getOffset() const { return m_BackOffset; }
    void setOffset(const CPoint& o) { setBackOffset(o); }

protected:
    float angleOfPoint(const CPoint& local) const;

    float m_fStartAngle;
    float m_fRangeAngle;
    float m_fZoomFactor = 1.5f;
    CCoord m_fInsetValue = 3;
    int32_t m_nDrawStyle;
    CColor m_CoronaColor = kWhiteCColor;
    CCoord m_fCoronaInset = 0;
    CColor m_HandleColor = kWhiteCColor;
    CColor m_HandleShadowColor = CColor(0x1C, 0x1C, 0x1C);
    CCoord m_fHandleLineWidth = 1;
    CBitmap* m_pHandleBitmap = nullptr;

    // Mouse tracking.
    CPoint m_FirstPoint;
    CPoint m_LastPoint;
    float m_fStartValue = 0;
    float m_fEntryState = 0;  // the value at the click
    float m_fLinearBase = 0;  // linear drags: the value at zero distance from the click
    CCoord m_fRange = kCKnobRange;
    float m_fCoef = 0;
    CButtonState m_OldButton;
    int32_t m_nMode = 0;  // the CKnobMode of the current drag
};

class CAnimKnob : public CKnob, public IMultiBitmapControl
{
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
              const CPoint& offset = CPoint(0, 0));
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));

    // Image floor(v * (n - 1)) of the strip, v the normalised value (1 - v when inverse).
    void draw(CDrawContext* context) override;
    void setBackground(CBitmap* background) override;
    void setInverseBitmap(bool state) { m_bInverseBitmap = state; }
    bool getInverseBitmap() const { return m_bInverseBitmap; }

protected:
    bool m_bInverseBitmap = false;
};

}  // namespace VSTGUI
