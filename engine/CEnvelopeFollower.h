#pragma once
// One-pole level follower with separate attack and release, peak / mean-square / RMS
// detection and optional decibel output. Plain value type; no allocation.

#include <cstdint>

class CEnvelopeFollower {
public:
    enum DetectMode : uint32_t { kPeak = 0, kMeanSquare = 1, kRms = 2 };

    // Stores the settings, resets the envelope and computes both coefficients.
    void setup(float fSampleRate, float fAttack_ms, float fRelease_ms, bool bAnalogTimeConstant,
               uint32_t uDetectMode, bool bLogOutput);
    // One sample in; the envelope out (linear, or dB when log output is set).
    float follow(float x);
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
