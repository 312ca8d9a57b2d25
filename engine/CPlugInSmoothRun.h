#pragma once
// CPlugIn::smoothRunLanes: a run's smoothing steps, the controls side by side in VF's lanes.
// Included where it is built: CPlugIn.cpp (four lanes, behind smoothRun) and the tape run path
// (the run's vector width, in each build of it).

#include "CPlugIn.h"
#include "TapeLaneOps.h"

#include <algorithm>

template <class VF>
[[gnu::always_inline]] inline bool CPlugIn::smoothRunLanes(uint32_t n, float* const* ppTracks)
{
    if (m_JoystickX.m_bSmooth)
        return false;
    for (uint32_t i = 0; i < m_uSmoothedCount; ++i) {
        const ControlRecord* p = m_ppSmoothed[i];
        if (p->m_bSmooth && !(p->m_uDataType == kDataFloat && p->m_pFloat))
            return false;
    }
    if (n == 0)
        return true;
    // One control per lane: the recursions of different controls overlap, and each lane
    // computes what smoothControls computes for its control. Once a pass finds every control
    // at rest, smoothControls skips the passes after it; those passes would change nothing, so
    // taking them here gives the same values.
    using VI = typename tape::IntLanes<VF>::type;
    constexpr uint32_t kLanes = sizeof(VF) / sizeof(float);
    constexpr uint32_t kPart = 256;  // runs longer than this are taken in parts
    bool bAllAtRest = true;
    for (uint32_t g = 0; g < m_uSmoothedCount; g += kLanes) {
        ControlRecord* pRec[kLanes] = {};
        VF T{}, A{}, B{}, Z{}, L{}, start{};
        VI rest{};  // lanes at rest: settled on the present target (or not smoothed)
        float unwanted[kPart];  // the tracks of lanes nobody asked for
        float* ppTrack[kLanes];
        for (uint32_t k = 0; k < kLanes; ++k) {
            ControlRecord* p = g + k < m_uSmoothedCount ? m_ppSmoothed[g + k] : nullptr;
            ppTrack[k] = nullptr;
            if (!p || !p->m_bSmooth) {
                rest[k] = -1;
                continue;
            }
            pRec[k] = p;
            ppTrack[k] = ppTracks[p->m_nParameterIndex];
            T[k] = p->m_fSmoothTarget, A[k] = p->m_fSmoothA, B[k] = p->m_fSmoothB;
            Z[k] = p->m_fSmoothZ, L[k] = p->m_fSmoothLast, start[k] = *p->m_pFloat;
            rest[k] = p->m_bSmoothSettled && p->m_fSmoothTarget == p->m_fSettledTarget ? -1 : 0;
        }
        VI landed{};
        VF step[kPart];  // a step's values, one lane per control
        for (uint32_t k0 = 0; k0 < n; k0 += kPart) {
            const uint32_t m = std::min(n - k0, kPart);
            for (uint32_t k = 0; k < m; ++k) {
                const VF z = T * B + Z * A;
                const VI bLand = ~rest & (z == L);
                const VI bMoving = ~rest & ~bLand;
                Z = rest ? Z : z;
                L = bMoving ? z : L;
                landed |= bLand;
                rest |= bLand;
                step[k] = bMoving ? z : T;  // at rest (or landing) a control lands on its target
            }
            // To the tracks, a register of steps at a time turned round so each register
            // holds one control's steps.
            float* ppOut[kLanes];
            for (uint32_t lane = 0; lane < kLanes; ++lane)
                ppOut[lane] = ppTrack[lane] ? ppTrack[lane] + k0 : unwanted;
            uint32_t k = 0;
            for (; k + kLanes <= m; k += kLanes) {
                VF rows[kLanes];
                std::copy(step + k, step + k + kLanes, rows);
                tape::transposeLanes(rows);
                for (uint32_t lane = 0; lane < kLanes; ++lane)
                    tape::storeV(ppOut[lane] + k, rows[lane]);
            }
            for (; k < m; ++k)
                for (uint32_t lane = 0; lane < kLanes; ++lane)
                    ppOut[lane][k] = step[k][lane];
        }
        const VF last = step[(n - 1) % kPart];
        for (uint32_t k = 0; k < kLanes; ++k) {
            ControlRecord* p = pRec[k];
            if (!p)
                continue;
            p->m_fSmoothZ = Z[k];
            p->m_fSmoothLast = L[k];
            if (landed[k]) {
                p->m_bSmoothSettled = true;
                p->m_fSettledTarget = p->m_fSmoothTarget;
            }
            bAllAtRest = bAllAtRest && rest[k];
            const bool bMoved = !(last[k] == start[k]) || !rest[k] || landed[k];
            *p->m_pFloat = last[k];
            if (bMoved)
                controlChanged(static_cast<int32_t>(p->m_uControlId));
        }
    }
    m_bSmoothingAtRest = bAllAtRest;
    return true;
}
