#pragma once
// Exponential (volt-per-octave) taper: real = min * (max / min)^n, using fast single-precision
// approximations of log2 and 2^x. For int32, max / min is an integer division. Real values
// are rounded to 1/Precision. A taper with min = 0 has no exponential range: every
// normalised value maps to min and every real value to 0.

#include "AAX_ITaperDelegate.h"
#include "AAX_TaperMath.h"

#include <cmath>
#include <cstring>

namespace AAX_FastMath {

inline float Log2(float y)
{
    uint32_t e;
    std::memcpy(&e, &y, 4);
    const uint32_t mBits = (e & 0x7FFFFF) | 0x3F000000;
    float m;
    std::memcpy(&m, &mBits, 4);
    return float(e) * 1.1920928955078125e-7f - 124.22552f - 1.4980303f * m - 1.72588f / (0.35208872f + m);
}

inline float Pow2(float p)
{
    const float pc = p < -126.0f ? -126.0f : p;
    const float z = pc - float(int32_t(pc)) + (p < 0.0f ? 1.0f : 0.0f);
    double bits = double(pc + 121.274055f + 27.728024f / (4.8425255f - z) - 1.4901291f * z) * 8388608.0;
    bits = bits < 0.0 ? 0.0 : (bits > 4294967295.0 ? 4294967295.0 : bits);
    const uint32_t i = uint32_t(bits);
    float result;
    std::memcpy(&result, &i, 4);
    return result;
}

}  // namespace AAX_FastMath

template <typename T, int32_t Precision = 1000>
class AAX_CVoltOctaveTaperDelegate : public AAX_ITaperDelegate<T> {
public:
    AAX_CVoltOctaveTaperDelegate(T minValue = 1, T maxValue = 2) : m_Min(minValue), m_Max(maxValue) {}

    AAX_CVoltOctaveTaperDelegate* Clone() const override { return new AAX_CVoltOctaveTaperDelegate(*this); }
    T GetMaximumValue() const override { return m_Max; }
    T GetMinimumValue() const override { return m_Min; }

    T ConstrainRealValue(T value) const override
    {
        const double rounded = std::floor(double(value) * Precision + 0.5) * (1.0 / Precision);
        T result = AAX_RealFromDouble<T>(rounded);
        if (result > m_Max)
            result = m_Max;
        if (result < m_Min)
            result = m_Min;
        return result;
    }

    T NormalizedToReal(double normalizedValue) const override
    {
        if (m_Min == 0 || m_Max == m_Min)
            return ConstrainRealValue(m_Min);
        const float g = AAX_FastMath::Pow2(AAX_FastMath::Log2(float(Ratio())) * float(normalizedValue));
        const double range = double(m_Max) - double(m_Min);
        const double fraction = (double(g) * double(m_Min) - double(m_Min)) / range;
        return ConstrainRealValue(AAX_RealFromDouble<T>(fraction * range + double(m_Min)));
    }

    double RealToNormalized(T realValue) const override
    {
        if (m_Min == 0 || m_Max == m_Min)
            return 0.0;
        const double n = AAX_FastMath::Log2(float(double(realValue) / double(m_Min))) / AAX_FastMath::Log2(float(Ratio()));
        // The fast logarithm is a few ulps off at the ends (log2(1) is not quite 0): keep the
        // result a normalised value.
        return n > 0.0 ? (n < 1.0 ? n : 1.0) : 0.0;
    }

private:
    T Ratio() const { return m_Max / m_Min; }  // integer division for int32

    T m_Min;
    T m_Max;
};
