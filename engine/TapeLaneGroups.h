#pragma once
// The engine's float sections and followers gathered into the lanes of one vector kernel for
// a stretch of a run, so independent recurrences advance together. The group borrows its
// members: it copies coefficients and state in when made and puts the state back when it ends
// (the coefficients stay the members' own). Audio thread; no allocation.

#include "CBiQuad.h"
#include "CEnvelopeFollower.h"

namespace tape {

// Up to as many sections as VF has lanes, one per lane; a null section leaves its lane silent
// and untouched.
template <class VF> class CBiQuadLanesT {
public:
    static constexpr int kLanes = sizeof(VF) / sizeof(float);
    template <class... P>
    explicit CBiQuadLanesT(P... pSections) : m_pSections{pSections...}
    {
        static_assert(sizeof...(P) <= kLanes);
        for (int k = 0; k < kLanes; ++k) {
            if (const CBiQuad* q = m_pSections[k]) {
                m_Lanes.m_fA0[k] = q->m_fA0, m_Lanes.m_fA1[k] = q->m_fA1, m_Lanes.m_fA2[k] = q->m_fA2;
                m_Lanes.m_fB1[k] = q->m_fB1, m_Lanes.m_fB2[k] = q->m_fB2;
                m_Lanes.m_fX1[k] = q->m_fX1, m_Lanes.m_fX2[k] = q->m_fX2;
                m_Lanes.m_fY1[k] = q->m_fY1, m_Lanes.m_fY2[k] = q->m_fY2;
            }
        }
    }
    ~CBiQuadLanesT()
    {
        for (int k = 0; k < kLanes; ++k) {
            if (CBiQuad* q = m_pSections[k]) {
                q->m_fX1 = m_Lanes.m_fX1[k], q->m_fX2 = m_Lanes.m_fX2[k];
                q->m_fY1 = m_Lanes.m_fY1[k], q->m_fY2 = m_Lanes.m_fY2[k];
            }
        }
    }
    CBiQuadLanesT(const CBiQuadLanesT&) = delete;
    CBiQuadLanesT& operator=(const CBiQuadLanesT&) = delete;

    CBiQuadT<VF>& operator*() { return m_Lanes; }
    CBiQuadT<VF>* operator->() { return &m_Lanes; }

private:
    CBiQuad* const m_pSections[kLanes] = {};
    CBiQuadT<VF> m_Lanes;
};
using CBiQuadLanes = CBiQuadLanesT<v4f>;

// Two followers of one detection mode with linear output in lanes 0 and 1 (the compander's
// pair is set up that way, together); the other lanes follow with coefficients of zero, so
// they hold whatever the caller puts there, always finite.
template <class VF> class CFollowerLanesT {
public:
    CFollowerLanesT(CEnvelopeFollower& a, CEnvelopeFollower& b) : m_A(a), m_B(b)
    {
        m_Lanes.m_uDetectMode = a.m_uDetectMode;
        m_Lanes.m_fEnvelope[0] = a.m_fEnvelope, m_Lanes.m_fEnvelope[1] = b.m_fEnvelope;
        m_Lanes.m_fAttackCoeff[0] = a.m_fAttackCoeff, m_Lanes.m_fAttackCoeff[1] = b.m_fAttackCoeff;
        m_Lanes.m_fReleaseCoeff[0] = a.m_fReleaseCoeff, m_Lanes.m_fReleaseCoeff[1] = b.m_fReleaseCoeff;
    }
    ~CFollowerLanesT()
    {
        m_A.m_fEnvelope = m_Lanes.m_fEnvelope[0];
        m_B.m_fEnvelope = m_Lanes.m_fEnvelope[1];
    }
    CFollowerLanesT(const CFollowerLanesT&) = delete;
    CFollowerLanesT& operator=(const CFollowerLanesT&) = delete;

    CEnvelopeFollowerT<VF>* operator->() { return &m_Lanes; }

private:
    CEnvelopeFollower& m_A;
    CEnvelopeFollower& m_B;
    CEnvelopeFollowerT<VF> m_Lanes;
};
using CFollowerLanes = CFollowerLanesT<v4f>;

}  // namespace tape
