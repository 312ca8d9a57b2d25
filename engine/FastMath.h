#pragma once
// Inline elementary functions for the per-frame chain, where the library calls cost more
// than the rest of a compander or dropout-filter step. Each works in double and narrows once,
// so its float result is the correctly rounded value but for inputs within about 1e-13 of a
// rounding boundary: within one ulp of the library's single-precision functions everywhere
// on the stated domain, and equal to them almost always. Outside its domain each falls back
// to the library.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace tape {

// c[I] + x (c[I+1] + x (c[I+2] + ...)), expanded at compile time (-O2 would keep a loop).
template <size_t I = 0, size_t N>
inline double horner(double x, const double (&c)[N])
{
    if constexpr (I + 1 == N)
        return c[I];
    else
        return c[I] + x * horner<I + 1>(x, c);
}

// log10(x) for finite x > 0 (subnormal floats included: they are normal as doubles).
inline float log10Fast(float x)
{
    if (!(x > 0.0f) || !(x < INFINITY))
        return std::log10(x);
    // x = m * 2^e with m in [sqrt(1/2), sqrt(2)): the series below converges fastest there.
    const auto bits = std::bit_cast<uint64_t>(static_cast<double>(x));
    int64_t e = static_cast<int64_t>(bits >> 52) - 1023;
    double m = std::bit_cast<double>((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
    if (m > 1.4142135623730951) {
        m *= 0.5;
        ++e;
    }
    // ln m = 2 atanh(t), t = (m - 1) / (m + 1), |t| < 0.1716: through t^17 the remainder is
    // below 1e-15.
    const double t = (m - 1.0) / (m + 1.0);
    const double t2 = t * t;
    constexpr double kOddReciprocals[] = {1.0, 1.0 / 3, 1.0 / 5, 1.0 / 7, 1.0 / 9, 1.0 / 11, 1.0 / 13, 1.0 / 15, 1.0 / 17};
    const double p = horner(t2, kOddReciprocals);
    const double dLn = static_cast<double>(e) * 0.6931471805599453 + 2.0 * t * p;
    return static_cast<float>(dLn * 0.4342944819032518);  // 1 / ln 10
}

// e^y in double for |y| <= 700; relative error about 2e-16 (the caller narrows to float).
inline double expFast(double y)
{
    if (!(std::fabs(y) <= 700.0))
        return std::exp(y);
    // y = k ln2 + r, |r| <= ln2 / 2. ln2 is split so k * kLn2Hi is exact for |k| < 2^11.
    constexpr double kLn2Hi = 6.93147180369123816490e-01;
    constexpr double kLn2Lo = 1.90821492927058770002e-10;
    // Round to nearest by adding and removing 1.5 * 2^52 (no SSE4.1 rounding instruction on
    // the baseline target, and nearbyint is a library call there).
    constexpr double kRound = 6755399441055744.0;
    const double k = (y * 1.4426950408889634 + kRound) - kRound;
    const double r = (y - k * kLn2Hi) - k * kLn2Lo;
    // Taylor through r^13: the remainder is below 4e-18 for |r| <= 0.347.
    constexpr double kInverseFactorials[] = {1.0, 1.0, 1.0 / 2, 1.0 / 6, 1.0 / 24, 1.0 / 120, 1.0 / 720,
        1.0 / 5040, 1.0 / 40320, 1.0 / 362880, 1.0 / 3628800, 1.0 / 39916800, 1.0 / 479001600, 1.0 / 6227020800};
    const double q = horner(r, kInverseFactorials);
    const auto nScale = static_cast<uint64_t>(static_cast<int64_t>(k) + 1023) << 52;
    return q * std::bit_cast<double>(nScale);
}

// 10^p narrowed to float, the per-frame counterpart of pow10Narrow.
inline float pow10Fast(float p) { return static_cast<float>(expFast(static_cast<double>(p) * 2.302585092994045684)); }

// sin and cos of a float angle, each narrowed to float. Fast for 0 <= theta <= pi (the
// dropout filters' range at every rate from about 40 kHz up); the library elsewhere.
inline void sinCosFast(float fTheta, float& fSin, float& fCos)
{
    if (!(fTheta >= 0.0f && fTheta <= 3.14159265f)) {
        fSin = std::sin(fTheta);
        fCos = std::cos(fTheta);
        return;
    }
    // About the quarter turn: |u| <= pi/2, sin theta = cos u, cos theta = -sin u. Taylor
    // through u^19 / u^20: remainders below 1e-15.
    const double u = (static_cast<double>(fTheta) - 1.5707963267948966) - 6.123233995736766e-17;  // pi/2 in two parts
    const double u2 = u * u;
    constexpr double kSin[] = {1.0, -1.0 / 6, 1.0 / 120, -1.0 / 5040, 1.0 / 362880, -1.0 / 39916800,
        1.0 / 6227020800, -1.0 / 1307674368000, 1.0 / 355687428096000, -1.0 / 121645100408832000};
    constexpr double kCos[] = {1.0, -1.0 / 2, 1.0 / 24, -1.0 / 720, 1.0 / 40320, -1.0 / 3628800, 1.0 / 479001600,
        -1.0 / 87178291200, 1.0 / 20922789888000, -1.0 / 6402373705728000, 1.0 / 2432902008176640000};
    const double s = u * horner(u2, kSin);
    const double c = horner(u2, kCos);
    fSin = static_cast<float>(c);
    fCos = static_cast<float>(-s);
}

}  // namespace tape
