#include "cviewcontainer.h"

#include "ccontrol.h"
#include "cframe.h"

#include <algorithm>

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::~CViewContainer() { removeAll(true); }

bool CViewContainer::addView(CView* view) { return addView(view, nullptr); }

bool CViewContainer::addView(CView* view, CView* before)
{
    if (!view || view == this || view->getParentView() || isChild(view))
        return false;
    auto it = before ? std::find(m_Children.begin(), m_Children.end(), before) : m_Children.end();
    m_Children.insert(it, view);
    if (isAttached()) {
        view->attached(this);
        view->invalid();
    }
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto it = std::find(m_Children.begin(), m_Children.end(), view);
    if (it == m_Children.end())
        return false;
    if (view == m_pMouseDownView)
        clearMouseDownView();
    if (CFrame* frame = getFrame())
        frame->onViewRemoved(view);
    if (view->isAttached()) {
        view->invalid();
        view->removed(this);
    }
    m_Children.erase(std::find(m_Children.begin(), m_Children.end(), view));
    if (withForget)
        view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    while (!m_Children.empty())
        removeView(m_Children.back(), withForget);
    return true;
}

bool CViewContainer::changeViewZOrder(CView* view, uint32_t newIndex)
{
    auto it = std::find(m_Children.begin(), m_Children.end(), view);
    if (it == m_Children.end() || newIndex >= m_Children.size())
        return false;
    m_Children.erase(it);
    m_Children.insert(m_Children.begin() + newIndex, view);
    view->invalid();
    return true;
}

bool CViewContainer::isChild(CView* view, bool deep) const
{
    for (CView* c : m_Children) {
        if (c == view)
            return true;
        if (deep)
            if (auto* cc = dynamic_cast<CViewContainer*>(c); cc && cc->isChild(view, true))
                return true;
    }
    return false;
}

int32_t CViewContainer::getViewIndex(CView* view) const
{
    auto it = std::find(m_Children.begin(), m_Children.end(), view);
    return it == m_Children.end() ? -1 : static_cast<int32_t>(it - m_Children.begin());
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep, bool mouseEnabledOnly) const
{
    CPoint local(where);
    local.offset(-m_ViewSize.left, -m_ViewSize.top);
    for (auto it = m_Children.rbegin(); it != m_Children.rend(); ++it) {
        CView* v = *it;
        if (!v->isVisible() || (mouseEnabledOnly && !v->getMouseEnabled()) || !v->getViewSize().pointInside(local))
            continue;
        if (deep)
            if (auto* c = dynamic_cast<CViewContainer*>(v))
                if (CView* inner = c->getViewAt(local, true, mouseEnabledOnly))
                    return inner;
        return v;
    }
    return nullptr;
}

void CViewContainer::forEachChild(const std::function<void(CView*)>& fn) const
{
    const auto copy = m_Children;
    for (CView* c : copy)
        fn(c);
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    if (color == m_BackgroundColor)
        return;
    m_BackgroundColor = color;
    setDirty(true);
}

void CViewContainer::setBackgroundColorDrawStyle(CDrawStyle style)
{
    if (style == m_BackgroundColorDrawStyle)
        return;
    m_BackgroundColorDrawStyle = style;
    setDirty(true);
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, m_ViewSize); }

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& /*rect*/)
{
    if (getTransparency())
        return;
    context->setLineWidth(1);
    context->setFillColor(m_BackgroundColor);
    context->setFrameColor(m_BackgroundColor);
    context->setLineStyle(kLineSolid);
    context->setDrawMode(kAliasing);
    context->drawRect(m_ViewSize, m_BackgroundColorDrawStyle);
    if (m_pBackground)
        m_pBackground->draw(context, m_ViewSize, m_BackgroundOffset);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CRect area(updateRect);
    area.bound(m_ViewSize);
    if (area.isEmpty())
        return;
    CRect oldClip;
    context->getClipRect(oldClip);
    CRect clip(area);
    clip.bound(oldClip);
    if (clip.isEmpty())
        return;
    context->saveGlobalState();
    context->setClipRect(clip);
    drawBackgroundRect(context, clip);
    {
        CDrawContext::Transform t(*context, CGraphicsTransform().translate(m_ViewSize.left, m_ViewSize.top));
        CRect local(clip);
        local.offset(-m_ViewSize.left, -m_ViewSize.top);
        // By index and without a copy: painting allocates nothing here, and a child removed
        // while drawing cannot leave a dangling iterator.
        for (size_t i = 0; i < m_Children.size(); ++i) {
            CView* child = m_Children[i];
            if (!child->isVisible() || !child->getViewSize().rectOverlap(local))
                continue;
            CRect childArea(local);
            childArea.bound(child->getViewSize());
            context->saveGlobalState();
            context->setGlobalAlpha(context->getGlobalAlpha() * child->getAlphaValue());
            context->setClipRect(childArea);
            child->drawRect(context, childArea);
            context->restoreGlobalState();
            // Only a view painted in full has caught up with its changes.
            if (local.contains(child->getViewSize()) && !dynamic_cast<CViewContainer*>(child))
                child->setDirty(false);
        }
    }
    context->restoreGlobalState();
    if (clip.contains(m_ViewSize))
        CView::setDirty(false);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint local(where);
    local.offset(-m_ViewSize.left, -m_ViewSize.top);
    const auto children = m_Children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* v = *it;
        if (!v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons))
            continue;
        CBaseObjectGuard guard(v);
        if (auto* control = dynamic_cast<CControl*>(v);
            control && control->getListener() && (buttons & (kAlt | kShift | kControl | kApple | kRButton))) {
            if (control->getListener()->controlModifierClicked(control, buttons) != 0)
                return kMouseEventHandled;
        }
        if (v->wantsFocus())
            if (CFrame* frame = getFrame())
                frame->setFocusView(v);
        CPoint p(local);
        const CMouseEventResult result = v->onMouseDown(p, buttons);
        if (result != kMouseEventNotHandled && result != kMouseEventNotImplemented) {
            if (result == kMouseEventHandled && isChild(v)) {
                clearMouseDownView();
                m_pMouseDownView = v;
                v->remember();
            }
            return result;
        }
        if (!v->getTransparency())
            return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!m_pMouseDownView)
        return kMouseEventNotHandled;
    CView* v = m_pMouseDownView;
    CBaseObjectGuard guard(v);
    CPoint p(where);
    p.offset(-m_ViewSize.left, -m_ViewSize.top);
    v->onMouseUp(p, buttons);
    if (v == m_pMouseDownView)
        clearMouseDownView();
    return kMouseEventHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!m_pMouseDownView)
        return kMouseEventNotHandled;
    CView* v = m_pMouseDownView;
    CBaseObjectGuard guard(v);
    CPoint p(where);
    p.offset(-m_ViewSize.left, -m_ViewSize.top);
    const CMouseEventResult result = v->onMouseMoved(p, buttons);
    if (result == kMouseMoveEventHandledButDontNeedMoreEvents && v == m_pMouseDownView)
        clearMouseDownView();
    return result == kMouseEventNotImplemented ? kMouseEventNotHandled : result;
}

CMouseEventResult CViewContainer::onMouseCancel()
{
    if (!m_pMouseDownView)
        return kMouseEventNotHandled;
    CView* v = m_pMouseDownView;
    CBaseObjectGuard guard(v);
    v->onMouseCancel();
    if (v == m_pMouseDownView)
        clearMouseDownView();
    return kMouseEventHandled;
}

void CViewContainer::clearMouseDownView()
{
    if (!m_pMouseDownView)
        return;
    CView* v = m_pMouseDownView;
    m_pMouseDownView = nullptr;
    v->forget();
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons)
{
    CPoint local(where);
    local.offset(-m_ViewSize.left, -m_ViewSize.top);
    const auto children = m_Children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* v = *it;
        if (!v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons))
            continue;
        CBaseObjectGuard guard(v);
        if (v->onWheel(local, axis, distance, buttons))
            return true;
        if (!v->getTransparency())
            return false;
    }
    return false;
}

bool CViewContainer::hitTest(const CPoint& where, const CButtonState& buttons)
{
    // Only where a child (or the container's own opaque area) can take the click.
    return CView::hitTest(where, buttons);
}

void CViewContainer::invalid()
{
    CView::setDirty(false);
    CRect r(m_ViewSize);
    r.originize();
    invalidRect(r);
}

void CViewContainer::invalidRect(const CRect& rect)
{
    if (!isAttached() || !getVisibleFlag() || !getParentView())
        return;
    CRect r(rect);
    r.offset(m_ViewSize.left, m_ViewSize.top);
    r.bound(m_ViewSize);
    if (!r.isEmpty())
        getParentView()->invalidRect(r);
}

bool CViewContainer::invalidateDirtyViews()
{
    if (!isVisible())
        return true;
    if (CView::isDirty()) {
        invalid();
        return true;
    }
    const auto children = m_Children;
    for (CView* c : children) {
        if (auto* cc = dynamic_cast<CViewContainer*>(c))
            cc->invalidateDirtyViews();
        else if (c->isDirty() && c->isVisible())
            c->invalid();
    }
    return true;
}

void CViewContainer::setViewSize(const CRect& rect, bool doInvalid)
{
    CView::setViewSize(rect, doInvalid);
    for (CView* c : m_Children)
        c->parentSizeChanged();
}

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent))
        return false;
    for (CView* c : m_Children)
        c->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    if (!isAttached())
        return false;
    clearMouseDownView();
    for (CView* c : m_Children)
        c->removed(this);
    return CView::removed(parent);
}

}  // namespace VSTGUI
