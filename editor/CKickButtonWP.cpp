#include "CKickButtonWP.h"

#include <cstring>

using namespace VSTGUI;

CKickButtonWP::CKickButtonWP(const CRect& size, IControlListener* pListener, int32_t nTag, CCoord fHeightOfOneImage,
                             CBitmap* pBackground, const CPoint& offset)
    : CKickButton(size, pListener, nTag, fHeightOfOneImage, pBackground, offset)
{
}

uint32_t CKickButtonWP::reportModeFor(const char* pName)
{
    if (pName && std::strcmp(pName, "TsraKickButtonDU") == 0)
        return kDownAndUp;
    if (pName && std::strcmp(pName, "TsraKickButtonD") == 0)
        return kDownOnly;
    return kUpOnly;
}

CMouseEventResult CKickButtonWP::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    m_fValue = getMax();
    m_fEntryState = m_fValue;
    beginEdit();
    if ((m_nReportMode == kDownAndUp || m_nReportMode == kDownOnly) && getValue() != 0.0f)
        valueChanged();
    if (isDirty())
        invalid();
    return CKickButton::onMouseMoved(where, buttons);
}

CMouseEventResult CKickButtonWP::onMouseUp(CPoint& /*where*/, const CButtonState& /*buttons*/)
{
    m_fValue = getMin();
    setDirty(true);
    if (m_nReportMode == kDownAndUp || m_nReportMode == kUpOnly)
        valueChanged();
    if (isDirty())
        invalid();
    endEdit();
    return kMouseEventHandled;
}
