#include "CBiQuad.h"
#include "CEnvelopeFollower.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

TEST(CBiQuad, UnityPassesInputButFlushesDenormals)
{
    CBiQuad q;
    q.m_fA0 = 1.0f;
    for (float x : {0.5f, -0.25f, 1e-30f, -3.0f})
        EXPECT_EQ(q.filterSample(x), x);
    EXPECT_EQ(q.filterSample(FLT_MIN * 0.5f), 0.0f);
    EXPECT_EQ(q.filterSample(-FLT_MIN * 0.25f), 0.0f);
    EXPECT_EQ(q.filterSample(FLT_MIN), FLT_MIN);  // the smallest normal stays
    EXPECT_EQ(q.m_fX1, FLT_MIN);
}

TEST(CBiQuad, DecayingImpulseEndsInExactZerosNotDenormals)
{
    CBiQuad q;
    q.m_fA0 = 1.0f;
    q.m_fB1 = -0.9f;  // y = x + 0.9 y1
    q.clearState();
    float y = q.filterSample(1.0f);
    int n = 0;
    for (; n < 100000 && y != 0.0f; ++n) {
        y = q.filterSample(0.0f);
        ASSERT_FALSE(std::fpclassify(y) == FP_SUBNORMAL) << "sample " << n;
    }
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(q.m_fY1, 0.0f);
}

TEST(CBiQuad, DirectFormOneWithCopiedCoefficients)
{
    CBiQuad a;
    a.m_fA0 = 0.5f;
    a.m_fA1 = 0.25f;
    a.m_fA2 = 0.125f;
    a.m_fB1 = 0.1f;
    a.m_fB2 = -0.2f;
    CBiQuad b;
    b.copyCoefficients(a);
    b.clearState();
    const float y0 = b.filterSample(1.0f);
    const float y1 = b.filterSample(0.0f);
    const float y2 = b.filterSample(0.0f);
    EXPECT_FLOAT_EQ(y0, 0.5f);
    EXPECT_FLOAT_EQ(y1, 0.25f - 0.1f * 0.5f);
    EXPECT_FLOAT_EQ(y2, 0.125f - 0.1f * y1 + 0.2f * y0);
}

TEST(CEnvelopeFollower, PeakRisesTowardInputAndClampsAtOne)
{
    CEnvelopeFollower e;
    e.setup(44100.0f, 10.0f, 100.0f, false, CEnvelopeFollower::kPeak, false);
    float v = 0.0f;
    for (int i = 0; i < 5000; ++i) {
        v = e.follow(0.5f);
        ASSERT_LE(v, 0.5f);
    }
    EXPECT_NEAR(v, 0.5f, 1e-4f);
    for (int i = 0; i < 5000; ++i)
        v = e.follow(3.0f);
    EXPECT_EQ(v, 1.0f);
    e.clear();
    EXPECT_EQ(e.m_fEnvelope, 0.0f);
}

TEST(CEnvelopeFollower, DigitalAttackReaches99PercentInAttackTime)
{
    CEnvelopeFollower e;
    e.setup(1000.0f, 50.0f, 50.0f, false, CEnvelopeFollower::kPeak, false);
    float v = 0.0f;
    for (int i = 0; i < 50; ++i)
        v = e.follow(1.0f);
    EXPECT_NEAR(v, 0.99f, 1e-3f);
    CEnvelopeFollower a;
    a.setup(1000.0f, 50.0f, 50.0f, true, CEnvelopeFollower::kPeak, false);
    for (int i = 0; i < 50; ++i)
        v = a.follow(1.0f);
    EXPECT_NEAR(v, 1.0f - std::exp(-1.00239343f), 1e-3f);
}

TEST(CEnvelopeFollower, RmsLogAndZeroAttack)
{
    CEnvelopeFollower r;
    r.setup(44100.0f, 5.0f, 5.0f, false, CEnvelopeFollower::kRms, false);
    float v = 0.0f;
    for (int i = 0; i < 20000; ++i)
        v = r.follow((i & 1) ? 0.5f : -0.5f);
    EXPECT_NEAR(v, 0.5f, 1e-4f);
    EXPECT_NEAR(r.m_fEnvelope, 0.25f, 1e-4f);

    CEnvelopeFollower l;
    l.setup(44100.0f, 1.0f, 1.0f, false, CEnvelopeFollower::kPeak, true);
    EXPECT_EQ(l.follow(0.0f), -96.0f);
    for (int i = 0; i < 2000; ++i)
        v = l.follow(1.0f);
    EXPECT_NEAR(v, 0.0f, 1e-3f);

    CEnvelopeFollower z;
    z.setup(44100.0f, 0.0f, 100.0f, false, CEnvelopeFollower::kPeak, false);
    EXPECT_EQ(z.m_fAttackCoeff, 0.0f);
    EXPECT_EQ(z.follow(0.7f), 0.7f);
}

TEST(CEnvelopeFollower, ReleaseTailFlushesToZero)
{
    CEnvelopeFollower e;
    e.setup(44100.0f, 1.0f, 1.0f, false, CEnvelopeFollower::kMeanSquare, false);
    e.follow(1.0f);
    float v = 1.0f;
    for (int i = 0; i < 100000 && v != 0.0f; ++i) {
        v = e.follow(0.0f);
        ASSERT_FALSE(std::fpclassify(v) == FP_SUBNORMAL);
    }
    EXPECT_EQ(v, 0.0f);
}
