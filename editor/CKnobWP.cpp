#include "CKnobWP.h"

#include "SwitchSteps.h"

#include <cmath>
#include <cstdint>

using namespace VSTGUI;

CKnobWP::CKnobWP(const CRect& size, IControlListener* pListener, int32_t nTag, int32_t nSubPixmaps,
                 CCoord fHeightOfOneImage, CBitmap* pBackground, const CPoint& offset)
    : CAnimKnob(size, pListener, nTag, nSubPixmaps, fHeightOfOneImage, pBackground, offset)
{
}

int32_t CKnobWP::getZoomModifier() const { return m_bAltModifiers ? kControl : CAnimKnob::getZoomModifier(); }

int32_t CKnobWP::getDefaultValueModifier() const
{
    return m_bAltModifiers ? kAlt : CAnimKnob::getDefaultValueModifier();
}

int32_t CKnobWP::stripOffsetFor(float fValue) const
{
    // The image height and count come from the UI description: no frame unless they give a
    // strip position (a NaN or a huge value must not reach the integer conversions).
    if (!(m_fHeightOfOneImage >= 1.0 && m_fHeightOfOneImage <= INT32_MAX) || fValue < 0.0f)
        return -1;
    const auto h = static_cast<int64_t>(m_fHeightOfOneImage);
    const float f = m_bInverseBitmap ? 1.0f - fValue : fValue;
    const auto n = static_cast<double>(m_nSubPixmaps) - 1.0;
    const double fOffset = std::floor(static_cast<double>(f) * n * static_cast<double>(h));
    if (!(fOffset >= INT32_MIN && fOffset <= INT32_MAX))
        return -1;
    const auto y = static_cast<int64_t>(fOffset);
    return static_cast<int32_t>(y - y % h);
}

// The dirty flag stays: the container clears it once the whole view is painted, so a repaint
// that cuts through the knob leaves the rest to the next idle.
void CKnobWP::draw(CDrawContext* pContext)
{
    if (m_pBackground) {
        if (m_bSwitchMode)
            m_fValue = tsraSnapToStep(m_fValue, m_fSwitchSteps);
        const int32_t y = stripOffsetFor(getValue());
        if (y >= 0)
            m_pBackground->draw(pContext, m_ViewSize, CPoint(0, y), 1.0f);
    }
}
