#include "CVuMeterWP.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace VSTGUI;

CVuMeterWP::CVuMeterWP(const CRect& size, CBitmap* pOnBitmap, CBitmap* pOffBitmap, int32_t nNbLed, int32_t nStyle)
    : CVuMeter(size, pOnBitmap, pOffBitmap, nNbLed, nStyle), m_RectOnWP(size), m_RectOffWP(size)
{
}

void CVuMeterWP::setViewSize(const CRect& rect, bool bInvalid)
{
    CVuMeter::setViewSize(rect, bInvalid);
    m_RectOnWP = rect;
    m_RectOffWP = rect;
}

void CVuMeterWP::setAnalog(bool bAnalog, double fFrameHeightH, double fScaleZ, double fFrameCount)
{
    m_bAnalog = bAnalog;
    m_fFrameHeightH = fFrameHeightH;
    m_fScaleZ = fScaleZ;
    m_fFrameCount = fFrameCount;
}

int32_t CVuMeterWP::analogOffsetFor(float fLevel) const
{
    // H, Z and the frame count come from the UI description: no frame unless they give a
    // strip position (a NaN or a huge value must not reach the integer conversions).
    if (fLevel < 0.0f || !(m_fFrameHeightH >= 1.0 && m_fFrameHeightH <= INT32_MAX) || m_fFrameCount < 1.0)
        return -1;
    const auto h = static_cast<int64_t>(m_fFrameHeightH);
    double f = fLevel;
    if (m_bInverted)
        f = (m_fScaleZ / m_fFrameCount) * (1.0 - fLevel);
    const double fOffset = std::floor(f * (m_fFrameCount - 1.0) * m_fFrameHeightH);
    if (!(fOffset >= INT32_MIN && fOffset <= INT32_MAX))
        return -1;
    auto y = static_cast<int64_t>(fOffset);
    y -= y % h;
    return static_cast<int32_t>(y);
}

// As for the knob, the container clears the dirty flag once the whole meter is painted.
void CVuMeterWP::draw(CDrawContext* pContext)
{
    float level = 0.0f;
    if (!m_bAnalog && m_nNbLed == 2) {
        level = getValue() >= 0.5f ? 1.0f : 0.0f;
    } else {
        bounceValue();
        const float fallen = std::max(getOldValue() - m_fDecreaseValue, getValue());
        setOldValue(fallen);
        level = m_Follower.follow(fallen);
    }
    m_fShownLevel = level;
    if (m_bAnalog) {
        const int32_t y = analogOffsetFor(level);
        if (y >= 0 && getOnBitmap())
            getOnBitmap()->draw(pContext, m_RectOnWP, CPoint(0, y), 1.0f);
    } else {
        drawSegments(pContext, level);
    }
}

void CVuMeterWP::drawSegments(CDrawContext* pContext, float fLevel)
{
    CBitmap* pOn = getOnBitmap();
    if (!pOn || m_nNbLed <= 0)
        return;
    const bool bHorizontal = (m_nStyle & kHorizontal) != 0;
    const auto n = static_cast<float>(m_nNbLed);
    float lit = 0;
    if (bHorizontal)
        lit = std::floor((m_bInverted ? getMax() - fLevel : getMin() + fLevel) * n + 0.5f);
    else
        lit = std::floor((m_bInverted ? fLevel : getMax() - fLevel) * n + 0.5f);
    const CCoord extent = bHorizontal ? pOn->getWidth() : pOn->getHeight();
    CCoord s = std::floor(extent * lit / n + 0.5);
    if (s < 1)
        s = 0;
    CRect first(m_RectOnWP), second(m_RectOnWP);
    CPoint firstOffset, secondOffset;
    if (bHorizontal) {
        first.right = first.left + s;
        second.left = first.right;
        secondOffset.x = s;
    } else {
        first.bottom = first.top + s;
        second.top = first.bottom;
        secondOffset.y = s;
    }
    // Horizontal: on first (from the left); vertical: off first (from the top); inverted swaps.
    const bool bOnFirst = bHorizontal != m_bInverted;
    CBitmap* pFirst = bOnFirst ? pOn : getOffBitmap();
    CBitmap* pSecond = bOnFirst ? getOffBitmap() : pOn;
    if (pFirst && s > 0)
        pFirst->draw(pContext, first, firstOffset, 1.0f);
    if (pSecond)
        pSecond->draw(pContext, second, secondOffset, 1.0f);
}
