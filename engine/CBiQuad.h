#pragma once
// Second-order recursive section, Direct Form I, single precision, over a lane type: a float
// (one section) or a vector of floats (several sections side by side, one per lane; each lane
// computes bit for bit what its own float section would). The owner writes the five
// coefficients directly (and may copy them between sections) and clears the state before use.
// A first-order section has m_fA2 = m_fB2 = 0. Plain value type; no allocation.

#include "TapeLaneOps.h"

template <class T> class CBiQuadT {
public:
    TAPE_LANES_INLINE T filterSample(T x)
    {
        // Flushed: a decaying tail would otherwise crawl through subnormals slowly.
        return push(x, tape::flushSubnormal(((m_fA0 * x + m_fA1 * m_fX1) + m_fA2 * m_fX2) - m_fB1 * m_fY1 - m_fB2 * m_fY2));
    }

    // filterSample for a first-order section (m_fA2 = m_fB2 = 0) with finite state: the two
    // zero terms can change no more than the sign of a zero sum, and the flush turns any zero
    // into +0, so the result is the same; the chain from one sample to the next is shorter.
    TAPE_LANES_INLINE T filterFirstOrder(T x) { return push(x, tape::flushSubnormal((m_fA0 * x + m_fA1 * m_fX1) - m_fB1 * m_fY1)); }

    void clearState() { m_fX1 = m_fX2 = m_fY1 = m_fY2 = T{}; }

    // Copies the five coefficients (not the state) of another section.
    void copyCoefficients(const CBiQuadT& o)
    {
        m_fA0 = o.m_fA0;
        m_fA1 = o.m_fA1;
        m_fA2 = o.m_fA2;
        m_fB1 = o.m_fB1;
        m_fB2 = o.m_fB2;
    }

    T m_fX1{}, m_fX2{}, m_fY1{}, m_fY2{};
    T m_fA0{}, m_fA1{}, m_fA2{}, m_fB1{}, m_fB2{};

private:
    TAPE_LANES_INLINE T push(T x, T y)
    {
        m_fX2 = m_fX1;
        m_fX1 = x;
        m_fY2 = m_fY1;
        m_fY1 = y;
        return y;
    }
};

using CBiQuad = CBiQuadT<float>;
