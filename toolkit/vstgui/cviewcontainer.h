#pragma once
// A view holding child views, drawn in order (later children above earlier ones) over an
// optional background colour and bitmap. Children's rectangles are in this container's
// coordinates.
//
// Ownership: owns one reference of each child; removeView forgets it unless told not to.

#include "ccolor.h"
#include "cdrawcontext.h"
#include "cview.h"

#include <functional>
#include <vector>

namespace VSTGUI {

class CViewContainer : public CView
{
public:
    explicit CViewContainer(const CRect& size);
    ~CViewContainer() override;

    virtual bool addView(CView* view);
    virtual bool addView(CView* view, CView* before);
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    virtual bool changeViewZOrder(CView* view, uint32_t newIndex);
    bool isChild(CView* view, bool deep = false) const;
    bool hasChildren() const { return !m_Children.empty(); }
    uint32_t getNbViews() const { return static_cast<uint32_t>(m_Children.size()); }
    CView* getView(uint32_t index) const { return index < m_Children.size() ? m_Children[index] : nullptr; }
    int32_t getViewIndex(CView* view) const;
    // The topmost visible child containing where (in this container's parent coordinates);
    // deep descends into child containers.
    CView* getViewAt(const CPoint& where, bool deep = false, bool mouseEnabledOnly = false) const;
    void forEachChild(const std::function<void(CView*)>& fn) const;

    void setBackgroundColor(const CColor& color);
    CColor getBackgroundColor() const { return m_BackgroundColor; }
    void setBackgroundColorDrawStyle(CDrawStyle style);
    CDrawStyle getBackgroundColorDrawStyle() const { return m_BackgroundColorDrawStyle; }
    void setBackgroundOffset(const CPoint& offset) { m_BackgroundOffset = offset; }
    const CPoint& getBackgroundOffset() const { return m_BackgroundOffset; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    using CView::onWheel;
    bool hitTest(const CPoint& where, const CButtonState& buttons = -1) override;

    void invalid() override;
    void invalidRect(const CRect& rect) override;  // rect in this container's coordinates
    // Repaints every marked view below this container (what CFrame::idle does).
    virtual bool invalidateDirtyViews();
    void setViewSize(const CRect& rect, bool invalid = true) override;

    bool attached(CView* parent) override;
    bool removed(CView* parent) override;

    // The child that received the current mouse-down, if any.
    CView* getMouseDownView() const { return m_pMouseDownView; }

protected:
    void clearMouseDownView();

    std::vector<CView*> m_Children;
    CView* m_pMouseDownView = nullptr;
    CColor m_BackgroundColor = kBlackCColor;
    CDrawStyle m_BackgroundColorDrawStyle = kDrawFilledAndStroked;
    CPoint m_BackgroundOffset;
};

}  // namespace VSTGUI
