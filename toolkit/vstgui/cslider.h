#pragma once
// Sliders: a handle bitmap moving over a background along one axis, or drawn bars (frame,
// back, value) when draw styles are set. Modes: touch (only a click on the handle grabs it,
// without a jump), relative touch (a click anywhere, the drag moves the value relatively),
// free click (the handle jumps to the click). kZoomModifier makes drags finer by the zoom
// factor; kDefaultValueModifier-click resets to the default.
//
// Orientation styles: kHorizontal or kVertical, with kLeft/kTop (minimum at the left/top) or
// kRight/kBottom (minimum at the right/bottom).

#include "ccolor.h"
#include "ccontrol.h"

namespace VSTGUI {

class CSlider : public CControl
{
public:
    enum Mode { kTouchMode, kRelativeTouchMode, kFreeClickMode };
    enum DrawStyle : int32_t {
        kDrawFrame = 1 << 0,
        kDrawBack = 1 << 1,
        kDrawValue = 1 << 2,
        kDrawValueFromCenter = 1 << 3,
        kDrawInverted = 1 << 4,
    };

    CSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
            int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
            int32_t style = kLeft | kHorizontal);
    CSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos, int32_t iMaxPos,
            CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
            int32_t style = kLeft | kHorizontal);
    ~CSlider() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    using CControl::onWheel;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    void setViewSize(const CRect& rect, bool invalid = true) override;

    virtual void setMode(Mode mode) { m_Mode = mode; }
    Mode getMode() const { return m_Mode; }
    virtual void setStyle(int32_t style);
    int32_t getStyle() const { return m_nStyle; }
    void setDrawStyle(int32_t style) { m_nDrawStyle = style; }
    int32_t getDrawStyle() const { return m_nDrawStyle; }
    void setFrameColor(const CColor& c) { m_FrameColor = c; }
    CColor getFrameColor() const { return m_FrameColor; }
    void setBackColor(const CColor& c) { m_BackColor = c; }
    CColor getBackColor() const { return m_BackColor; }
    void setValueColor(const CColor& c) { m_ValueColor = c; }
    CColor getValueColor() const { return m_ValueColor; }
    void setFrameWidth(CCoord w) { m_fFrameWidth = w; }
    CCoord getFrameWidth() const { return m_fFrameWidth; }
    virtual void setHandle(CBitmap* handle);
    CBitmap* getHandle() const { return m_pHandle; }
    virtual void setOffsetHandle(const CPoint& offset);
    const CPoint& getOffsetHandle() const { return m_OffsetHandle; }
    virtual void setOffset(const CPoint& offset) { m_Offset = offset; }
    const CPoint& getOffset() const { return m_Offset; }
    // Draw the handle at half opacity.
    void setDrawTransparentHandle(bool state) { m_bTransparentHandle = state; }
    bool getDrawTransparentHandle() const { return m_bTransparentHandle; }
    void setZoomFactor(float val) { m_fZoomFactor = val; }
    float getZoomFactor() const { return m_fZoomFactor; }

    // The handle's rectangle for the current value (parent coordinates).
    CRect getHandleRect() const;

protected:
    void updateHandleRange();
    bool isHorizontal() const { return (m_nStyle & kHorizontal) != 0; }
    bool isReversed() const { return (m_nStyle & (kRight | kBottom)) != 0; }
    // The normalised value for a pointer position with the grab offset removed.
    float normAt(const CPoint& where) const;

    Mode m_Mode = kTouchMode;
    int32_t m_nStyle;
    int32_t m_nDrawStyle = 0;
    CColor m_FrameColor = kGreyCColor;
    CColor m_BackColor = kBlackCColor;
    CColor m_ValueColor = kWhiteCColor;
    CCoord m_fFrameWidth = 1;
    CBitmap* m_pHandle = nullptr;
    CPoint m_OffsetHandle;
    CPoint m_Offset;
    float m_fZoomFactor = 10.f;
    bool m_bTransparentHandle = false;
    CCoord m_fHandleWidth = 1;
    CCoord m_fHandleHeight = 1;
    CCoord m_fRangeHandle = 0;

    // Mouse tracking.
    CCoord m_fDelta = 0;        // pointer position minus handle position at the grab
    float m_fStartValue = 0;    // normalised value at the grab or the last modifier change
    CPoint m_MouseStart;
    CButtonState m_OldButton;
    float m_fEntryState = 0;
};

class CVerticalSlider : public CSlider
{
public:
    CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos, int32_t iMaxPos,
                    CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
                    int32_t style = kBottom);
    CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                    int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
                    int32_t style = kBottom);
};

class CHorizontalSlider : public CSlider
{
public:
    CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos, int32_t iMaxPos,
                      CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
                      int32_t style = kLeft);
    CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                      int32_t rangeHandle, CBitmap* handle, CBitmap* background,
                      const CPoint& offset = CPoint(0, 0), int32_t style = kLeft);
};

}  // namespace VSTGUI
