#include "CEnvelopeFollower.h"

#include <cmath>

template <>
void CEnvelopeFollowerT<float>::setup(float fSampleRate, float fAttack_ms, float fRelease_ms,
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
