#pragma once
// One-pole level follower with separate attack and release, peak / mean-square / RMS
// detection and optional decibel output. Plain value type; no allocation.

#include <cfloat>
#include <cmath>
#include <cstdint>

class CEnvelopeFollower {
public:
    enum DetectMode : uint32_t { kPeak = 0, kMeanSquare = 1, kRms = 2 };

    // Stores the settings, resets the envelope and computes both coefficients.
    void setup(float fSampleRate, float fAttack_ms, float fRelease_ms, bool bAnalogTimeConstant,
               uint32_t uDetectMode, bool bLogOutput);
    // One sample in; the envelope out (linear, or dB when log output is set). Inline: the
    // compander runs two every frame.
    float follow(float x)
    {
        float d = std::fabs(x);
        if (m_uDetectMode == kMeanSquare || m_uDetectMode == kRms)
            d = static_cast<float>(static_cast<double>(d) * d);
        const float c = d > m_fEnvelope ? m_fAttackCoeff : m_fReleaseCoeff;
        float e = c * (m_fEnvelope - d) + d;
        if (std::fabs(e) < FLT_MIN)
            e = 0.0f;  // flush: a released envelope would otherwise crawl through subnormals
        if (e > 1.0f)
            e = 1.0f;
        if (e < 0.0f)
            e = 0.0f;
        m_fEnvelope = e;

        const float fValue = m_uDetectMode == kRms ? std::sqrt(e) : e;
        if (m_bLogOutput)
            return fValue > 0.0f ? 20.0f * std::log10(fValue) : -96.0f;
        return fValue;
    }
    void clear() { m_fEnvelope = 0.0f; }

    float m_fAttackCoeff = 0.0f;
    float m_fReleaseCoeff = 0.0f;
    float m_fAttack_ms = 0.0f;
    float m_fRelease_ms = 0.0f;
    float m_fSampleRate = 44100.0f;
    float m_fEnvelope = 0.0f;  // mean square in modes 1 and 2
    uint32_t m_uDetectMode = kPeak;
    bool m_bAnalogTimeConstant = false;
    bool m_bLogOutput = false;
};
