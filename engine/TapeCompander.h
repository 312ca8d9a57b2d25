#pragma once
// The noise-reduction compander's gain law. Each band (low and high, split by a second-order
// crossover with the high band inverted) has an RMS follower on the left channel; the level of
// half its envelope in dB sets a gain pulling the band toward the threshold, and both channels'
// bands are summed back with the left channel's gains (stereo-linked). Over a lane type: a
// single frame uses one lane, a run a group of frames.

#include "TapeApprox.h"

#include <algorithm>

namespace tape {

// A band's settings, worked out once per run (or frame).
struct SCompanderBand {
    float fThreshold_dB, fSlope, fKneeLow_dB, fKneeHigh_dB, fKneeSpan_dB;
    bool bKnee;
};

inline SCompanderBand companderBand(float T, float R, float W)
{
    SCompanderBand b;
    b.fThreshold_dB = T;
    b.fSlope = static_cast<float>(1.0 - 1.0 / R);
    b.bKnee = W > 0.0f;
    b.fKneeLow_dB = static_cast<float>(T - W / 2.0);
    b.fKneeHigh_dB = static_cast<float>(T + W / 2.0);
    // The slope rises across the knee up to 0 dB at most.
    b.fKneeSpan_dB = static_cast<float>(std::min(T + W / 2.0, 0.0) - (T - W / 2.0));
    return b;
}

// The exponent of ten of the gain for a band level x (dB).
template <class VF> TAPE_LANES_INLINE VF companderExponentV(VF x, const SCompanderBand& b)
{
    VF s = splatV<VF>(b.fSlope);
    if (b.bKnee) {
        const auto bInKnee = (x > b.fKneeLow_dB) & (x < b.fKneeHigh_dB);
        s = bInKnee ? s * (x - b.fKneeLow_dB) / b.fKneeSpan_dB : s;
    }
    // No gate: the full slope applies on both sides, pulling each band toward T. Band levels
    // run from 0 dB down to about -770 dB (the smallest subnormal half-envelope).
    return (b.fThreshold_dB - x) * s * 0.05f;
}

// The gain for a band level x (dB).
template <class VF> TAPE_LANES_INLINE VF companderGainV(VF x, const SCompanderBand& b)
{
    return pow10V(companderExponentV(x, b));
}

// The gain for a band's envelope.
template <class VF> TAPE_LANES_INLINE VF companderGainOfEnvelope(VF env, const SCompanderBand& b)
{
    return companderGainV(decibelsV(0.5f * env, -96.0f), b);
}

// companderGainOfEnvelope of K streams side by side (see decibelsN), each with its band: the
// gains replace the envelopes.
template <class VF, size_t K>
TAPE_LANES_INLINE void companderGainsOfEnvelopes(VF (&v)[K], const SCompanderBand* const (&ppBand)[K])
{
    for (size_t k = 0; k < K; ++k)
        v[k] = 0.5f * v[k];
    decibelsN(v, -96.0f);
    for (size_t k = 0; k < K; ++k)
        v[k] = companderExponentV(v[k], *ppBand[k]);
    pow10N(v);
}

// A channel's two bands summed back with their gains and make-up levels.
inline float companderMix(float gLow, float low, float fLowOut, float gHigh, float high, float fHighOut)
{
    return gLow * low * fLowOut + gHigh * high * fHighOut;
}

}  // namespace tape
