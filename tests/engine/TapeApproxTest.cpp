// The four-lane level, gain and dropout-pole functions against double-precision references.
#include "TapeFilterDesign.h"
#include "TapeApprox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
// Distance in representable floats between a result and the exactly rounded reference.
int64_t ulps(float fGot, double dRef)
{
    const float fRef = static_cast<float>(dRef);
    int32_t a, b;
    std::memcpy(&a, &fGot, 4);
    std::memcpy(&b, &fRef, 4);
    return std::llabs(static_cast<int64_t>(a) - b);
}
}  // namespace

// Within 2 ulp, or within 2e-6 dB near 0 dB, where a float's ulp gets tiny.
TEST(TapeApprox, DecibelsAccurateFromSubnormalsToOne)
{
    for (float x = 1.0e-45f; x <= 1.0f; x = std::nextafter(x * 1.0009f, 2.0f)) {
        const double dRef = 20.0 * std::log10(static_cast<double>(x));
        const float fGot = tape::decibelsOf(x, -96.0f);
        ASSERT_TRUE(ulps(fGot, dRef) <= 2 || std::fabs(fGot - dRef) < 2.0e-6) << "x = " << x << ": " << fGot;
    }
    for (float x = 0.999f; x <= 1.001f; x += 1.0e-7f)
        ASSERT_NEAR(tape::decibelsOf(x, -96.0f), 20.0 * std::log10(static_cast<double>(x)), 2.0e-6) << x;
    EXPECT_EQ(tape::decibelsOf(0.0f, -96.0f), -96.0f);
    EXPECT_EQ(tape::decibelsOf(-1.0f, -96.0f), -96.0f);
    EXPECT_EQ(tape::decibelsOf(std::nanf(""), -96.0f), -96.0f);
}

TEST(TapeApprox, PowerOfTenWithinTwoUlpOverTheFloatRange)
{
    for (float p = -37.5f; p <= 38.0f; p += 0.0001237f)
        ASSERT_LE(ulps(tape::powerOf10(p), std::pow(10.0, static_cast<double>(p))), 2) << "p = " << p;
    EXPECT_EQ(tape::powerOf10(0.0f), 1.0f);
    EXPECT_EQ(tape::powerOf10(1.0f), 10.0f);
    EXPECT_EQ(tape::powerOf10(40.0f), INFINITY);
    EXPECT_EQ(tape::powerOf10(-40.0f), 0.0f);
    EXPECT_TRUE(std::isnan(tape::powerOf10(std::nanf(""))));
}

// Every cutoff the dropout walk can ask for, at every rate the equaliser knows, at one it does
// not, and at two below 40 kHz, against cos/(1 + sin) in double for the cutoff held below
// 0.49 fs: within a few parts in 10^7, and always a stable pole.
TEST(TapeApprox, DropoutPoleMatchesTheCosineFormAtEveryRate)
{
    for (int32_t nRate : {44100, 48000, 50000, 88200, 96000, 176400, 192000, 22050, 32000}) {
        for (float fc = 1000.0f; fc <= 20000.0f; fc += 0.37f) {
            const float fHeld = std::min(fc, 0.49f * static_cast<float>(nRate));
            const double theta = static_cast<float>(6.283185307179586 * fHeld / nRate);
            const double dRef = std::cos(theta) / (1.0 + std::sin(theta));
            const float fPole = tape::dropoutPole(fc, nRate);
            ASSERT_NEAR(fPole, dRef, 2.5e-7 * std::max(1.0, std::fabs(dRef))) << nRate << " Hz, fc " << fc;
            ASSERT_LT(std::fabs(fPole), 1.0f) << nRate << " Hz, fc " << fc;
        }
    }
}

// A run's gliding gains come out as the very floats frame-by-frame cooking gives, over every
// level a control can reach and far beyond (a dense sample of floats), out of range and NaN.
TEST(TapeApprox, GainsOfARunAreTheCookedGains)
{
    std::vector<float> dB;
    for (uint32_t b = 0; b < 0x44000000u; b += 211) {  // 0 ... 512 dB, both signs
        float x;
        std::memcpy(&x, &b, 4);
        dB.push_back(x);
        dB.push_back(-x);
    }
    for (float x : {NAN, INFINITY, -INFINITY, 1e30f, 0.0f, -0.0f})
        dB.push_back(x);
    std::vector<float> got(dB.size());
    // Odd run lengths, the last run first: a run that wrote past its end would spoil the next.
    for (size_t i = (dB.size() - 1) / 61 * 61;; i -= 61) {
        tape::pow10NarrowOfDecibels({&dB[i]}, {&got[i]}, static_cast<uint32_t>(std::min<size_t>(61, dB.size() - i)));
        if (i == 0)
            break;
    }
    for (size_t i = 0; i < dB.size(); ++i) {
        const float fCooked = tape::pow10Narrow(dB[i] * 0.05f);
        ASSERT_EQ(std::memcmp(&got[i], &fCooked, 4), 0) << dB[i] << " dB: " << got[i] << ", cooked " << fCooked;
    }
}
