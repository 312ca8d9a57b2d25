#pragma once
// Second-order recursive section, Direct Form I, single precision. The owner writes the five
// coefficients directly (and may copy them between sections) and clears the state before use.
// A first-order section has m_fA2 = m_fB2 = 0.

#include <cfloat>
#include <cmath>

class CBiQuad {
public:
    virtual ~CBiQuad() = default;

    float filterSample(float x)
    {
        float y = ((m_fA0 * x + m_fA1 * m_fX1) + m_fA2 * m_fX2) - m_fB1 * m_fY1 - m_fB2 * m_fY2;
        if (std::fabs(y) < FLT_MIN)
            y = 0.0f;  // flush denormals: decaying tails would otherwise crawl through them slowly
        m_fX2 = m_fX1;
        m_fX1 = x;
        m_fY2 = m_fY1;
        m_fY1 = y;
        return y;
    }

    // filterSample for a first-order section (m_fA2 = m_fB2 = 0) with finite state: the two
    // zero terms can change no more than the sign of a zero sum, and the flush turns any zero
    // into +0, so the result is the same; the chain from one sample to the next is shorter.
    float filterFirstOrder(float x)
    {
        float y = (m_fA0 * x + m_fA1 * m_fX1) - m_fB1 * m_fY1;
        if (std::fabs(y) < FLT_MIN)
            y = 0.0f;
        m_fX2 = m_fX1;
        m_fX1 = x;
        m_fY2 = m_fY1;
        m_fY1 = y;
        return y;
    }

    void clearState() { m_fX1 = m_fX2 = m_fY1 = m_fY2 = 0.0f; }

    // Copies the five coefficients (not the state) of another section.
    void copyCoefficients(const CBiQuad& o)
    {
        m_fA0 = o.m_fA0;
        m_fA1 = o.m_fA1;
        m_fA2 = o.m_fA2;
        m_fB1 = o.m_fB1;
        m_fB2 = o.m_fB2;
    }

    float m_fX1 = 0.0f, m_fX2 = 0.0f, m_fY1 = 0.0f, m_fY2 = 0.0f;
    float m_fA0 = 0.0f, m_fA1 = 0.0f, m_fA2 = 0.0f, m_fB1 = 0.0f, m_fB2 = 0.0f;
};
