#include "cframe.h"

#include "animation.h"
#include "cvstguitimer.h"
#include "platform/iplatformframe.h"
#include "platform/offscreenframe.h"
#include "platform/x11frame.h"

#include <algorithm>
#include <cstdint>

namespace VSTGUI {
namespace {
bool s_bOffscreenOverride = false;
}

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor)
    : CViewContainer(CRect(size).originize()), m_pEditor(editor)
{
    m_pParentFrame = this;
    m_BackgroundColor = kWhiteCColor;
    m_BackgroundColorDrawStyle = kDrawFilled;
}

CFrame::~CFrame()
{
    // A frame forgotten without close() still releases what it holds.
    if (m_pAnimator) {
        m_pAnimator->forget();
        m_pAnimator = nullptr;
    }
    if (m_pTooltipTimer)
        m_pTooltipTimer->forget();
    removeAll(true);
    m_pPlatformFrame.reset();
}

void CFrame::setOffscreenOverride(bool state) { s_bOffscreenOverride = state; }

bool CFrame::open(void* parent, PlatformType type, IPlatformFrameConfig* /*config*/)
{
    if (m_pPlatformFrame)
        return false;
    if (s_bOffscreenOverride)
        type = kOffscreen;
    if (type == kOffscreen)
        m_pPlatformFrame = OffscreenFrame::create(this);
    else
        m_pPlatformFrame = X11Frame::create(this, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(parent)));
    if (!m_pPlatformFrame)
        return false;
    CView::attached(nullptr);
    m_pParentFrame = this;
    for (CView* c : m_Children)
        c->attached(this);
    invalid();
    return true;
}

void CFrame::close()
{
    if (m_pAnimator) {
        m_pAnimator->removeAll();
        m_pAnimator->forget();
        m_pAnimator = nullptr;
    }
    hideTooltip();
    if (m_pTooltipTimer) {
        m_pTooltipTimer->forget();
        m_pTooltipTimer = nullptr;
    }
    m_MouseObservers.clear();
    m_KeyboardHooks.clear();
    removeAll(true);
    m_pModalView = nullptr;
    m_pPlatformFrame.reset();
    if (isAttached())
        CView::removed(nullptr);
    m_pParentFrame = this;
    forget();
}

void CFrame::idle()
{
    if (!m_pPlatformFrame)
        return;
    CBaseObjectGuard guard(this);
    invalidateDirtyViews();
    if (m_pPlatformFrame)
        m_pPlatformFrame->flush();
}

int32_t CFrame::getKnobMode() const
{
    const int32_t mode = m_pEditor ? m_pEditor->getKnobMode() : -1;
    return mode < 0 ? kCircularMode : mode;
}

void CFrame::beginEdit(int32_t index)
{
    if (m_pEditor)
        m_pEditor->beginEdit(index);
}

void CFrame::endEdit(int32_t index)
{
    if (m_pEditor)
        m_pEditor->endEdit(index);
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    CRect r(m_ViewSize);
    r.setWidth(width);
    r.setHeight(height);
    if (m_pEditor && !m_pEditor->beforeSizeChange(r, m_ViewSize))
        return false;
    setViewSize(r);
    return true;
}

void CFrame::setViewSize(const CRect& rect, bool doInvalid)
{
    // The frame is the origin of its window.
    const CRect r = CRect(rect).originize();
    CViewContainer::setViewSize(r, false);
    if (m_pPlatformFrame)
        m_pPlatformFrame->setSize(r);
    if (doInvalid)
        invalid();
}

void CFrame::registerMouseObserver(IMouseObserver* observer)
{
    if (observer && std::find(m_MouseObservers.begin(), m_MouseObservers.end(), observer) == m_MouseObservers.end())
        m_MouseObservers.push_back(observer);
}

void CFrame::unregisterMouseObserver(IMouseObserver* observer)
{
    m_MouseObservers.erase(std::remove(m_MouseObservers.begin(), m_MouseObservers.end(), observer),
                           m_MouseObservers.end());
}

void CFrame::registerKeyboardHook(IKeyboardHook* hook)
{
    if (hook && std::find(m_KeyboardHooks.begin(), m_KeyboardHooks.end(), hook) == m_KeyboardHooks.end())
        m_KeyboardHooks.push_back(hook);
}

void CFrame::unregisterKeyboardHook(IKeyboardHook* hook)
{
    m_KeyboardHooks.erase(std::remove(m_KeyboardHooks.begin(), m_KeyboardHooks.end(), hook), m_KeyboardHooks.end());
}

void CFrame::setFocusView(CView* view)
{
    if (view == m_pFocusView)
        return;
    if (!m_bActive) {
        m_pFocusViewWhileInactive = view;
        return;
    }
    CView* old = m_pFocusView;
    m_pFocusView = view;
    if (old)
        old->looseFocus();
    if (m_pFocusView == view && view)
        view->takeFocus();
}

void CFrame::onActivate(bool state)
{
    if (state == m_bActive)
        return;
    if (!state) {
        m_pFocusViewWhileInactive = m_pFocusView;
        setFocusView(nullptr);
        m_bActive = false;
    } else {
        m_bActive = true;
        CView* v = m_pFocusViewWhileInactive;
        m_pFocusViewWhileInactive = nullptr;
        setFocusView(v);
    }
}

bool CFrame::setModalView(CView* view)
{
    if (view && m_pModalView)
        return false;
    if (m_pModalView) {
        CView* old = m_pModalView;
        m_pModalView = nullptr;
        removeView(old, true);
    }
    if (view) {
        if (!addView(view))
            return false;
        m_pModalView = view;
    }
    return true;
}

Animation::Animator* CFrame::getAnimator()
{
    if (!m_pAnimator)
        m_pAnimator = new Animation::Animator();
    return m_pAnimator;
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const
{
    where = m_LastMouse;
    return m_LastMouse.x >= 0;
}

bool CFrame::contains(CView* ancestor, CView* view)
{
    for (CView* v = view; v; v = v->getParentView())
        if (v == ancestor)
            return true;
    return false;
}

void CFrame::onViewRemoved(CView* view)
{
    if (contains(view, m_pFocusView)) {
        CView* f = m_pFocusView;
        m_pFocusView = nullptr;
        f->looseFocus();
    }
    if (contains(view, m_pFocusViewWhileInactive))
        m_pFocusViewWhileInactive = nullptr;
    if (contains(view, m_pMouseOverView))
        m_pMouseOverView = nullptr;
    if (contains(view, m_pTooltipView))
        hideTooltip();
    if (view == m_pModalView)
        m_pModalView = nullptr;
    if (m_pAnimator) {
        // Animations of views that leave the tree end at once.
        std::vector<CView*> gone;
        if (auto* c = dynamic_cast<CViewContainer*>(view))
            c->forEachChild([&](CView* v) { gone.push_back(v); });
        gone.push_back(view);
        for (CView* v : gone)
            m_pAnimator->removeAnimations(v);
    }
}

void CFrame::setMouseOverView(CView* view, const CPoint& where, const CButtonState& buttons)
{
    if (view == m_pMouseOverView)
        return;
    CView* old = m_pMouseOverView;
    m_pMouseOverView = view;
    if (old) {
        CPoint p(where);
        old->frameToLocal(p);
        old->onMouseExited(p, buttons);
        for (IMouseObserver* o : std::vector(m_MouseObservers))
            o->onMouseExited(old, this);
    }
    if (view) {
        CPoint p(where);
        view->frameToLocal(p);
        view->onMouseEntered(p, buttons);
        for (IMouseObserver* o : std::vector(m_MouseObservers))
            o->onMouseEntered(view, this);
    }
    // Tooltips follow the view under the mouse.
    hideTooltip();
    m_pTooltipView = nullptr;
    if (m_bTooltips && view && !view->getTooltipText().empty()) {
        m_pTooltipView = view;
        if (!m_pTooltipTimer)
            m_pTooltipTimer = new CVSTGUITimer(
                [this](CVSTGUITimer* t) {
                    t->stop();
                    showTooltip();
                },
                m_nTooltipDelay, false);
        m_pTooltipTimer->setFireTime(m_nTooltipDelay);
        m_pTooltipTimer->start();
    }
}

void CFrame::enableTooltips(bool state, uint32_t delayTimeInMs)
{
    m_bTooltips = state;
    m_nTooltipDelay = delayTimeInMs;
    if (!state) {
        hideTooltip();
        m_pTooltipView = nullptr;
    }
}

CRect CFrame::tooltipRect() const
{
    const CCoord w = 8 + 7.0 * static_cast<CCoord>(m_ShownTooltip.size());
    CRect r(m_TooltipPos.x, m_TooltipPos.y + 18, m_TooltipPos.x + w, m_TooltipPos.y + 36);
    // Keep it inside the frame.
    if (r.right > getWidth())
        r.offset(getWidth() - r.right, 0);
    if (r.bottom > getHeight())
        r.offset(0, m_TooltipPos.y - 20 - r.top);
    if (r.left < 0)
        r.offset(-r.left, 0);
    return r;
}

void CFrame::showTooltip()
{
    if (!m_pTooltipView || !m_bTooltips)
        return;
    m_ShownTooltip = m_pTooltipView->getTooltipText();
    m_TooltipPos = m_LastMouse;
    invalidRect(tooltipRect());
}

void CFrame::hideTooltip()
{
    if (m_pTooltipTimer)
        m_pTooltipTimer->stop();
    if (m_ShownTooltip.empty())
        return;
    const CRect r = tooltipRect();
    m_ShownTooltip.clear();
    invalidRect(r);
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CBaseObjectGuard guard(this);
    m_LastMouse = where;
    m_LastButtons = buttons;
    hideTooltip();
    m_pTooltipView = nullptr;
    if (m_pModalView) {
        CBaseObjectGuard modalGuard(m_pModalView);
        CPoint p(where);
        const CMouseEventResult r = m_pModalView->hitTest(p, buttons) ? m_pModalView->onMouseDown(p, buttons)
                                                                      : kMouseEventNotHandled;
        if (r == kMouseEventHandled && m_pModalView) {
            clearMouseDownView();
            m_pMouseDownView = m_pModalView;
            m_pMouseDownView->remember();
        } else if (r == kMouseEventNotHandled && m_pModalView) {
            m_pModalView->onMouseCancel();  // a click outside dismisses it
        }
        return r;
    }
    for (IMouseObserver* o : std::vector(m_MouseObservers))
        if (o->onMouseDown(this, where, buttons) == kMouseEventHandled)
            return kMouseEventHandled;
    // A click outside the focused view takes the focus away.
    if (m_pFocusView) {
        CPoint p(where);
        m_pFocusView->frameToLocal(p);
        if (!m_pFocusView->getViewSize().pointInside(p))
            setFocusView(nullptr);
    }
    return CViewContainer::onMouseDown(where, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    CBaseObjectGuard guard(this);
    m_LastMouse = where;
    m_LastButtons = CButtonState(buttons.getModifierState());
    return CViewContainer::onMouseUp(where, buttons);
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    CBaseObjectGuard guard(this);
    m_LastMouse = where;
    m_LastButtons = buttons;
    for (IMouseObserver* o : std::vector(m_MouseObservers))
        if (o->onMouseMoved(this, where, buttons) == kMouseEventHandled)
            return kMouseEventHandled;
    if (m_pMouseDownView)
        return CViewContainer::onMouseMoved(where, buttons);
    setMouseOverView(m_pModalView ? m_pModalView : getViewAt(where, true, true), where, buttons);
    return kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseExited(CPoint& where, const CButtonState& buttons)
{
    setMouseOverView(nullptr, where, buttons);
    return kMouseEventHandled;
}

bool CFrame::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                     const CButtonState& buttons)
{
    CBaseObjectGuard guard(this);
    hideTooltip();
    if (m_pModalView || m_pMouseDownView)
        return false;
    return CViewContainer::onWheel(where, axis, distance, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    CBaseObjectGuard guard(this);
    for (IKeyboardHook* h : std::vector(m_KeyboardHooks))
        if (h->onKeyDown(keyCode, this) != -1)
            return 1;
    if (m_pModalView) {
        CBaseObjectGuard g(m_pModalView);
        return m_pModalView->onKeyDown(keyCode);
    }
    if (m_pFocusView) {
        CBaseObjectGuard g(m_pFocusView);
        return m_pFocusView->onKeyDown(keyCode);
    }
    return -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode)
{
    CBaseObjectGuard guard(this);
    for (IKeyboardHook* h : std::vector(m_KeyboardHooks))
        if (h->onKeyUp(keyCode, this) != -1)
            return 1;
    if (m_pFocusView) {
        CBaseObjectGuard g(m_pFocusView);
        return m_pFocusView->onKeyUp(keyCode);
    }
    return -1;
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CViewContainer::drawRect(context, updateRect);
    if (!m_ShownTooltip.empty()) {
        const CRect r = tooltipRect();
        if (!r.rectOverlap(updateRect))
            return;
        context->saveGlobalState();
        context->setFillColor(CColor(255, 255, 225));
        context->setFrameColor(kBlackCColor);
        context->setFontColor(kBlackCColor);
        context->setLineWidth(1);
        context->drawRect(r, kDrawFilledAndStroked);
        context->setFont(kNormalFontSmall);
        CRect text(r);
        text.inset(4, 0);
        context->drawString(m_ShownTooltip.c_str(), text, kLeftText);
        context->restoreGlobalState();
    }
}

void CFrame::invalidRect(const CRect& rect)
{
    if (!m_pPlatformFrame)
        return;
    CRect r(rect);
    r.bound(CRect(0, 0, getWidth(), getHeight()));
    if (!r.isEmpty())
        m_pPlatformFrame->invalidRect(r);
}

void CFrame::invalid()
{
    CView::setDirty(false);
    invalidRect(CRect(0, 0, getWidth(), getHeight()));
}

}  // namespace VSTGUI
