#include "CWTOscillator.h"

#include "TsraRand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {
struct Osc {
    CWTOscillator o;
    explicit Osc(uint32_t uType = CWTOscillator::kSine, float fHz = 441.0f, int32_t nRate = 44100)
    {
        o.m_nSampleRate = nRate;
        o.m_uOscType = uType;
        o.m_fFrequency_Hz = fHz;
        o.resetForSampleRate();
        o.controlChanged(50);  // Note On
    }
    std::pair<float, float> next()
    {
        float a = 0, b = 0;
        o.nextSample(a, b);
        return {a, b};
    }
};
}  // namespace

TEST(CWTOscillator, SilentAndHeldWhileNotPlaying)
{
    CWTOscillator o;
    o.resetForSampleRate();
    float a = 1, b = 1;
    o.nextSample(a, b);
    EXPECT_EQ(a, 0.0f);
    EXPECT_EQ(b, 0.0f);
    EXPECT_EQ(o.m_fPhaseIndex, 0.0f);
    float out[2] = {1, 1};
    o.processFrame(nullptr, out, 0, 2);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 0.0f);
}

TEST(CWTOscillator, SineStartsAtZeroWithCosineQuadrature)
{
    Osc s;
    auto [out, quad] = s.next();
    EXPECT_EQ(out, 0.0f);
    EXPECT_EQ(quad, 1.0f);
    Osc u;
    u.o.m_uPolarity = 1;
    std::tie(out, quad) = u.next();
    EXPECT_EQ(out, 0.5f);
    EXPECT_EQ(quad, 1.0f);
    // Quadrature holds along the way: out^2 + quad^2 = 1 (up to interpolation error); 441 Hz
    // at 44.1 kHz repeats every 100 samples and peaks a quarter in.
    std::vector<float> v = {0.0f};
    for (int i = 0; i < 500; ++i) {
        std::tie(out, quad) = s.next();
        ASSERT_NEAR(out * out + quad * quad, 1.0f, 1e-4f) << i;
        v.push_back(out);
    }
    for (size_t i = 100; i < v.size(); ++i)
        ASSERT_NEAR(v[i], v[i - 100], 2e-4f) << i;
    EXPECT_NEAR(v[25], 1.0f, 1e-4f);
}

TEST(CWTOscillator, InterpolationAtLastIndexRunsTowardEntryZero)
{
    Osc t(CWTOscillator::kTriangle);
    t.o.m_fPhaseIndex = 1023.5f;
    t.o.m_fQuadPhaseIndex = 255.0f;
    const auto [out, quad] = t.next();
    EXPECT_FLOAT_EQ(out, 0.5f * t.o.m_TriangleTable[1023] + 0.5f * t.o.m_TriangleTable[0]);
    EXPECT_FLOAT_EQ(quad, 0.5f * t.o.m_TriangleTable[255] + 0.5f * t.o.m_TriangleTable[256]);
    EXPECT_LT(t.o.m_fPhaseIndex, 1024.0f);
}

TEST(CWTOscillator, TablesAndBandLimitedNormalisation)
{
    CWTOscillator o;
    EXPECT_EQ(o.m_uTableMode, 0u);  // the plain tables unless asked
    EXPECT_EQ(o.m_TriangleTable[256], 1.0f);
    EXPECT_EQ(o.m_TriangleTable[768], -1.0f);
    EXPECT_EQ(o.m_SquareTable[511], 1.0f);
    EXPECT_EQ(o.m_SquareTable[512], -1.0f);
    float maxTri = -2, maxSq = -2;
    int argTri = -1, argSq = -1;
    for (int i = 0; i < kWaveTableLength; ++i) {
        if (o.m_BandLimitedTriangleTable[i] > maxTri)
            maxTri = o.m_BandLimitedTriangleTable[i], argTri = i;
        if (o.m_BandLimitedSquareTable[i] > maxSq)
            maxSq = o.m_BandLimitedSquareTable[i], argSq = i;
        ASSERT_GE(o.m_NoiseTable[i], -1.0f);
        ASSERT_LE(o.m_NoiseTable[i], 1.0f);
    }
    EXPECT_EQ(argTri, 256);
    EXPECT_EQ(argSq, 85);
    EXPECT_NEAR(maxTri, 1.0f, 1e-7f);
    EXPECT_NEAR(maxSq, 1.0f, 1e-7f);
    // Before normalisation the triangle's peak is 1 - 1/9 + 1/25 - 1/49 at a quarter turn.
    EXPECT_NEAR(o.m_BandLimitedTriangleTable[0], 0.0f, 1e-7f);
}

TEST(CWTOscillator, NoiseTableFollowsTheThreadsRuntimeSequence)
{
    tsraSeedRand(1);
    CWTOscillator a;
    tsraSeedRand(1);
    const float first = static_cast<float>(tsraRand()) * 6.103702e-05f - 1.0f;
    EXPECT_EQ(a.m_NoiseTable[0], first);
    tsraSeedRand(1);
    CWTOscillator b;
    for (int i = 0; i < kWaveTableLength; ++i)
        ASSERT_EQ(a.m_NoiseTable[i], b.m_NoiseTable[i]);
}

TEST(CWTOscillator, RandomWaveMovesFourValuesPerPeriodWithoutQuadrature)
{
    Osc r(CWTOscillator::kRandom, 1.0f, 1000);  // step 4 / 1000
    EXPECT_NEAR(r.o.m_fPhaseStep, 0.004f, 1e-9f);
    std::set<int> indices;
    for (int i = 0; i < 1000; ++i) {
        const float before = r.o.m_fPhaseIndex;
        const auto [out, quad] = r.next();
        EXPECT_EQ(quad, 0.0f);
        const int k = static_cast<int>(before);
        const float f = before - static_cast<float>(k);
        ASSERT_FLOAT_EQ(out, f * r.o.m_NoiseTable[k + 1] + (1 - f) * r.o.m_NoiseTable[k]);
        indices.insert(k);
    }
    EXPECT_EQ(indices.size(), 4u);  // one period passes through four noise values
    r.o.m_uPolarity = 1;
    EXPECT_EQ(r.next().second, 0.5f);
}

TEST(CWTOscillator, TableModeOnlyAffectsTriangleAndSquare)
{
    Osc a(CWTOscillator::kSine), b(CWTOscillator::kSine);
    b.o.m_uTableMode = 1;
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(a.next(), b.next());
    Osc c(CWTOscillator::kSquare), d(CWTOscillator::kSquare);
    d.o.m_uTableMode = 1;
    for (int i = 0; i < 20; ++i) {
        c.next();
        d.next();
    }
    EXPECT_NE(c.next().first, d.next().first);
}

// The step follows the frequency control and stays inside the table; Note Off silences.
TEST(CWTOscillator, StepFollowsTheFrequencyInsideTheTableAndNoteOffStops)
{
    Osc s(CWTOscillator::kSine, 1e9f, 44100);
    EXPECT_LT(s.o.m_fPhaseStep, 1024.0f);
    Osc n(CWTOscillator::kSine, -50.0f, 44100);
    EXPECT_EQ(n.o.m_fPhaseStep, 0.0f);
    for (int i = 0; i < 10000; ++i) {
        s.next();
        ASSERT_GE(s.o.m_fPhaseIndex, 0.0f);
        ASSERT_LT(s.o.m_fPhaseIndex, 1024.0f);
        ASSERT_LT(s.o.m_fQuadPhaseIndex, 1024.0f);
    }
    s.o.setControlValue(0, 882.0f);  // the frequency control, unsmoothed
    EXPECT_NEAR(s.o.m_fPhaseStep, 882.0f * 1024.0f / 44100.0f, 1e-4f);
    EXPECT_STREQ(s.o.m_pButtonLabels[1], "Note Off");  // the button that sends 51
    s.o.controlChanged(51);
    EXPECT_FALSE(s.o.m_bPlaying);
    EXPECT_EQ(s.next().first, 0.0f);
}

// run gives what nextSample gives sample by sample with the step set before each sample, for
// every wave, table mode and polarity, and leaves the same phases and step behind.
TEST(CWTOscillator, RunMatchesSampleBySample)
{
    float steps[300];
    for (int i = 0; i < 300; ++i)
        steps[i] = i < 150 ? 0.37f * static_cast<float>(i) : 1023.9f - static_cast<float>(i);  // glides, wraps
    for (uint32_t uType : {CWTOscillator::kSine, CWTOscillator::kRandom, CWTOscillator::kTriangle, CWTOscillator::kSquare}) {
        for (uint32_t uMode = 0; uMode < 4; ++uMode) {
            tsraSeedRand(5);
            Osc a(uType);
            tsraSeedRand(5);  // the same noise table
            Osc b(uType);
            a.o.m_uTableMode = b.o.m_uTableMode = uMode & 1;
            a.o.m_uPolarity = b.o.m_uPolarity = uMode >> 1;
            if (uMode == 3)
                a.o.m_bPlaying = b.o.m_bPlaying = false;
            float out[300];
            a.o.run(out, steps, 300);
            for (int i = 0; i < 300; ++i) {
                b.o.m_fPhaseStep = steps[i];
                ASSERT_EQ(out[i], b.next().first) << "type " << uType << ", mode " << uMode << ", sample " << i;
            }
            EXPECT_EQ(a.o.m_fPhaseIndex, b.o.m_fPhaseIndex);
            EXPECT_EQ(a.o.m_fQuadPhaseIndex, b.o.m_fQuadPhaseIndex);
            EXPECT_EQ(a.o.m_fPhaseStep, steps[299]);
        }
    }
}
