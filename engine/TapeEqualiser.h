#pragma once
// The tape-formulation FIR equaliser. The input line is kept newest first, so a frame's
// window is a contiguous stretch of it; each row is kept reversed (entry k weights the sample
// k frames old) and zero-padded to a multiple of four, so both channels run four taps at a
// time. The four partial sums are added pairwise at the end, always in the same order, so a
// frame gives the same value in the per-frame chain and in a run.

#include "TapeLaneOps.h"

#include <cstdint>
#include <cstring>

namespace tape {

// Puts n frames (oldest first in x) in front of a line holding its nHeld newest samples.
inline void pushNewestFirst(float* pLine, int32_t nHeld, const float* x, uint32_t n)
{
    std::memmove(pLine + n, pLine, static_cast<size_t>(nHeld) * sizeof(float));
    for (uint32_t i = 0; i < n; ++i)
        pLine[n - 1 - i] = x[i];
}

// One frame of both channels from their windows (newest sample first).
inline void firStereo(const float* pReversed, int32_t nTaps, const float* hL, const float* hR, float& eL, float& eR)
{
    v4f accL = {0, 0, 0, 0}, accR = {0, 0, 0, 0};
    for (int32_t k = 0; k < nTaps; k += 4) {
        const v4f c = loadV4(pReversed + k);
        accL += c * loadV4(hL + k);
        accR += c * loadV4(hR + k);
    }
    eL = (accL[0] + accL[1]) + (accL[2] + accL[3]);
    eR = (accR[0] + accR[1]) + (accR[2] + accR[3]);
}

}  // namespace tape
