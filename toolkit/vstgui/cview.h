#pragma once
// The base view: a rectangle in its parent's coordinates that draws itself and reacts to the
// mouse and keyboard.
//
// Ownership: reference counted; a container owns the views added to it (one reference) and
// forgets them on removal. Bitmaps set as background are remembered. Threading: GUI thread.

#include "cbitmap.h"
#include "cbuttonstate.h"
#include "cgeometry.h"
#include "vstguibase.h"

#include <map>
#include <vector>

namespace VSTGUI {

class CDrawContext;
class CFrame;
class CViewContainer;

// Attribute ids are four-character codes.
constexpr CViewAttributeID kCViewTooltipAttribute = 0x63767474;  // 'cvtt'

class CView : public CBaseObject
{
public:
    explicit CView(const CRect& size);
    ~CView() override;

    // Drawing. drawRect is called with the part of the view that needs painting (in parent
    // coordinates); the default draws the whole view with draw().
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);

    // Mouse, in the parent's coordinates (the same as getViewSize()).
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel();
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = -1);

    // Keyboard: return 1 when handled, -1 when not.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);

    // Redraw. setDirty(true) marks the view; the frame's idle() redraws marked views (or, while
    // kDirtyCallAlwaysOnMainThread is true, marking invalidates at once). invalid() requests
    // a repaint of the whole view now.
    static bool kDirtyCallAlwaysOnMainThread;
    virtual void setDirty(bool state = true);
    virtual bool isDirty() const { return m_bDirty; }
    virtual void invalid();
    virtual void invalidRect(const CRect& rect);

    virtual void setViewSize(const CRect& rect, bool invalid = true);
    const CRect& getViewSize() const { return m_ViewSize; }
    CRect& getViewSize(CRect& rect) const { return rect = m_ViewSize; }
    CCoord getWidth() const { return m_ViewSize.getWidth(); }
    CCoord getHeight() const { return m_ViewSize.getHeight(); }
    virtual void setMouseableArea(const CRect& rect) { m_MouseableArea = rect; }
    const CRect& getMouseableArea() const { return m_MouseableArea; }
    virtual void parentSizeChanged() {}
    virtual bool sizeToFit() { return false; }

    virtual void setVisible(bool state);
    bool isVisible() const { return m_bVisible && m_fAlpha > 0.f; }
    bool getVisibleFlag() const { return m_bVisible; }
    virtual void setAlphaValue(float alpha);
    float getAlphaValue() const { return m_fAlpha; }
    virtual void setMouseEnabled(bool state) { m_bMouseEnabled = state; }
    bool getMouseEnabled() const { return m_bMouseEnabled; }
    virtual void setTransparency(bool state);
    bool getTransparency() const { return m_bTransparent; }
    void setAutosizeFlags(int32_t flags) { m_nAutosizeFlags = flags; }
    int32_t getAutosizeFlags() const { return m_nAutosizeFlags; }

    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return m_pBackground; }
    virtual void setDisabledBackground(CBitmap* background);
    CBitmap* getDisabledBackground() const { return m_pDisabledBackground; }

    // Keyboard focus.
    virtual void takeFocus() {}
    virtual void looseFocus() {}
    virtual bool wantsFocus() const { return m_bWantsFocus; }
    void setWantsFocus(bool state) { m_bWantsFocus = state; }

    // Attributes: opaque bytes by id, copied in and out.
    bool setAttribute(CViewAttributeID id, uint32_t inSize, const void* inData);
    bool getAttributeSize(CViewAttributeID id, uint32_t& outSize) const;
    bool getAttribute(CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const;
    bool removeAttribute(CViewAttributeID id);

    void setTooltipText(UTF8StringPtr text);
    UTF8String getTooltipText() const;

    // Tree.
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    bool isAttached() const { return m_bAttached; }
    CView* getParentView() const { return m_pParentView; }
    CFrame* getFrame() const { return m_pParentFrame; }
    // True when this view and every parent are visible.
    bool isVisibleInTree() const;
    CPoint& localToFrame(CPoint& point) const;  // from this view's parent coordinates
    CPoint& frameToLocal(CPoint& point) const;  // into this view's parent coordinates
    // A rectangle in this view's parent coordinates, in frame coordinates (and back).
    CRect translateToGlobal(const CRect& rect) const;
    CRect translateToLocal(const CRect& rect) const;

protected:
    CRect m_ViewSize;
    CRect m_MouseableArea;
    CView* m_pParentView = nullptr;
    CFrame* m_pParentFrame = nullptr;
    CBitmap* m_pBackground = nullptr;
    CBitmap* m_pDisabledBackground = nullptr;

private:
    bool m_bVisible = true;
    bool m_bMouseEnabled = true;
    bool m_bTransparent = false;
    bool m_bDirty = false;
    bool m_bAttached = false;
    bool m_bWantsFocus = false;
    float m_fAlpha = 1.f;
    int32_t m_nAutosizeFlags = 0;
    std::map<CViewAttributeID, std::vector<uint8_t>> m_Attributes;
};

}  // namespace VSTGUI
