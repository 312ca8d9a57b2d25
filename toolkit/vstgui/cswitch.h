#pragma once
// Multi-position switches drawn from a strip of images, one per position. A click in the i-th
// of n equal parts (top to bottom, or left to right) sets min + i / (n - 1) * (max - min); a
// drag keeps following the pointer. The wheel and arrow keys move one position.

#include "ccontrol.h"

namespace VSTGUI {

class CSwitchBase : public CControl, public IMultiBitmapControl
{
public:
    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    const CPoint& getOffset() const { return m_BackOffset; }
    void setOffset(const CPoint& o) { setBackOffset(o); }
    // The position shown for the current value.
    int32_t getPosition() const;

protected:
    CSwitchBase(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                CCoord heightOfOneImage, CBitmap* background, const CPoint& offset);
    // The position under a point in the parent's coordinates.
    virtual int32_t positionAt(const CPoint& where) const = 0;
    void step(int32_t delta);
    void setPosition(int32_t position);

    float m_fEntryState = 0.f;
};

class CVerticalSwitch : public CSwitchBase
{
public:
    CVerticalSwitch(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0));
    CVerticalSwitch(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                    CCoord heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0));

protected:
    int32_t positionAt(const CPoint& where) const override;
};

class CHorizontalSwitch : public CSwitchBase
{
public:
    CHorizontalSwitch(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                      const CPoint& offset = CPoint(0, 0));
    CHorizontalSwitch(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                      CCoord heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
                      const CPoint& offset = CPoint(0, 0));

protected:
    int32_t positionAt(const CPoint& where) const override;
};

}  // namespace VSTGUI
