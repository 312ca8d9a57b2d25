#include "cvumeter.h"

#include "cdrawcontext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CVuMeter::CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed, int32_t style)
    : CControl(size, nullptr, -1, onBitmap), m_nNbLed(nbLed), m_nStyle(style), m_RectOn(size), m_RectOff(size)
{
    setOffBitmap(offBitmap);
    setWantsFocus(false);
    m_fOldValue = 0.f;
}

CVuMeter::~CVuMeter()
{
    if (m_pOffBitmap)
        m_pOffBitmap->forget();
}

void CVuMeter::setOffBitmap(CBitmap* bitmap)
{
    if (bitmap)
        bitmap->remember();
    if (m_pOffBitmap)
        m_pOffBitmap->forget();
    m_pOffBitmap = bitmap;
}

void CVuMeter::setViewSize(const CRect& rect, bool doInvalid)
{
    CControl::setViewSize(rect, doInvalid);
    m_RectOn = rect;
    m_RectOff = rect;
}

void CVuMeter::draw(CDrawContext* context)
{
    CBitmap* on = getOnBitmap();
    if (!on || m_nNbLed <= 0) {
        setDirty(false);
        return;
    }
    bounceValue();
    const float shown = std::max(getOldValue() - m_fDecreaseValue, getValue());
    setOldValue(shown);
    const float norm = getRange() != 0.f ? (shown - getMin()) / getRange() : 0.f;
    // Whole segments only.
    const float lit = std::floor(norm * static_cast<float>(m_nNbLed) + 0.5f) / static_cast<float>(m_nNbLed);
    CRect rOn(m_RectOn), rOff(m_RectOff);
    CPoint pOn(m_BackOffset), pOff(m_BackOffset);
    if (m_nStyle & kHorizontal) {
        const CCoord split = std::floor(lit * on->getWidth());
        rOn.right = rOn.left + split;
        rOff.left += split;
        pOff.x += split;
    } else {
        // Lit from the bottom up.
        const CCoord split = std::floor((1.f - lit) * on->getHeight());
        rOff.bottom = rOff.top + split;
        rOn.top += split;
        pOn.y += split;
    }
    if (m_pOffBitmap)
        m_pOffBitmap->draw(context, rOff, pOff);
    on->draw(context, rOn, pOn);
    setDirty(false);
}

}  // namespace VSTGUI
