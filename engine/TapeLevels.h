#pragma once
// Input and output stages of the tape chain: gain, the input guard, the output mix and the
// meters. Scalar kernels, shared by the per-frame chain and the run path.

#include <cmath>

namespace tape {

// Non-finite input is treated as silence, and absurd levels are held at +120 dBFS, so one bad
// sample cannot overflow the filter, delay and follower states and poison them for good.
inline constexpr float kInputLimit = 1.0e6f;
inline float sanitizeInput(float x)
{
    if (std::fabs(x) <= kInputLimit)
        return x;  // every usable sample: one compare
    return std::isfinite(x) ? std::copysign(kInputLimit, x) : 0.0f;
}

// One channel in: the gain first, so an overflow counts too.
inline float inputSample(float fGain, float x) { return sanitizeInput(fGain * x); }

// A stereo meter reading: the mean magnitude (the sum in single, the halving in double).
inline float meterOf(float a, float b) { return static_cast<float>((std::fabs(a) + std::fabs(b)) * 0.5); }

// One channel out: the ducked tape signal plus the hiss (not ducked), through the output
// gain, in double and narrowed once.
inline float outputSample(double dDuck, float fTape, float fHiss, float fOutGain)
{
    return static_cast<float>((dDuck * fTape + fHiss) * fOutGain);
}

}  // namespace tape
