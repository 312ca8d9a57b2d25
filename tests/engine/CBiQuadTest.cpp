#include "CBiQuad.h"
#include "CEnvelopeFollower.h"
#include "TapeLaneGroups.h"
#include "TapeSaturation.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <random>

TEST(CBiQuad, FlushesDenormalInputsAndDecaysToExactZeros)
{
    CBiQuad q;
    q.m_fA0 = 1.0f;
    for (float x : {0.5f, -0.25f, 1e-30f, -3.0f})
        EXPECT_EQ(q.filterSample(x), x);
    EXPECT_EQ(q.filterSample(FLT_MIN * 0.5f), 0.0f);
    EXPECT_EQ(q.filterSample(-FLT_MIN * 0.25f), 0.0f);
    EXPECT_EQ(q.filterSample(FLT_MIN), FLT_MIN);  // the smallest normal stays
    EXPECT_EQ(q.m_fX1, FLT_MIN);
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

// Sections and followers in lanes compute bit for bit what each float object computes, and
// the group gives each member its state back.
TEST(TapeLanes, SectionsFollowersAndSaturationMatchTheirFloatSelves)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(-1.5f, 1.5f);
    auto input = [&](int i) { return i % 97 > 60 ? 0.0f : (i % 5 == 0 ? u(rng) * 1e-36f : u(rng)); };  // tails and subnormals

    CBiQuad floats[4], lanes[4];
    const float k[4][5] = {{0.2f, 0.4f, 0.2f, -0.6f, 0.25f}, {0.7f, -1.4f, 0.7f, -1.3f, 0.5f},
                           {0.5f, 0.5f, 0.0f, -0.3f, 0.0f}, {1.0f, 0.0f, 0.0f, -0.999f, 0.0f}};
    for (int s = 0; s < 4; ++s) {
        floats[s].m_fA0 = k[s][0], floats[s].m_fA1 = k[s][1], floats[s].m_fA2 = k[s][2];
        floats[s].m_fB1 = k[s][3], floats[s].m_fB2 = k[s][4];
        lanes[s] = floats[s];
    }
    for (bool bFirstOrder : {false, true}) {
        tape::CBiQuadLanes group(&lanes[0], &lanes[1], bFirstOrder ? nullptr : &lanes[2], &lanes[3]);
        for (int i = 0; i < 3000; ++i) {
            const tape::v4f x{input(i), input(i + 1), input(i + 2), input(i + 3)};
            const tape::v4f y = bFirstOrder ? group->filterFirstOrder(x) : group->filterSample(x);
            for (int s = 0; s < 4; ++s) {
                if (bFirstOrder && s == 2)
                    continue;
                const float f = bFirstOrder ? floats[s].filterFirstOrder(x[s]) : floats[s].filterSample(x[s]);
                ASSERT_EQ(std::bit_cast<uint32_t>(y[s]), std::bit_cast<uint32_t>(f)) << "section " << s << ", sample " << i;
            }
        }
        if (bFirstOrder)
            floats[2] = lanes[2];  // not in the group: left as it was
    }
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(lanes[s].m_fX1, floats[s].m_fX1);
        EXPECT_EQ(lanes[s].m_fX2, floats[s].m_fX2);
        EXPECT_EQ(lanes[s].m_fY1, floats[s].m_fY1);
        EXPECT_EQ(lanes[s].m_fY2, floats[s].m_fY2);
    }

    for (uint32_t uMode : {CEnvelopeFollower::kPeak, CEnvelopeFollower::kMeanSquare, CEnvelopeFollower::kRms}) {
        CEnvelopeFollower a, b;
        a.setup(44100.0f, 1.0f, 3.0f, false, uMode, false);
        b.setup(44100.0f, 0.2f, 0.5f, true, uMode, false);
        CEnvelopeFollower la = a, lb = b;
        {
            tape::CFollowerLanes group(la, lb);
            for (int i = 0; i < 3000; ++i) {
                const float xa = 2.0f * input(i), xb = input(i + 7);
                const tape::v4f e = group->follow(tape::v4f{xa, xb, 0.0f, 0.0f});
                ASSERT_EQ(std::bit_cast<uint32_t>(e[0]), std::bit_cast<uint32_t>(a.follow(xa))) << uMode << ", " << i;
                ASSERT_EQ(std::bit_cast<uint32_t>(e[1]), std::bit_cast<uint32_t>(b.follow(xb))) << uMode << ", " << i;
            }
        }
        EXPECT_EQ(la.m_fEnvelope, a.m_fEnvelope);
        EXPECT_EQ(lb.m_fEnvelope, b.m_fEnvelope);
    }

    const tape::SSaturationCurve curve{-0.533f, 0.01503f, 1.446f, -0.00229f};
    for (int i = 0; i < 1000; ++i) {
        const tape::v4f x{u(rng), 3.0f * u(rng), -2.0f, 0.5f * u(rng)};
        const tape::v4f y = tape::saturate(x, 1.7f, curve);
        for (int s = 0; s < 4; ++s)
            ASSERT_EQ(std::bit_cast<uint32_t>(y[s]), std::bit_cast<uint32_t>(tape::saturate(x[s], 1.7f, curve)));
    }
}
