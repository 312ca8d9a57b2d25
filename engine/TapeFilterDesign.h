#pragma once
// Coefficient recipes the tape engine writes into its CBiQuad sections. Design works in
// double where noted and stores float.

#include "CBiQuad.h"
#include "TapeVectorMath.h"

#include <cmath>

namespace tape {

// 10^p narrowed to float. For every float p in [-5, 6.5] (checked exhaustively), exp(p ln 10)
// in double narrows to the very float pow(10, p) gives, at a third of the cost; that range
// holds every gain the controls and the compander can ask for. Outside it, pow.
inline float pow10Narrow(float p)
{
    const double d = p;
    if (d >= -5.0 && d <= 6.5)
        return static_cast<float>(std::exp(d * 2.302585092994045684));
    return static_cast<float>(std::pow(10.0, d));
}

// Second-order low-pass for a corner of omega (rad/s, i.e. pi * f). The first term of D is
// theta^2, not omega^2: the section's DC gain is 4 omega^2 / (theta^2 + 3 omega^2), about
// +2.5 dB. That is the voicing of the age filter and the crossover; keep it.
inline void designSecondOrderLowPass(CBiQuad& q, double dOmega, int32_t nSampleRate)
{
    const float w = static_cast<float>(dOmega);
    const float theta = static_cast<float>(dOmega / nSampleRate);
    const float K = w / std::tan(theta);
    const float D = theta * theta + K * K + 2.0f * K * w;
    q.m_fA0 = w * w / D;
    q.m_fA1 = 2.0f * q.m_fA0;
    q.m_fA2 = q.m_fA0;
    q.m_fB1 = (2.0f * w * w - 2.0f * K * K) / D;
    q.m_fB2 = (K * K - 2.0f * K * w + w * w) / D;
}

inline void designSecondOrderHighPass(CBiQuad& q, double dOmega, int32_t nSampleRate)
{
    const float w = static_cast<float>(dOmega);
    const float theta = static_cast<float>(dOmega / nSampleRate);
    const float K = w / std::tan(theta);
    const float D = theta * theta + K * K + 2.0f * K * w;
    q.m_fA0 = K * K / D;
    q.m_fA1 = -2.0f * q.m_fA0;
    q.m_fA2 = q.m_fA0;
    q.m_fB1 = (2.0f * w * w - 2.0f * K * K) / D;
    q.m_fB2 = (K * K - 2.0f * K * w + w * w) / D;
}

// One-pole low-pass for the hiss shelf: unity at DC, -3 dB where tan(pi f / fs) = g
// (about 127 Hz at 44.1 kHz).
inline void designHissShelf(CBiQuad& q, int32_t nSampleRate, float fShelfFactor)
{
    const float theta = static_cast<float>(2199.114857512855 / nSampleRate);
    const float g = static_cast<float>(std::tan(0.5 * theta) * fShelfFactor);
    const float c = (1.0f - g) / (1.0f + g);
    q.m_fA0 = q.m_fA1 = (1.0f - c) * 0.5f;
    q.m_fA2 = 0.0f;
    q.m_fB1 = -c;
    q.m_fB2 = 0.0f;
}

// The dropout filters' pole is tan(u) with u = pi/4 - theta/2, theta = 2 pi fc / fs (the
// same as cos(theta) / (1 + sin(theta))). Their cutoffs run 1-20 kHz, so from 40 kHz up
// theta stays within 0..pi and the four-lane form applies.
inline float dropoutPoleAngle(float fCutoff_Hz, int32_t nSampleRate)
{
    const float theta = static_cast<float>(6.283185307179586 * fCutoff_Hz / nSampleRate);
    return static_cast<float>(0.7853981633974483 - 0.5 * theta);  // in double: u nears 0 at fs/4
}

inline bool dropoutPoleFitsLanes(int32_t nSampleRate) { return nSampleRate >= 40000; }

inline float dropoutPole(float fCutoff_Hz, int32_t nSampleRate)
{
    if (dropoutPoleFitsLanes(nSampleRate))
        return dropoutPoleV4(splatV4(dropoutPoleAngle(fCutoff_Hz, nSampleRate)))[0];
    const float theta = static_cast<float>(6.283185307179586 * fCutoff_Hz / nSampleRate);
    return std::cos(theta) / (std::sin(theta) + 1.0f);
}

inline void designDropoutFromPole(CBiQuad& q, float fPole)
{
    q.m_fA0 = q.m_fA1 = (1.0f - fPole) * 0.5f;
    q.m_fA2 = q.m_fB2 = 0.0f;
    q.m_fB1 = -fPole;
}

// One-pole low-pass of the dropout filters at fc (Hz).
inline void designDropoutLowPass(CBiQuad& q, float fCutoff_Hz, int32_t nSampleRate)
{
    designDropoutFromPole(q, dropoutPole(fCutoff_Hz, nSampleRate));
}

}  // namespace tape
