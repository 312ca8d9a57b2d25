#pragma once
// Envelope follower of a level meter: one input per timer tick, attack/release smoothing, an
// optional log display (0 dB -> 1, -60 dB and below -> 0). Threading: GUI thread.

#include <cstdint>

class CMeterFollower {
public:
    enum Mode : uint32_t { kPeak = 0, kMeanSquare = 1, kRootMeanSquare = 2 };

    // rate: inputs per second; analog: time constants to 36.7 % instead of 1 %.
    void setup(float fRate, float fAttack_ms, float fRelease_ms, bool bAnalog, uint32_t uMode, bool bLog);
    void reset();
    // One input; returns the level to display (0..1).
    float follow(float fInput);

    uint32_t mode() const { return m_uMode; }
    float envelope() const { return m_fEnvelope; }
    float attackCoefficient() const { return m_fAttackCoef; }
    float releaseCoefficient() const { return m_fReleaseCoef; }

private:
    uint32_t m_uMode = kPeak;
    float m_fAttackCoef = 0.0f;
    float m_fReleaseCoef = 0.0f;
    float m_fAttack_ms = 0.0f;
    float m_fRelease_ms = 0.0f;
    float m_fRate = 44100.0f;
    float m_fEnvelope = 0.0f;
    bool m_bAnalog = false;
    bool m_bLog = false;
};
