#include "cswitch.h"

#include "cdrawcontext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CSwitchBase::CSwitchBase(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                         CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background)
{
    m_BackOffset = offset;
    m_fHeightOfOneImage = heightOfOneImage > 0 ? heightOfOneImage : size.getHeight();
    m_nSubPixmaps = subPixmaps;
    // Without a count, the strip holds as many images as fit.
    if (m_nSubPixmaps <= 0)
        m_nSubPixmaps = background && m_fHeightOfOneImage > 0
                            ? std::max(1, static_cast<int32_t>(background->getHeight() / m_fHeightOfOneImage))
                            : 1;
    setDefaultValue(0.f);
}

int32_t CSwitchBase::getPosition() const
{
    if (m_nSubPixmaps <= 1)
        return 0;
    const float v = std::clamp(getValueNormalized(), 0.f, 1.f);
    return static_cast<int32_t>(std::floor(v * static_cast<float>(m_nSubPixmaps - 1) + 0.5f));
}

void CSwitchBase::setPosition(int32_t position)
{
    position = std::clamp(position, 0, std::max(0, m_nSubPixmaps - 1));
    const float norm = m_nSubPixmaps > 1 ? static_cast<float>(position) / static_cast<float>(m_nSubPixmaps - 1) : 0.f;
    setValue(getMin() + norm * getRange());
}

void CSwitchBase::draw(CDrawContext* context)
{
    if (m_pBackground)
        m_pBackground->draw(context, m_ViewSize, CPoint(m_BackOffset.x, m_BackOffset.y + getPosition() * m_fHeightOfOneImage));
    setDirty(false);
}

CMouseEventResult CSwitchBase::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    m_fEntryState = getValue();
    m_fOldValue = getValue();
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    return onMouseMoved(where, buttons);
}

CMouseEventResult CSwitchBase::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    setPosition(positionAt(where));
    reportValueChange();
    return kMouseEventHandled;
}

CMouseEventResult CSwitchBase::onMouseUp(CPoint&, const CButtonState&)
{
    return endEditing();
}

CMouseEventResult CSwitchBase::onMouseCancel()
{
    return cancelEditing(m_fEntryState);
}

void CSwitchBase::step(int32_t delta)
{
    const float before = getValue();
    setPosition(getPosition() + delta);
    if (getValue() != before) {
        beginEdit();
        valueChanged();
        endEdit();
        invalid();
    }
}

bool CSwitchBase::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    if (!getMouseEnabled() || distance == 0)
        return false;
    step(distance > 0 ? 1 : -1);
    return true;
}

int32_t CSwitchBase::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt == VKEY_UP || keyCode.virt == VKEY_RIGHT)
        step(1);
    else if (keyCode.virt == VKEY_DOWN || keyCode.virt == VKEY_LEFT)
        step(-1);
    else
        return -1;
    return 1;
}

CVerticalSwitch::CVerticalSwitch(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                                 const CPoint& offset)
    : CSwitchBase(size, listener, tag, 0, size.getHeight(), background, offset)
{
}

CVerticalSwitch::CVerticalSwitch(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                                 CCoord heightOfOneImage, int32_t /*iMaxPositions*/, CBitmap* background,
                                 const CPoint& offset)
    : CSwitchBase(size, listener, tag, subPixmaps, heightOfOneImage, background, offset)
{
}

int32_t CVerticalSwitch::positionAt(const CPoint& where) const
{
    const CCoord part = getHeight() / std::max(1, m_nSubPixmaps);
    return static_cast<int32_t>(std::floor((where.y - m_ViewSize.top) / part));
}

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, IControlListener* listener, int32_t tag,
                                     CBitmap* background, const CPoint& offset)
    : CSwitchBase(size, listener, tag, 0, size.getHeight(), background, offset)
{
}

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, IControlListener* listener, int32_t tag,
                                     int32_t subPixmaps, CCoord heightOfOneImage, int32_t /*iMaxPositions*/,
                                     CBitmap* background, const CPoint& offset)
    : CSwitchBase(size, listener, tag, subPixmaps, heightOfOneImage, background, offset)
{
}

int32_t CHorizontalSwitch::positionAt(const CPoint& where) const
{
    const CCoord part = getWidth() / std::max(1, m_nSubPixmaps);
    return static_cast<int32_t>(std::floor((where.x - m_ViewSize.left) / part));
}

}  // namespace VSTGUI
