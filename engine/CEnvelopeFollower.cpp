#include "CEnvelopeFollower.h"

#include <cfloat>
#include <cmath>

void CEnvelopeFollower::setup(float fSampleRate, float fAttack_ms, float fRelease_ms,
                              bool bAnalogTimeConstant, uint32_t uDetectMode, bool bLogOutput)
{
    m_fSampleRate = fSampleRate;
    m_fAttack_ms = fAttack_ms;
    m_fRelease_ms = fRelease_ms;
    m_bAnalogTimeConstant = bAnalogTimeConstant;
    m_uDetectMode = uDetectMode;
    m_bLogOutput = bLogOutput;
    m_fEnvelope = 0.0f;

    // Analog: reaches ~63 % of a step in the given time; digital: 99 % (ln 0.01).
    const double k = bAnalogTimeConstant ? -1.00239343 : -4.60517019;
    const float fAttackSamples = fSampleRate * fAttack_ms;  // single-precision product
    const float fReleaseSamples = fSampleRate * fRelease_ms;
    m_fAttackCoeff = static_cast<float>(std::exp(k / (fAttackSamples * 0.001)));
    m_fReleaseCoeff = static_cast<float>(std::exp(k / (fReleaseSamples * 0.001)));
}

float CEnvelopeFollower::follow(float x)
{
    float d = std::fabs(x);
    if (m_uDetectMode == kMeanSquare || m_uDetectMode == kRms)
        d = static_cast<float>(static_cast<double>(d) * d);
    const float c = d > m_fEnvelope ? m_fAttackCoeff : m_fReleaseCoeff;
    float e = c * (m_fEnvelope - d) + d;
    if (static_cast<double>(e) > -FLT_MIN && static_cast<double>(e) < FLT_MIN)
        e = 0.0f;
    if (e > 1.0f)
        e = 1.0f;
    if (e < 0.0f)
        e = 0.0f;
    m_fEnvelope = e;

    float fValue = m_uDetectMode == kRms ? std::sqrt(e) : e;
    if (m_bLogOutput)
        return fValue > 0.0f ? 20.0f * std::log10(fValue) : -96.0f;
    return fValue;
}
