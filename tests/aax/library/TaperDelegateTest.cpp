#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CTsraLogTaperDelegate.h"
#include "AAX_CVoltOctaveTaperDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

namespace {

// Real values a taper gives for normalised ones.
template <typename T>
void ExpectReal(const AAX_ITaperDelegate<T>& taper, std::initializer_list<std::pair<double, T>> cases)
{
    for (const auto& [n, expected] : cases)
        EXPECT_EQ(taper.NormalizedToReal(n), expected) << n;
}

}  // namespace

// Clones: every parameter holds one of the taper it was given.
TEST(LinearTaper, FloatIsExactAndClampedInt32RoundsOnlyWhenAskedAndClampsWithoutOverflow)
{
    std::unique_ptr<AAX_ITaperDelegate<float>> axis(AAX_CLinearTaperDelegate<float, 0>(-1.0f, 1.0f).Clone());
    ExpectReal<float>(*axis, {{0.75, 0.5f}, {2.0, 1.0f}});
    EXPECT_FLOAT_EQ(axis->NormalizedToReal(0.123), -0.754f);
    EXPECT_DOUBLE_EQ(axis->RealToNormalized(0.0f), 0.5);

    ExpectReal<int32_t>(AAX_CLinearTaperDelegate<int32_t, 0>(0, 10), {{0.55, 5}, {0.449, 4}});
    ExpectReal<int32_t>(AAX_CLinearTaperDelegate<int32_t, 1>(0, 10), {{0.55, 6}, {0.449, 4}, {0.96, 10}, {1.7, 10}, {-0.3, 0}});
    const AAX_CLinearTaperDelegate<int32_t, 1> rounding(0, 10);
    EXPECT_DOUBLE_EQ(rounding.RealToNormalized(5), 0.5);
    // Reversed bounds clamp to the range between the smaller and the larger one.
    AAX_CLinearTaperDelegate<int32_t, 0> reversed(10, 0);
    ExpectReal<int32_t>(reversed, {{0.25, 7}, {1.5, 0}});
    EXPECT_EQ(reversed.ConstrainRealValue(11), 10);
    ExpectReal<int32_t>(AAX_CLinearTaperDelegate<int32_t, 0>(INT32_MIN, INT32_MAX), {{1.0, INT32_MAX}, {1e12, INT32_MAX}});

    // Without a range: the middle, and the one value.
    AAX_CLinearTaperDelegate<int32_t, 0> flat(3, 3);
    EXPECT_DOUBLE_EQ(flat.RealToNormalized(-40), 0.5);
    ExpectReal<int32_t>(flat, {{0.9, 3}});
    EXPECT_EQ(flat.ConstrainRealValue(100), 3);
}

TEST(LogTaper, MapsTheTopToMaxEverythingBelowTheFloorToMinAndRoundsToThousandths)
{
    AAX_CTsraLogTaperDelegate<float, 1000> hiss(-96.0f, -30.0f);
    const double floorValue = std::pow(10.0, -2.4);  // about 0.00398: f reaches 0 here
    ExpectReal<float>(hiss, {{1.0, -30.0f}, {floorValue, -96.0f}, {0.003, -96.0f}, {-0.5, -96.0f}});
    EXPECT_GT(hiss.NormalizedToReal(0.0045), -96.0f);
    // n = 0.1: f = 1 - 1/2.4, so -96 + 66 * 0.58333 = -57.5.
    EXPECT_NEAR(hiss.NormalizedToReal(0.1), -57.5f, 1e-3);
    for (const auto& [fReal, n, fTolerance] : {std::tuple{-30.0f, 1.0, 1e-7}, {-96.0f, floorValue, 1e-8}, {-57.5f, 0.1, 1e-6}})
        EXPECT_NEAR(hiss.RealToNormalized(fReal), n, fTolerance) << fReal;
    // The normalised value is rounded to single precision.
    EXPECT_EQ(hiss.RealToNormalized(-57.5f), double(float(hiss.RealToNormalized(-57.5f))));

    AAX_CTsraLogTaperDelegate<float, 1000> t(0.0f, 10.0f);
    for (const auto& [fIn, fOut] : {std::pair{1.23456f, 1.235f}, {1.2344f, 1.234f}, {12.0f, 10.0f}, {-0.0004f, 0.0f}})
        EXPECT_FLOAT_EQ(t.ConstrainRealValue(fIn), fOut) << fIn;
    // n = 0.5: f = 1 - log10(2) / 2.4 = 0.87457, x = 874.57 truncated.
    AAX_CTsraLogTaperDelegate<int32_t, 1000> ints(0, 1000);
    ExpectReal<int32_t>(ints, {{0.5, 874}, {1.0, 1000}});
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

    // Int32: 100 / 30 is 3 as an integer, so the top of the range is 30 * 3; a zero minimum
    // stays at zero.
    AAX_CVoltOctaveTaperDelegate<int32_t, 1000> coarse(30, 100);
    EXPECT_NEAR(coarse.NormalizedToReal(1.0), 90, 1);
    EXPECT_NEAR(coarse.RealToNormalized(90), 1.0, 0.01);
    AAX_CVoltOctaveTaperDelegate<int32_t, 1000> zeroMin(0, 100);
    EXPECT_EQ(zeroMin.NormalizedToReal(0.7), 0);
    EXPECT_EQ(zeroMin.RealToNormalized(50), 0.0);
}

TEST(BinaryTaper, AnythingAboveZeroIsTrue)
{
    ExpectReal<bool>(AAX_CBinaryTaperDelegate<bool>(), {{0.0, false}, {-1.0, false}, {0.001, true}});
    EXPECT_EQ(AAX_CBinaryTaperDelegate<bool>().RealToNormalized(true), 1.0);
}
