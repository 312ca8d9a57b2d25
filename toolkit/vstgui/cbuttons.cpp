#include "cbuttons.h"

#include "cdrawcontext.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                           int32_t style)
    : CControl(size, listener, tag, background), m_nStyle(style)
{
    setDefaultValue(0.f);
}

void COnOffButton::draw(CDrawContext* context)
{
    if (m_pBackground) {
        const CCoord off = getValue() == getMax() ? m_pBackground->getHeight() / 2 : 0;
        m_pBackground->draw(context, m_ViewSize, CPoint(m_BackOffset.x, m_BackOffset.y + off));
    }
    setDirty(false);
}

void COnOffButton::toggle()
{
    beginEdit();
    setValue(getValue() == getMax() ? getMin() : getMax());
    if (m_nStyle & kPreListenerUpdate)
        invalid();
    valueChanged();
    if (m_nStyle & kPostListenerUpdate)
        invalid();
    endEdit();
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    if (checkDefaultValue(buttons))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    toggle();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COnOffButton::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    if (!getMouseEnabled() || distance == 0)
        return false;
    // Up switches on, down switches off.
    const float target = distance > 0 ? getMax() : getMin();
    if (target != getValue())
        toggle();
    return true;
}

int32_t COnOffButton::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt != VKEY_RETURN && keyCode.virt != VKEY_SPACE && keyCode.virt != VKEY_ENTER)
        return -1;
    toggle();
    return 1;
}

CKickButton::CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                         const CPoint& offset)
    : CControl(size, listener, tag, background)
{
    m_BackOffset = offset;
    m_fHeightOfOneImage = size.getHeight();
    m_nSubPixmaps = 2;
    setDefaultValue(0.f);
}

CKickButton::CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                         CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background)
{
    m_BackOffset = offset;
    m_fHeightOfOneImage = heightOfOneImage;
    m_nSubPixmaps = 2;
    setDefaultValue(0.f);
}

void CKickButton::draw(CDrawContext* context)
{
    if (m_pBackground) {
        CPoint where(m_BackOffset);
        bounceValue();
        if (getValue() == getMax())
            where.y += m_fHeightOfOneImage;
        m_pBackground->draw(context, m_ViewSize, where);
    }
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    m_fEntryState = getValue();
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    setValue(m_ViewSize.pointInside(where) ? getMax() : getMin());
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&)
{
    if (!isEditing())
        return kMouseEventHandled;
    // Released inside: report the press, then the release.
    if (getValue() == getMax())
        valueChanged();
    setValue(getMin());
    valueChanged();
    if (isDirty())
        invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseCancel()
{
    if (isEditing()) {
        setValue(m_fEntryState);
        if (isDirty())
            invalid();
        endEdit();
    }
    return kMouseEventHandled;
}

int32_t CKickButton::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt != VKEY_RETURN && keyCode.virt != VKEY_SPACE && keyCode.virt != VKEY_ENTER)
        return -1;
    if (!isEditing()) {
        beginEdit();
        setValue(getMax());
        valueChanged();
        invalid();
    }
    return 1;
}

int32_t CKickButton::onKeyUp(VstKeyCode& keyCode)
{
    if (keyCode.virt != VKEY_RETURN && keyCode.virt != VKEY_SPACE && keyCode.virt != VKEY_ENTER)
        return -1;
    if (isEditing()) {
        setValue(getMin());
        valueChanged();
        invalid();
        endEdit();
    }
    return 1;
}

}  // namespace VSTGUI
