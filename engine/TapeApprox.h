#pragma once
// Polynomial forms of the chain's transcendental functions: the compander's 20 log10 and
// 10^x and the dropout filters' pole. Written over a lane type (four or eight floats) so a run
// takes a group of frames at once without a library call per sample; a single frame uses one
// lane of four and gets exactly what its frame gets in a run. Accuracy against the library
// functions: within 2 ulp (tested).

#include "TapeLaneOps.h"

namespace tape {

// 20 log10(x) per lane for x > 0, subnormals included; lanes with x <= 0 or NaN give fFloor.
template <class VF> TAPE_LANES_INLINE VF decibelsV(VF x, float fFloor)
{
    using VI = typename IntLanes<VF>::type;
    const VI bSub = x < 1.17549435e-38f;  // below FLT_MIN: scale by 2^25 to a normal first
    const VF xs = bSub ? x * 33554432.0f : x;
    const VI bits = reinterpret_cast<VI>(xs) & 0x7fffffff;  // lanes x <= 0 are not used; no overflow below
    const VI k = (bits - 0x3f3504f3) >> 23;  // exponent with the mantissa m in [sqrt(1/2), sqrt(2))
    const VF m = reinterpret_cast<VF>(bits - (k << 23));
    const VF kf = __builtin_convertvector(k - (bSub & 25), VF);
    // ln m = 2 atanh(s), s = (m - 1)/(m + 1), |s| <= 0.1716: five odd terms reach 2e-9.
    const VF s = (m - 1.0f) / (m + 1.0f);
    const VF z = s * s;
    const VF lnM = s * (2.0f + z * (0.6666667f + z * (0.4f + z * (0.2857143f + z * 0.2222222f))));
    const VF dB = kf * 6.0205998f + lnM * 8.6858892f;  // 20 log10(2), 20 / ln(10)
    return x > 0.0f ? dB : splatV<VF>(fFloor);
}

// 10^p per lane. Results beyond the float range are +inf (p above about 38.2) or 0 (p below
// about -37.6, where the library would give a subnormal); NaN stays NaN.
template <class VF> TAPE_LANES_INLINE VF pow10V(VF p)
{
    using VI = typename IntLanes<VF>::type;
    using VU = typename IntLanes<VF>::unsigned_type;
    const VF t = p * 3.3219280f;                      // log2(10)
    const VF n = (t + 12582912.0f) - 12582912.0f;    // nearest integer (1.5 * 2^23 trick, |t| < 2^22)
    // Cody-Waite: log10(2) in two parts; n * 0.301025390625 is exact for |n| < 2^13.
    const VF r = (p - n * 0.301025390625f) - n * 4.6050391e-06f;  // |r| <= 0.1506
    const VF y = r * 2.3025851f;                      // 10^r = e^y, |y| <= 0.347
    const VF e = 1.0f + y * (1.0f + y * (0.5f + y * (0.16666667f + y * (0.041666668f +
                 y * (0.0083333338f + y * (0.0013888889f + y * 0.00019841270f))))));
    // The exponent is added in unsigned lanes: lanes out of range are replaced below, and their
    // sums must not be signed overflows.
    const VU nInt = reinterpret_cast<VU>(__builtin_convertvector(n, VI));
    const VF scaled = reinterpret_cast<VF>(reinterpret_cast<VU>(e) + (nInt << 23));
    VF out = t > 127.5f ? splatV<VF>(__builtin_inff()) : scaled;  // e * 2^n stays normal for n in [-125, 127]
    out = t < -125.5f ? splatV<VF>(0.0f) : out;
    return p != p ? p : out;
}

// Pole of the dropout filters' one-pole low-pass: cos(theta) / (1 + sin(theta)), taken in the
// equal form tan(u) with u = pi/4 - theta/2. Valid for |u| <= pi/4 (theta in 0..pi).
template <class VF> TAPE_LANES_INLINE VF dropoutPoleV(VF u)
{
    const VF z = u * u;
    const VF s = u * (1.0f + z * (-0.16666667f + z * (0.0083333338f + z * (-0.00019841270f + z * 2.7557319e-06f))));
    const VF c = 1.0f + z * (-0.5f + z * (0.041666668f + z * (-0.0013888889f + z * (2.4801587e-05f + z * -2.7557319e-07f))));
    return s / c;
}

// Single values, through one lane of four.
inline float decibelsOf(float x, float fFloor) { return decibelsV(splatV4(x), fFloor)[0]; }
inline float powerOf10(float p) { return pow10V(splatV4(p))[0]; }
inline float dropoutPoleOf(float u) { return dropoutPoleV(splatV4(u))[0]; }

}  // namespace tape
