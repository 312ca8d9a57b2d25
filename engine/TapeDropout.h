#pragma once
// The dropout signal: a leaky random walk per channel, smoothed by a second-order low-pass,
// sets the cutoff of a one-pole low-pass (the dropout filter) and ducks the level. Scalar
// kernels, shared by the per-frame chain and the run path; the filters are CBiQuadT sections.

#include <cmath>

namespace tape {

// A runtime draw (0..32767) as a value in -1..1.
inline float bipolar(int nDraw)
{
    return static_cast<float>(nDraw) * 6.103702e-05f - 1.0f;  // 2/32767 in single precision
}

// The walk's decay per frame, from the Dropout Rate knob (in double, as cooked).
inline double walkLeak(float fDropoutRate) { return static_cast<double>(fDropoutRate) * 0.0019 + 0.008 + 0.99; }

// One step of a walk from a draw as a value in -1..1: returns the walk before its decay (what
// the smoother hears).
inline float walkStepOf(float& fWalk, float fBipolar, double dLeak)
{
    const float r = fBipolar + fWalk;
    fWalk = static_cast<float>(r * dLeak);
    return r;
}

inline float walkStep(float& fWalk, int nDraw, double dLeak) { return walkStepOf(fWalk, bipolar(nDraw), dLeak); }

// The dropout filter's cutoff from the smoothed walk: 20 kHz at rest, down to 1 kHz.
inline float dropoutCutoff(float fSmoothed, float fDropoutScale)
{
    const float fc = (1.0f - std::fabs(fSmoothed * fDropoutScale)) * 20000.0f;
    return fc < 1000.0f ? 1000.0f : fc;
}

// The level each channel keeps, in double. Separate dropouts mix in half of the other
// channel's walk. Unlimited: strong dropouts drive the gain below 0 and invert the signal.
inline void dropoutDucks(double a, double sL, double sR, bool bSeparate, double& gL, double& gR)
{
    gL = bSeparate ? 1.0 - 0.66 * std::fabs(a * sL + 0.5 * a * sR) : 1.0 - std::fabs(a * sL);
    gR = bSeparate ? 1.0 - 0.66 * std::fabs(a * sR + 0.5 * a * sL) : 1.0 - std::fabs(a * sL);
}

}  // namespace tape
