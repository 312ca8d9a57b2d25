#pragma once
// Coefficient recipes the tape engine writes into its CBiQuad sections. Design works in
// double where noted and stores float.

#include "CBiQuad.h"
#include "TapeApprox.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

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

// pow10Narrow of dB * 0.05 for n values of each of kStreams arrays at once (a run's gliding
// gains), the very floats it gives. Four lanes of doubles work out e^x with a polynomial
// (within a few parts in 10^16), the streams side by side so their chains overlap; where that
// value and the library's could narrow to different floats (within 2^-44 of a rounding
// boundary, about one value in 500 000) or the exponent is out of the checked range, the lane
// is redone with pow10Narrow itself.
template <size_t kStreams>
TAPE_LANES_INLINE void pow10NarrowOfDecibels(const float* const (&ppDecibels)[kStreams], float* const (&ppOut)[kStreams],
                                             uint32_t n)
{
    using v4d = double __attribute__((vector_size(32)));
    using v4u = uint64_t __attribute__((vector_size(32)));  // unsigned: out-of-range lanes wrap harmlessly
    using v4l = int64_t __attribute__((vector_size(32)));
    constexpr double kShifter = 6755399441055744.0;  // 1.5 * 2^52: k lands in the low bits
    for (uint32_t i = 0; i < n; i += 4) {
        const bool bWhole = i + 4 <= n;  // else lanes past n are zeros and are not stored
        v4d d[kStreams], t[kStreams], r[kStreams], e[kStreams];
        for (size_t s = 0; s < kStreams; ++s) {
            v4f dB = {0.0f, 0.0f, 0.0f, 0.0f};
            if (bWhole)
                dB = loadV4(ppDecibels[s] + i);
            else
                for (uint32_t k = 0; i + k < n; ++k)
                    dB[k] = ppDecibels[s][i + k];
            d[s] = __builtin_convertvector(dB * 0.05f, v4d);  // the product in single, as the float path
            const v4d x = d[s] * 2.302585092994045684;
            // x = k ln 2 + r, |r| <= ln 2 / 2; ln 2 in two parts, the first exact in k * ln2Hi.
            t[s] = x * 1.4426950408889634 + kShifter;
            const v4d kf = t[s] - kShifter;
            r[s] = (x - kf * 0.693147180369123816490) - kf * 1.90821492927058770002e-10;
            e[s] = 1.0 / 6227020800.0 + r[s] * (1.0 / 87178291200.0);
        }
        for (double c : {1.0 / 479001600.0, 1.0 / 39916800.0, 1.0 / 3628800.0, 1.0 / 362880.0, 1.0 / 40320.0,
                         1.0 / 5040.0, 1.0 / 720.0, 1.0 / 120.0, 1.0 / 24.0, 1.0 / 6.0, 0.5, 1.0, 1.0})
            for (size_t s = 0; s < kStreams; ++s)
                e[s] = c + r[s] * e[s];
        for (size_t s = 0; s < kStreams; ++s) {
            const v4u kBits = reinterpret_cast<v4u>(t[s]) - reinterpret_cast<v4u>(v4d{} + kShifter);
            const v4d y = reinterpret_cast<v4d>(reinterpret_cast<v4u>(e[s]) + (kBits << 52));
            const v4f f = __builtin_convertvector(y, v4f);
            const v4f lo = __builtin_convertvector(y * (1.0 - 0x1p-44), v4f);
            const v4f hi = __builtin_convertvector(y * (1.0 + 0x1p-44), v4f);
            const v4l inRange = (d[s] >= -5.0) & (d[s] <= 6.5);
            const v4i settled = __builtin_convertvector(inRange, v4i) & (lo == f) & (hi == f);
            if (bWhole && (settled[0] & settled[1] & settled[2] & settled[3])) {
                storeV4(ppOut[s] + i, f);  // nearly always
                continue;
            }
            for (uint32_t k = 0; k < 4 && i + k < n; ++k)
                ppOut[s][i + k] = settled[k] ? f[k] : pow10Narrow(static_cast<float>(d[s][k]));
        }
    }
}

// Second-order low-pass for a corner of omega (rad/s, i.e. pi * f). The first term of D is
// theta^2, not omega^2: the section's DC gain is 4 omega^2 / (theta^2 + 3 omega^2), about
// +2.5 dB. That is the voicing of the age filter and the crossover; keep it.
//
// theta is held at 1.069 rad (about 0.34 fs) at most: from about 1.1 up this design's poles
// leave the unit circle and the section blows up. At 44.1 kHz and above every corner the
// engine asks for (15 kHz at most) lies below the hold, so it acts only for hosts running
// below 44.1 kHz.
inline double holdSecondOrderOmega(double dOmega, int32_t nSampleRate)
{
    const double dHighest = 1.069 * nSampleRate;
    return dOmega < dHighest ? dOmega : dHighest;
}

inline void designSecondOrderLowPass(CBiQuad& q, double dOmega, int32_t nSampleRate)
{
    dOmega = holdSecondOrderOmega(dOmega, nSampleRate);
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
    dOmega = holdSecondOrderOmega(dOmega, nSampleRate);
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
// same as cos(theta) / (1 + sin(theta))). The cutoff is held below 0.49 fs: the walk asks for
// up to 20 kHz, and above Nyquist (hosts at 22.05 or 32 kHz) the pole would leave the unit
// circle and the output grow without bound. From 40.8 kHz up the hold never acts. With theta
// in 0..0.98 pi, |u| stays within pi/4, where the four-lane form applies.
inline float dropoutPoleAngle(float fCutoff_Hz, int32_t nSampleRate)
{
    const float fHighest_Hz = 0.49f * static_cast<float>(nSampleRate);
    const float fc = fCutoff_Hz < fHighest_Hz ? fCutoff_Hz : fHighest_Hz;
    const float theta = static_cast<float>(6.283185307179586 * fc / nSampleRate);
    return static_cast<float>(0.7853981633974483 - 0.5 * theta);  // in double: u nears 0 at fs/4
}

inline float dropoutPole(float fCutoff_Hz, int32_t nSampleRate)
{
    return dropoutPoleOf(dropoutPoleAngle(fCutoff_Hz, nSampleRate));
}

// The dropout filters' coefficients from their pole, per lane.
template <class T> TAPE_LANES_INLINE void designDropoutFromPole(CBiQuadT<T>& q, T fPole)
{
    q.m_fA0 = q.m_fA1 = (1.0f - fPole) * 0.5f;
    q.m_fA2 = q.m_fB2 = T{};
    q.m_fB1 = -fPole;
}

// One-pole low-pass of the dropout filters at fc (Hz).
inline void designDropoutLowPass(CBiQuad& q, float fCutoff_Hz, int32_t nSampleRate)
{
    designDropoutFromPole(q, dropoutPole(fCutoff_Hz, nSampleRate));
}

}  // namespace tape
