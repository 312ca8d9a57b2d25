#pragma once
// Polynomial forms of the chain's transcendental functions: the compander's 20 log10 and
// 10^x and the dropout filters' pole. Written over a lane type (four or eight floats) so a run
// takes a group of frames at once without a library call per sample; a single frame uses one
// lane of four and gets exactly what its frame gets in a run. Accuracy against the library
// functions: within 2 ulp (tested).

#include "TapeLaneOps.h"

#include <initializer_list>

namespace tape {

// The two functions below take K vectors (streams) at once, each step done for every stream
// before the next: the streams' long chains then advance side by side in the processor.
#define TAPE_EACH_STREAM for (size_t k = 0; k < K; ++k)

// 20 log10(x) per lane for x > 0, subnormals included; lanes with x <= 0 or NaN give fFloor.
template <class VF, size_t K> TAPE_LANES_INLINE void decibelsN(VF (&x)[K], float fFloor)
{
    using VI = typename IntLanes<VF>::type;
    VI bSub[K], bits[K], k2[K];
    VF m[K], kf[K], s[K], z[K], lnM[K];
    TAPE_EACH_STREAM bSub[k] = x[k] < 1.17549435e-38f;  // below FLT_MIN: scale by 2^25 to a normal first
    // Lanes x <= 0 are not used; no overflow below.
    TAPE_EACH_STREAM bits[k] = reinterpret_cast<VI>(bSub[k] ? x[k] * 33554432.0f : x[k]) & 0x7fffffff;
    TAPE_EACH_STREAM k2[k] = (bits[k] - 0x3f3504f3) >> 23;  // exponent with the mantissa m in [sqrt(1/2), sqrt(2))
    TAPE_EACH_STREAM m[k] = reinterpret_cast<VF>(bits[k] - (k2[k] << 23));
    TAPE_EACH_STREAM kf[k] = __builtin_convertvector(k2[k] - (bSub[k] & 25), VF);
    // ln m = 2 atanh(s), s = (m - 1)/(m + 1), |s| <= 0.1716: five odd terms reach 2e-9.
    TAPE_EACH_STREAM s[k] = (m[k] - 1.0f) / (m[k] + 1.0f);
    TAPE_EACH_STREAM z[k] = s[k] * s[k];
    TAPE_EACH_STREAM lnM[k] = 0.4f + z[k] * (0.2857143f + z[k] * 0.2222222f);
    TAPE_EACH_STREAM lnM[k] = 0.6666667f + z[k] * lnM[k];
    TAPE_EACH_STREAM lnM[k] = s[k] * (2.0f + z[k] * lnM[k]);
    // 20 log10(2), 20 / ln(10)
    TAPE_EACH_STREAM x[k] = x[k] > 0.0f ? kf[k] * 6.0205998f + lnM[k] * 8.6858892f : splatV<VF>(fFloor);
}
template <class VF> TAPE_LANES_INLINE VF decibelsV(VF x, float fFloor)
{
    VF a[1] = {x};
    decibelsN(a, fFloor);
    return a[0];
}

// 10^p per lane. Results beyond the float range are +inf (p above about 38.2) or 0 (p below
// about -37.6, where the library would give a subnormal); NaN stays NaN.
template <class VF, size_t K> TAPE_LANES_INLINE void pow10N(VF (&p)[K])
{
    using VI = typename IntLanes<VF>::type;
    using VU = typename IntLanes<VF>::unsigned_type;
    VF t[K], n[K], y[K], e[K];
    TAPE_EACH_STREAM t[k] = p[k] * 3.3219280f;                       // log2(10)
    TAPE_EACH_STREAM n[k] = (t[k] + 12582912.0f) - 12582912.0f;     // nearest integer (1.5 * 2^23 trick, |t| < 2^22)
    // Cody-Waite: log10(2) in two parts; n * 0.301025390625 is exact for |n| < 2^13. |r| <= 0.1506,
    // and 10^r = e^y, |y| <= 0.347.
    TAPE_EACH_STREAM y[k] = ((p[k] - n[k] * 0.301025390625f) - n[k] * 4.6050391e-06f) * 2.3025851f;
    TAPE_EACH_STREAM e[k] = 0.0013888889f + y[k] * 0.00019841270f;
    for (float c : {0.0083333338f, 0.041666668f, 0.16666667f, 0.5f, 1.0f, 1.0f})
        TAPE_EACH_STREAM e[k] = c + y[k] * e[k];
    TAPE_EACH_STREAM {
        // The exponent is added in unsigned lanes: lanes out of range are replaced below, and
        // their sums must not be signed overflows.
        const VU nInt = reinterpret_cast<VU>(__builtin_convertvector(n[k], VI));
        const VF scaled = reinterpret_cast<VF>(reinterpret_cast<VU>(e[k]) + (nInt << 23));
        VF out = t[k] > 127.5f ? splatV<VF>(__builtin_inff()) : scaled;  // e * 2^n stays normal for n in [-125, 127]
        out = t[k] < -125.5f ? splatV<VF>(0.0f) : out;
        p[k] = p[k] != p[k] ? p[k] : out;
    }
}
template <class VF> TAPE_LANES_INLINE VF pow10V(VF p)
{
    VF a[1] = {p};
    pow10N(a);
    return a[0];
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
