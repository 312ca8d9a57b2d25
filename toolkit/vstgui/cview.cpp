#include "cview.h"

#include "cdrawcontext.h"
#include "cframe.h"
#include "cviewcontainer.h"

#include <cstring>

namespace VSTGUI {

bool CView::kDirtyCallAlwaysOnMainThread = true;

CView::CView(const CRect& size) : m_ViewSize(size), m_MouseableArea(size) {}

CView::~CView()
{
    if (m_pBackground)
        m_pBackground->forget();
    if (m_pDisabledBackground)
        m_pDisabledBackground->forget();
}

void CView::draw(CDrawContext* context)
{
    if (m_pBackground)
        m_pBackground->draw(context, m_ViewSize);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/) { draw(context); }

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseCancel() { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons)
{
    // Horizontal wheels count as vertical ones by default, with the direction kept.
    return onWheel(where, axis == kMouseWheelAxisX ? -distance : distance, buttons);
}

bool CView::hitTest(const CPoint& where, const CButtonState&) { return m_MouseableArea.pointInside(where); }

int32_t CView::onKeyDown(VstKeyCode&) { return -1; }
int32_t CView::onKeyUp(VstKeyCode&) { return -1; }

void CView::setDirty(bool state)
{
    if (state && kDirtyCallAlwaysOnMainThread && isAttached()) {
        invalid();
        return;
    }
    m_bDirty = state;
}

void CView::invalid()
{
    m_bDirty = false;
    invalidRect(m_ViewSize);
}

void CView::invalidRect(const CRect& rect)
{
    if (m_bAttached && m_bVisible && m_pParentView)
        m_pParentView->invalidRect(rect);
}

void CView::setViewSize(const CRect& rect, bool doInvalid)
{
    if (rect == m_ViewSize)
        return;
    if (doInvalid)
        invalid();
    m_ViewSize = rect;
    m_MouseableArea = rect;
    if (doInvalid)
        invalid();
}

void CView::setVisible(bool state)
{
    if (m_bVisible == state)
        return;
    if (state) {
        m_bVisible = true;
        invalid();
    } else {
        invalid();
        m_bVisible = false;
    }
}

void CView::setAlphaValue(float alpha)
{
    if (alpha == m_fAlpha)
        return;
    m_fAlpha = alpha;
    invalid();
}

void CView::setTransparency(bool state)
{
    if (state == m_bTransparent)
        return;
    m_bTransparent = state;
    invalid();
}

void CView::setBackground(CBitmap* background)
{
    if (background == m_pBackground)
        return;
    if (background)
        background->remember();
    if (m_pBackground)
        m_pBackground->forget();
    m_pBackground = background;
    setDirty(true);
}

void CView::setDisabledBackground(CBitmap* background)
{
    if (background == m_pDisabledBackground)
        return;
    if (background)
        background->remember();
    if (m_pDisabledBackground)
        m_pDisabledBackground->forget();
    m_pDisabledBackground = background;
}

bool CView::setAttribute(CViewAttributeID id, uint32_t inSize, const void* inData)
{
    if (inSize > 0 && !inData)
        return false;
    auto& bytes = m_Attributes[id];
    bytes.assign(static_cast<const uint8_t*>(inData), static_cast<const uint8_t*>(inData) + inSize);
    return true;
}

bool CView::getAttributeSize(CViewAttributeID id, uint32_t& outSize) const
{
    auto it = m_Attributes.find(id);
    if (it == m_Attributes.end())
        return false;
    outSize = static_cast<uint32_t>(it->second.size());
    return true;
}

bool CView::getAttribute(CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const
{
    auto it = m_Attributes.find(id);
    // The caller's buffer must hold the whole attribute.
    if (it == m_Attributes.end() || !outData || inSize < it->second.size())
        return false;
    outSize = static_cast<uint32_t>(it->second.size());
    if (outSize)
        std::memcpy(outData, it->second.data(), outSize);
    return true;
}

bool CView::removeAttribute(CViewAttributeID id) { return m_Attributes.erase(id) > 0; }

void CView::setTooltipText(UTF8StringPtr text)
{
    if (text && *text)
        setAttribute(kCViewTooltipAttribute, static_cast<uint32_t>(std::strlen(text)), text);
    else
        removeAttribute(kCViewTooltipAttribute);
}

UTF8String CView::getTooltipText() const
{
    auto it = m_Attributes.find(kCViewTooltipAttribute);
    return it == m_Attributes.end() ? UTF8String() : UTF8String(it->second.begin(), it->second.end());
}

bool CView::attached(CView* parent)
{
    if (m_bAttached)
        return false;
    m_pParentView = parent;
    m_pParentFrame = parent ? parent->getFrame() : nullptr;
    m_bAttached = true;
    if (m_bDirty && kDirtyCallAlwaysOnMainThread)
        invalid();
    return true;
}

bool CView::removed(CView* /*parent*/)
{
    if (!m_bAttached)
        return false;
    m_pParentView = nullptr;
    m_pParentFrame = nullptr;
    m_bAttached = false;
    return true;
}

bool CView::isVisibleInTree() const
{
    for (const CView* v = this; v; v = v->m_pParentView)
        if (!v->isVisible())
            return false;
    return true;
}

CPoint& CView::localToFrame(CPoint& point) const
{
    for (const CView* p = m_pParentView; p && p->m_pParentView; p = p->m_pParentView)
        point.offset(p->m_ViewSize.left, p->m_ViewSize.top);
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    for (const CView* p = m_pParentView; p && p->m_pParentView; p = p->m_pParentView)
        point.offset(-p->m_ViewSize.left, -p->m_ViewSize.top);
    return point;
}

CRect CView::translateToGlobal(const CRect& rect) const
{
    CPoint origin(rect.left, rect.top);
    localToFrame(origin);
    return CRect(origin, rect.getSize());
}

CRect CView::translateToLocal(const CRect& rect) const
{
    CPoint origin(rect.left, rect.top);
    frameToLocal(origin);
    return CRect(origin, rect.getSize());
}

}  // namespace VSTGUI
