#include "ccontrol.h"

#include "cframe.h"

#include <algorithm>

namespace VSTGUI {

int32_t CControl::kZoomModifier = kShift;
int32_t CControl::kDefaultValueModifier = kControl;

void IMultiBitmapControl::autoComputeHeightOfOneImage(CBitmap* background)
{
    if (background && m_nSubPixmaps > 0)
        m_fHeightOfOneImage = background->getHeight() / m_nSubPixmaps;
}

CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), m_pListener(listener), m_nTag(tag)
{
    setBackground(background);
    setWantsFocus(false);
}

CControl::~CControl() = default;

void CControl::setValue(float val)
{
    if (val != m_fValue) {
        m_fValue = val;
        setDirty(true);
    }
}

void CControl::setValueNormalized(float val)
{
    val = std::clamp(val, 0.f, 1.f);
    setValue(getRange() == 0.f ? m_fMin : m_fMin + val * getRange());
}

float CControl::getValueNormalized() const
{
    if (getRange() == 0.f)
        return 0.f;
    return (m_fValue - m_fMin) / getRange();
}

void CControl::bounceValue()
{
    if (m_fValue > m_fMax)
        m_fValue = m_fMax;
    else if (m_fValue < m_fMin)
        m_fValue = m_fMin;
}

void CControl::setTag(int32_t val)
{
    if (m_pListener)
        m_pListener->controlTagWillChange(this);
    m_nTag = val;
    if (m_pListener)
        m_pListener->controlTagDidChange(this);
}

void CControl::beginEdit()
{
    if (++m_nEditing != 1)
        return;
    if (m_pListener)
        m_pListener->controlBeginEdit(this);
    if (CFrame* frame = getFrame())
        frame->beginEdit(m_nTag);
}

void CControl::endEdit()
{
    if (m_nEditing == 0 || --m_nEditing != 0)
        return;
    if (CFrame* frame = getFrame())
        frame->endEdit(m_nTag);
    if (m_pListener)
        m_pListener->controlEndEdit(this);
}

void CControl::valueChanged()
{
    m_fOldValue = m_fValue;
    if (m_pListener)
        m_pListener->valueChanged(this);
}

bool CControl::checkDefaultValue(CButtonState button)
{
    if (!button.isLeftButton() || button.getModifierState() != getDefaultValueModifier())
        return false;
    if (getDefaultValue() != getValue()) {
        beginEdit();
        setValue(getDefaultValue());
        valueChanged();
        endEdit();
    }
    return true;
}

void CControl::reportValueChange()
{
    if (getValue() != getOldValue())
        valueChanged();
    if (isDirty())
        invalid();
}

CMouseEventResult CControl::endEditing()
{
    if (isEditing())
        endEdit();
    return kMouseEventHandled;
}

void CControl::reportStep()
{
    if (getValue() != getOldValue()) {
        beginEdit();
        valueChanged();
        endEdit();
        invalid();
    }
}

int32_t CControl::stepByArrowKey(const VstKeyCode& keyCode)
{
    float step;
    if (keyCode.virt == VKEY_UP || keyCode.virt == VKEY_RIGHT)
        step = getWheelInc();
    else if (keyCode.virt == VKEY_DOWN || keyCode.virt == VKEY_LEFT)
        step = -getWheelInc();
    else
        return -1;
    if (keyCode.modifier & MODIFIER_SHIFT)
        step *= 0.1f;
    setValueNormalized(getValueNormalized() + step);
    reportStep();
    return 1;
}

CMouseEventResult CControl::cancelEditing(float fEntryValue)
{
    if (isEditing()) {
        setValue(fEntryValue);
        if (getValue() != getOldValue())
            valueChanged();
        invalid();
        endEdit();
    }
    return kMouseEventHandled;
}

}  // namespace VSTGUI
