#pragma once
// Tape hiss: white noise from the runtime draws plus a +20 dB low shelf (a first-order
// low-pass mixed back in). One shelf filter serves both channels and advances once per hiss
// sample, so it moves twice per stereo frame. Scalar kernel.

#include "CBiQuad.h"
#include "TapeDropout.h"

namespace tape {

// From the draw as a value in -1..1 (bipolar).
inline float hissSampleOf(float fBipolar, float fHissGain, CBiQuad& shelf, float fShelfMix)
{
    const float x = fBipolar * fHissGain;
    return x + fShelfMix * shelf.filterFirstOrder(x);  // the shelf is first order
}

inline float hissSample(int nDraw, float fHissGain, CBiQuad& shelf, float fShelfMix)
{
    return hissSampleOf(bipolar(nDraw), fHissGain, shelf, fShelfMix);
}

}  // namespace tape
