#pragma once
// Two-image buttons drawn from a vertical strip (off image on top, on image below).
// COnOffButton toggles between min and max on each click; CKickButton is at max while pressed
// inside it and reports max, then min, on release.

#include "ccontrol.h"

namespace VSTGUI {

class COnOffButton : public CControl
{
public:
    enum { kPostListenerUpdate = 1 << 0, kPreListenerUpdate = 1 << 1 };
    COnOffButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                 CBitmap* background = nullptr, int32_t style = kPreListenerUpdate);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t getStyle() const { return m_nStyle; }
    void setStyle(int32_t style) { m_nStyle = style; }

protected:
    void toggle();
    int32_t m_nStyle;
};

class CKickButton : public CControl, public IMultiBitmapControl
{
public:
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                const CPoint& offset = CPoint(0, 0));
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    const CPoint& getOffset() const { return m_BackOffset; }
    void setOffset(const CPoint& o) { setBackOffset(o); }

protected:
    float m_fEntryState = 0.f;
};

}  // namespace VSTGUI
