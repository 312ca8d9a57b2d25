#include "CMeterFollower.h"

#include <algorithm>
#include <cmath>

namespace {
// ln(0.367) and ln(0.01): the envelope covers that share of a step in the given time.
constexpr double kAnalogTimeConstant = -1.00239343;
constexpr double kDigitalTimeConstant = -4.60517019;
constexpr float kDenormal = 1.175494351e-38f;

float coefficient(double k, float fRate, float fTime_ms)
{
    const double samples = static_cast<double>(fRate) * fTime_ms * 0.001;
    return samples > 0.0 ? static_cast<float>(std::exp(k / samples)) : 0.0f;
}
}  // namespace

void CMeterFollower::setup(float fRate, float fAttack_ms, float fRelease_ms, bool bAnalog, uint32_t uMode, bool bLog)
{
    m_fRate = fRate;
    m_fAttack_ms = fAttack_ms;
    m_fRelease_ms = fRelease_ms;
    m_bAnalog = bAnalog;
    m_uMode = uMode;
    m_bLog = bLog;
    const double k = bAnalog ? kAnalogTimeConstant : kDigitalTimeConstant;
    m_fAttackCoef = coefficient(k, fRate, fAttack_ms);
    m_fReleaseCoef = coefficient(k, fRate, fRelease_ms);
    m_fEnvelope = 0.0f;
}

void CMeterFollower::reset() { m_fEnvelope = 0.0f; }

float CMeterFollower::follow(float fInput)
{
    const float in = (m_uMode == kMeanSquare || m_uMode == kRootMeanSquare) ? fInput * fInput : std::fabs(fInput);
    const float coef = in > m_fEnvelope ? m_fAttackCoef : m_fReleaseCoef;
    float y = (m_fEnvelope - in) * coef + in;
    if (y > -kDenormal && y < kDenormal)
        y = 0.0f;
    y = std::clamp(y, 0.0f, 1.0f);
    m_fEnvelope = y;
    float out = m_uMode == kRootMeanSquare ? std::sqrt(y) : y;
    if (m_bLog) {
        if (out <= 0.0f)
            return 0.0f;
        out = (std::max(-60.0f, 20.0f * std::log10(out)) + 60.0f) / 60.0f;
    }
    return out;
}
