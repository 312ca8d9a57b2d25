#pragma once
// Sections and followers of the chain run side by side, one per lane of a four-lane vector.
// Each lane computes exactly what its scalar CBiQuad or CEnvelopeFollower would (the same
// operations in the same order, in single precision), so results are identical bit for bit;
// the lanes only save instructions. Load from the scalar objects before a run, store after.

#include "CBiQuad.h"
#include "CEnvelopeFollower.h"
#include "TapeVectorMath.h"

#include <cfloat>
#include <cmath>

namespace tape {

inline v4f absV4(v4f x) { return reinterpret_cast<v4f>(reinterpret_cast<v4i>(x) & 0x7fffffff); }

class CBiQuadLanes {
public:
    // Coefficients and state of up to four sections; missing lanes stay silent.
    void load(const CBiQuad* const* ppSections, int nSections)
    {
        *this = CBiQuadLanes{};
        for (int k = 0; k < nSections; ++k) {
            const CBiQuad& q = *ppSections[k];
            m_a0[k] = q.m_fA0, m_a1[k] = q.m_fA1, m_a2[k] = q.m_fA2, m_b1[k] = q.m_fB1, m_b2[k] = q.m_fB2;
            m_x1[k] = q.m_fX1, m_x2[k] = q.m_fX2, m_y1[k] = q.m_fY1, m_y2[k] = q.m_fY2;
        }
    }
    // Writes the state back (the coefficients are the sections' own).
    void storeState(CBiQuad* const* ppSections, int nSections) const
    {
        for (int k = 0; k < nSections; ++k) {
            CBiQuad& q = *ppSections[k];
            q.m_fX1 = m_x1[k], q.m_fX2 = m_x2[k], q.m_fY1 = m_y1[k], q.m_fY2 = m_y2[k];
        }
    }

    // One-pole low-pass coefficients per lane from its pole, as the dropout design sets them.
    void setOnePole(v4f pole)
    {
        m_a0 = m_a1 = (1.0f - pole) * 0.5f;
        m_a2 = m_b2 = splatV4(0.0f);
        m_b1 = -pole;
    }

    // filter for first-order sections (a2 = b2 = 0 in every lane); see CBiQuad::filterFirstOrder.
    v4f filterFirstOrder(v4f x)
    {
        v4f y = (m_a0 * x + m_a1 * m_x1) - m_b1 * m_y1;
        y = absV4(y) < FLT_MIN ? splatV4(0.0f) : y;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

    v4f filter(v4f x)
    {
        v4f y = ((m_a0 * x + m_a1 * m_x1) + m_a2 * m_x2) - m_b1 * m_y1 - m_b2 * m_y2;
        y = absV4(y) < FLT_MIN ? splatV4(0.0f) : y;  // the scalar section's denormal flush
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    v4f m_a0{}, m_a1{}, m_a2{}, m_b1{}, m_b2{};
    v4f m_x1{}, m_x2{}, m_y1{}, m_y2{};
};

// Followers in peak, mean-square or RMS mode with linear output, all lanes in one mode.
class CFollowerLanes {
public:
    // False when the followers cannot share lanes (different modes, or dB output).
    static bool fits(const CEnvelopeFollower& a, const CEnvelopeFollower& b)
    {
        return a.m_uDetectMode == b.m_uDetectMode && !a.m_bLogOutput && !b.m_bLogOutput;
    }
    void load(const CEnvelopeFollower& a, const CEnvelopeFollower& b)
    {
        m_uMode = a.m_uDetectMode;
        m_env = v4f{a.m_fEnvelope, b.m_fEnvelope, 0.0f, 0.0f};
        m_attack = v4f{a.m_fAttackCoeff, b.m_fAttackCoeff, 0.0f, 0.0f};
        m_release = v4f{a.m_fReleaseCoeff, b.m_fReleaseCoeff, 0.0f, 0.0f};
    }
    void storeState(CEnvelopeFollower& a, CEnvelopeFollower& b) const
    {
        a.m_fEnvelope = m_env[0];
        b.m_fEnvelope = m_env[1];
    }

    v4f follow(v4f x)
    {
        v4f d = absV4(x);
        if (m_uMode == CEnvelopeFollower::kMeanSquare || m_uMode == CEnvelopeFollower::kRms)
            d = d * d;  // a float product is the scalar's double product narrowed: both round once
        const v4f c = d > m_env ? m_attack : m_release;
        const v4f e = c * (m_env - d) + d;
        // The scalar's flush, then its clamps to 1 and to 0, with the three tests made side by
        // side on e (the cases exclude each other): a shorter chain from one frame to the next.
        const v4i bZero = (absV4(e) < FLT_MIN) | (e < 0.0f);
        const v4f eTop = e > 1.0f ? splatV4(1.0f) : e;
        m_env = bZero ? splatV4(0.0f) : eTop;
        const v4f eOut = m_env;
        if (m_uMode != CEnvelopeFollower::kRms)
            return eOut;
        return v4f{std::sqrt(eOut[0]), std::sqrt(eOut[1]), std::sqrt(eOut[2]), std::sqrt(eOut[3])};
    }

private:
    v4f m_env{}, m_attack{}, m_release{};
    uint32_t m_uMode = 0;
};

}  // namespace tape
