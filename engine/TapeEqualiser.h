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
TAPE_LANES_INLINE void pushNewestFirst(float* pLine, int32_t nHeld, const float* x, uint32_t n)
{
    constexpr uint32_t kLanes = sizeof(RunVector) / sizeof(float);
    std::memmove(pLine + n, pLine, static_cast<size_t>(nHeld) * sizeof(float));
    uint32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)  // a register of frames at a time, turned round
        storeV(pLine + n - kLanes - i, reverseLanes(loadV<RunVector>(x + i)));
    for (; i < n; ++i)
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

// firStereo for the n frames just pushed onto the lines (frame i's window starts n - 1 - i
// samples in), a register of frames at a time: each lane is one frame's window, so a tap's
// coefficient multiplies several frames at once. Every lane sums its four partial sums as
// firStereo does, so each frame gets the same value. Reads up to (n rounded up to the lanes)
// + nTaps (rounded up to four) - 1 samples into the lines, which must hold finite values there.
template <class VF>
TAPE_LANES_INLINE void firStereoRun(const float* pReversed, int32_t nTaps, const float* pLineL, const float* pLineR,
                                    uint32_t n, float* pOutL, float* pOutR)
{
    constexpr uint32_t kLanes = sizeof(VF) / sizeof(float);
    for (uint32_t uBase = 0; uBase < n; uBase += kLanes) {  // lane t: the window uBase + t samples in
        VF accL[4] = {}, accR[4] = {};
        for (int32_t k = 0; k < nTaps; k += 4) {
            for (int32_t j = 0; j < 4; ++j) {
                const VF c = splatV<VF>(pReversed[k + j]);
                accL[j] += c * loadV<VF>(pLineL + uBase + k + j);
                accR[j] += c * loadV<VF>(pLineR + uBase + k + j);
            }
        }
        const VF sumL = (accL[0] + accL[1]) + (accL[2] + accL[3]);
        const VF sumR = (accR[0] + accR[1]) + (accR[2] + accR[3]);
        if (uBase + kLanes <= n) {  // lane t is frame n - 1 - uBase - t: the register turned round
            storeV(pOutL + n - kLanes - uBase, reverseLanes(sumL));
            storeV(pOutR + n - kLanes - uBase, reverseLanes(sumR));
            continue;
        }
        for (uint32_t t = 0; uBase + t < n; ++t) {
            pOutL[n - 1 - uBase - t] = sumL[t];
            pOutR[n - 1 - uBase - t] = sumR[t];
        }
    }
}

}  // namespace tape
