#pragma once
// Logarithmic taper over 48 dB of normalised range: f = log10(n) / 2.4 + 1, so every n at or
// below 10^-2.4 maps to min and n = 1 to max. Real values are rounded to 1/Precision.

#include "AAX_ITaperDelegate.h"
#include "AAX_TaperMath.h"

#include <cmath>

template <typename T, int32_t Precision = 1000>
class AAX_CTsraLogTaperDelegate : public AAX_ITaperDelegate<T> {
public:
    AAX_CTsraLogTaperDelegate(T minValue = 0, T maxValue = 1) : m_Min(minValue), m_Max(maxValue) {}

    AAX_CTsraLogTaperDelegate* Clone() const override { return new AAX_CTsraLogTaperDelegate(*this); }
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
        const float n = float(normalizedValue);
        float f = 0.0f;
        if (n > 0.0f)
            f = float(double(std::log10(n)) * 0.4166666666666667 + 1.0);
        const double x = (double(m_Max) - double(m_Min)) * double(f) + double(m_Min);
        return ConstrainRealValue(AAX_RealFromDouble<T>(x));
    }

    double RealToNormalized(T realValue) const override
    {
        // A taper without range has only one value; it sits at the top.
        if (m_Max == m_Min)
            return 1.0;
        const double position = (double(realValue) - double(m_Min)) / (double(m_Max) - double(m_Min));
        return float(std::pow(10.0, 2.4 * (position - 1.0)));
    }

private:
    T m_Min;
    T m_Max;
};
