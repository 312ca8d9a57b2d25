#pragma once
// Wow and flutter: an oscillator (CWTOscillator) moves the delay time of a pair of delay
// lines (CDDLModule), never the level. Scalar kernels shared by both chains.

#include "CDDLModule.h"

namespace tape {

// Depth knobs (%) to the share of the modulation range the oscillator sweeps.
inline float wowScale(float fDepth_pct) { return fDepth_pct * 0.005f; }
inline float flutterScale(float fDepth_pct) { return fDepth_pct * 0.002f; }

// The delay time for oscillator value v.
inline float modDelay_ms(float fRange_ms, float v, float fScale, float fMin_ms) { return fRange_ms * v * fScale + fMin_ms; }

// Moves a modulated line to a delay time. Read and write positions advance together, so an
// unchanged delay time needs no update (it would recompute the very same place). Feedback and
// wet level are set at preparation and never change, so only the delay time moves.
inline void moveModDelay(CDDLModule& line, float fDelay_ms, int32_t nRate)
{
    if (fDelay_ms == line.m_fDelay_ms && line.m_nSampleRate == nRate)
        return;
    line.moveDelay(fDelay_ms);
}

}  // namespace tape
