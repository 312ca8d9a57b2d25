// The inline functions over every k-th float of their domains, against the double-precision
// library narrowed to float (the correctly rounded result almost always): never more than one
// ulp apart and equal almost everywhere. Against the single-precision library, whose own
// error is up to an ulp or two, within that error.
#include "FastMath.h"
#include "TapeFilterDesign.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>

namespace {

int64_t ulpDistance(float a, float b)
{
    // Map the floats onto a line of integers ordered like the values.
    auto key = [](float f) {
        const auto u = std::bit_cast<uint32_t>(f);
        return (u & 0x80000000u) ? -static_cast<int64_t>(u & 0x7FFFFFFFu) : static_cast<int64_t>(u);
    };
    return std::llabs(key(a) - key(b));
}

struct Sweep {
    int64_t nWorst = 0;
    float fWorstAt = 0.0f;
    uint64_t nDiffering = 0;
    uint64_t nCount = 0;
};

// Every kStride-th float from lo to hi (both of one sign), the two functions compared.
Sweep sweep(float lo, float hi, uint32_t uStride, const std::function<float(float)>& fast,
            const std::function<float(float)>& reference)
{
    Sweep s;
    const uint32_t a = std::bit_cast<uint32_t>(lo), b = std::bit_cast<uint32_t>(hi);
    for (uint64_t u = std::min(a, b); u <= std::max(a, b); u += uStride) {
        const float x = std::bit_cast<float>(static_cast<uint32_t>(u));
        const int64_t d = ulpDistance(fast(x), reference(x));
        if (d > s.nWorst) {
            s.nWorst = d;
            s.fWorstAt = x;
        }
        s.nDiffering += d != 0;
        ++s.nCount;
    }
    return s;
}

void expectClose(const Sweep& s, const char* pWhat)
{
    EXPECT_LE(s.nWorst, 1) << pWhat << " at " << s.fWorstAt;
    EXPECT_LT(static_cast<double>(s.nDiffering), 1e-4 * static_cast<double>(s.nCount))
        << pWhat << ": " << s.nDiffering << " of " << s.nCount << " differ";
}

void expectWithin(const Sweep& s, int64_t nUlps, const char* pWhat)
{
    EXPECT_LE(s.nWorst, nUlps) << pWhat << " at " << s.fWorstAt;
}

}  // namespace

TEST(FastMath, Log10MatchesTheLibraryFromSubnormalsToHuge)
{
    const auto ref = [](float x) { return static_cast<float>(std::log10(static_cast<double>(x))); };
    expectClose(sweep(1.0e-45f, 3.0e38f, 1009, tape::log10Fast, ref), "log10");
    // Around 1, where the result is tiny and only the series carries it.
    expectClose(sweep(0.999f, 1.001f, 1, tape::log10Fast, ref), "log10 near 1");
    expectWithin(sweep(1.0e-45f, 3.0e38f, 1009, tape::log10Fast, [](float x) { return std::log10(x); }), 2, "log10f");
    EXPECT_EQ(tape::log10Fast(1.0f), 0.0f);
    EXPECT_EQ(tape::log10Fast(100.0f), 2.0f);
    EXPECT_TRUE(std::isnan(tape::log10Fast(-1.0f)));
    EXPECT_EQ(tape::log10Fast(0.0f), -INFINITY);
}

TEST(FastMath, Pow10AgreesWithThePowerTheCookingUses)
{
    // The compander asks for exponents from about -2 to +40; cooking's gains lie in [-5, 6.5].
    const auto ref = [](float p) { return static_cast<float>(std::pow(10.0, static_cast<double>(p))); };
    expectClose(sweep(-1.0e-30f, -37.0f, 257, tape::pow10Fast, ref), "pow10, negative");
    expectClose(sweep(1.0e-30f, 38.0f, 257, tape::pow10Fast, ref), "pow10, positive");
    EXPECT_EQ(tape::pow10Fast(0.0f), 1.0f);
    EXPECT_EQ(tape::pow10Fast(2.0f), 100.0f);
    EXPECT_EQ(tape::pow10Fast(-2.0f), tape::pow10Narrow(-2.0f));
    EXPECT_EQ(tape::pow10Fast(INFINITY), INFINITY);  // beyond the fast range: the library
}

TEST(FastMath, SineAndCosineMatchTheLibraryOverHalfATurn)
{
    const auto sinFast = [](float t) { float s, c; tape::sinCosFast(t, s, c); return s; };
    const auto cosFast = [](float t) { float s, c; tape::sinCosFast(t, s, c); return c; };
    const auto sinRef = [](float t) { return static_cast<float>(std::sin(static_cast<double>(t))); };
    const auto cosRef = [](float t) { return static_cast<float>(std::cos(static_cast<double>(t))); };
    expectClose(sweep(1.0e-6f, 3.14159265f, 101, sinFast, sinRef), "sin");
    expectClose(sweep(1.0e-6f, 3.14159265f, 101, cosFast, cosRef), "cos");
    // The float nearest a quarter turn: cos is a tiny negative there, still to the ulp.
    expectClose(sweep(1.5707960f, 1.5707967f, 1, cosFast, cosRef), "cos near pi/2");
    expectWithin(sweep(1.0e-6f, 3.14159265f, 101, sinFast, [](float t) { return std::sin(t); }), 1, "sinf");
    expectWithin(sweep(1.0e-6f, 3.14159265f, 101, cosFast, [](float t) { return std::cos(t); }), 1, "cosf");
    // Outside half a turn (low sample rates) the library answers.
    float s, c;
    tape::sinCosFast(10.0f, s, c);
    EXPECT_EQ(s, std::sin(10.0f));
    EXPECT_EQ(c, std::cos(10.0f));
}
