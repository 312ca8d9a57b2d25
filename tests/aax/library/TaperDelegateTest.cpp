#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CTsraLogTaperDelegate.h"
#include "AAX_CVoltOctaveTaperDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

TEST(LinearTaper, Int32TruncatesWithoutRoundingAndRoundsWithIt)
{
    AAX_CLinearTaperDelegate<int32_t, 0> truncating(0, 10);
    AAX_CLinearTaperDelegate<int32_t, 1> rounding(0, 10);
    EXPECT_EQ(truncating.NormalizedToReal(0.55), 5);
    EXPECT_EQ(rounding.NormalizedToReal(0.55), 6);
    EXPECT_EQ(truncating.NormalizedToReal(0.449), 4);
    EXPECT_EQ(rounding.NormalizedToReal(0.449), 4);
    EXPECT_EQ(rounding.NormalizedToReal(0.96), 10);
    EXPECT_DOUBLE_EQ(rounding.RealToNormalized(5), 0.5);
    EXPECT_EQ(rounding.NormalizedToReal(1.7), 10);  // clamped
    EXPECT_EQ(rounding.NormalizedToReal(-0.3), 0);

    // Reversed bounds clamp to the range between the smaller and the larger one.
    AAX_CLinearTaperDelegate<int32_t, 0> reversed(10, 0);
    EXPECT_EQ(reversed.NormalizedToReal(0.25), 7);
    EXPECT_EQ(reversed.NormalizedToReal(1.5), 0);
    EXPECT_EQ(reversed.ConstrainRealValue(11), 10);

    // Far outside the range nothing overflows.
    AAX_CLinearTaperDelegate<int32_t, 0> wide(INT32_MIN, INT32_MAX);
    EXPECT_EQ(wide.NormalizedToReal(1.0), INT32_MAX);
    EXPECT_EQ(wide.NormalizedToReal(1e12), INT32_MAX);
}

TEST(LinearTaper, WithoutRangeReportsTheMiddleAndTheMinimum)
{
    AAX_CLinearTaperDelegate<int32_t, 0> flat(3, 3);
    EXPECT_DOUBLE_EQ(flat.RealToNormalized(3), 0.5);
    EXPECT_DOUBLE_EQ(flat.RealToNormalized(-40), 0.5);
    EXPECT_EQ(flat.NormalizedToReal(0.9), 3);
    EXPECT_EQ(flat.ConstrainRealValue(100), 3);
}

TEST(LinearTaper, FloatIsExactAndClamped)
{
    AAX_CLinearTaperDelegate<float, 0> axis(-1.0f, 1.0f);
    EXPECT_FLOAT_EQ(axis.NormalizedToReal(0.75), 0.5f);
    EXPECT_FLOAT_EQ(axis.NormalizedToReal(0.123), -0.754f);
    EXPECT_FLOAT_EQ(axis.NormalizedToReal(2.0), 1.0f);
    EXPECT_DOUBLE_EQ(axis.RealToNormalized(0.0f), 0.5);
    std::unique_ptr<AAX_ITaperDelegate<float>> clone(axis.Clone());
    EXPECT_FLOAT_EQ(clone->GetMinimumValue(), -1.0f);
    EXPECT_FLOAT_EQ(clone->GetMaximumValue(), 1.0f);
}

TEST(LogTaper, MapsTheTopToMaxAndEverythingBelowTheFloorToMin)
{
    AAX_CTsraLogTaperDelegate<float, 1000> hiss(-96.0f, -30.0f);
    const double floorValue = std::pow(10.0, -2.4);  // about 0.00398: f reaches 0 here
    EXPECT_FLOAT_EQ(hiss.NormalizedToReal(1.0), -30.0f);
    EXPECT_FLOAT_EQ(hiss.NormalizedToReal(0.0), -96.0f);
    EXPECT_FLOAT_EQ(hiss.NormalizedToReal(floorValue), -96.0f);
    EXPECT_FLOAT_EQ(hiss.NormalizedToReal(0.003), -96.0f);
    EXPECT_FLOAT_EQ(hiss.NormalizedToReal(-0.5), -96.0f);
    EXPECT_GT(hiss.NormalizedToReal(0.0045), -96.0f);
    // n = 0.1: f = 1 - 1/2.4, so -96 + 66 * 0.58333 = -57.5.
    EXPECT_NEAR(hiss.NormalizedToReal(0.1), -57.5f, 1e-3);

    EXPECT_NEAR(hiss.RealToNormalized(-30.0f), 1.0, 1e-7);
    EXPECT_NEAR(hiss.RealToNormalized(-96.0f), floorValue, 1e-8);
    EXPECT_NEAR(hiss.RealToNormalized(-57.5f), 0.1, 1e-6);
    // The normalised value is rounded to single precision.
    EXPECT_EQ(hiss.RealToNormalized(-57.5f), double(float(hiss.RealToNormalized(-57.5f))));
}

TEST(LogTaper, ConstrainRoundsToThousandthsThenLimits)
{
    AAX_CTsraLogTaperDelegate<float, 1000> t(0.0f, 10.0f);
    EXPECT_FLOAT_EQ(t.ConstrainRealValue(1.23456f), 1.235f);
    EXPECT_FLOAT_EQ(t.ConstrainRealValue(1.2344f), 1.234f);
    EXPECT_FLOAT_EQ(t.ConstrainRealValue(12.0f), 10.0f);
    EXPECT_FLOAT_EQ(t.ConstrainRealValue(-0.0004f), 0.0f);

    AAX_CTsraLogTaperDelegate<int32_t, 1000> ints(0, 1000);
    // n = 0.5: f = 1 - log10(2) / 2.4 = 0.87457, x = 874.57 truncated.
    EXPECT_EQ(ints.NormalizedToReal(0.5), 874);
    EXPECT_EQ(ints.NormalizedToReal(1.0), 1000);
    EXPECT_EQ(ints.ConstrainRealValue(1001), 1000);
}

TEST(VoltOctaveTaper, FastApproximationsStayCloseToTheExactFunctions)
{
    for (float x : {0.01f, 0.5f, 1.0f, 3.0f, 440.0f, 20000.0f})
        EXPECT_NEAR(AAX_FastMath::Log2(x), std::log2(x), 2e-4) << x;
    // Negative whole exponents take the fraction as 1, not 0.
    for (float p : {-10.0f, -2.0f, -1.5f, 0.0f, 0.25f, 3.0f, 10.5f})
        EXPECT_NEAR(AAX_FastMath::Pow2(p) / std::exp2(p), 1.0f, 1e-4) << p;
    EXPECT_GE(AAX_FastMath::Pow2(-1000.0f), 0.0f);
}

// Monotonic and invertible within the approximation. Found by fuzzing parameter text: the fast
// logarithm made the bottom of the range map to a slightly negative normalised value.
TEST(VoltOctaveTaper, FollowsTheExponentialAndMapsEveryValueIntoZeroToOne)
{
    AAX_CVoltOctaveTaperDelegate<float, 1000> freq(20.0f, 20000.0f);
    EXPECT_NEAR(freq.NormalizedToReal(0.0), 20.0f, 0.05f);
    EXPECT_NEAR(freq.NormalizedToReal(1.0), 20000.0f, 20000.0f * 0.005f);
    EXPECT_NEAR(freq.NormalizedToReal(0.5), 632.456f, 632.456f * 0.01f);
    float previous = freq.NormalizedToReal(0.0);
    for (int i = 1; i <= 100; ++i) {
        const double n = i / 100.0;
        const float x = freq.NormalizedToReal(n);
        EXPECT_GE(x, previous) << n;
        EXPECT_NEAR(freq.RealToNormalized(x), n, 0.01) << n;
        previous = x;
    }
    AAX_CVoltOctaveTaperDelegate<float> module(25.0f, 4200.0f);
    EXPECT_EQ(module.RealToNormalized(25.0f), 0.0);
    for (float x = 25.0f; x <= 4200.0f; x *= 1.01f)
        ASSERT_TRUE(module.RealToNormalized(x) >= 0.0 && module.RealToNormalized(x) <= 1.0) << x;
    EXPECT_LE(module.RealToNormalized(4200.0f), 1.0);
}

TEST(VoltOctaveTaper, Int32UsesIntegerRatioAndSurvivesAZeroMinimum)
{
    // 100 / 30 is 3 as an integer: the top of the range is 30 * 3.
    AAX_CVoltOctaveTaperDelegate<int32_t, 1000> coarse(30, 100);
    EXPECT_NEAR(coarse.NormalizedToReal(1.0), 90, 1);
    EXPECT_NEAR(coarse.RealToNormalized(90), 1.0, 0.01);

    AAX_CVoltOctaveTaperDelegate<int32_t, 1000> zeroMin(0, 100);
    EXPECT_EQ(zeroMin.NormalizedToReal(0.7), 0);
    EXPECT_EQ(zeroMin.RealToNormalized(50), 0.0);
}

TEST(BinaryTaper, AnythingAboveZeroIsTrue)
{
    AAX_CBinaryTaperDelegate<bool> t;
    EXPECT_FALSE(t.NormalizedToReal(0.0));
    EXPECT_FALSE(t.NormalizedToReal(-1.0));
    EXPECT_TRUE(t.NormalizedToReal(0.001));
    EXPECT_EQ(t.RealToNormalized(true), 1.0);
    EXPECT_EQ(t.RealToNormalized(false), 0.0);
}
