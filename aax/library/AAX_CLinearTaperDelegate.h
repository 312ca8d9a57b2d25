#pragma once
// Linear taper between min and max. RealPrecision 1 rounds real values to whole numbers
// (floor(x + 0.5)); 0 leaves them (int32 results are truncated).

#include "AAX_ITaperDelegate.h"
#include "AAX_TaperMath.h"

#include <algorithm>
#include <cmath>

template <typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T> {
public:
    AAX_CLinearTaperDelegate(T minValue = 0, T maxValue = 1) : m_Min(minValue), m_Max(maxValue) {}

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate(*this); }
    T GetMaximumValue() const override { return m_Max; }
    T GetMinimumValue() const override { return m_Min; }

    T ConstrainRealValue(T value) const override
    {
        if (m_Min == m_Max)
            return m_Min;
        if constexpr (RealPrecision == 1)
            value = AAX_RealFromDouble<T>(std::floor(double(value) + 0.5));
        return std::clamp(value, std::min(m_Min, m_Max), std::max(m_Min, m_Max));
    }

    T NormalizedToReal(double normalizedValue) const override
    {
        double x = (double(m_Max) - double(m_Min)) * normalizedValue + double(m_Min);
        if constexpr (RealPrecision == 1)
            x = std::floor(x + 0.5);
        return ConstrainRealValue(AAX_RealFromDouble<T>(x));
    }

    double RealToNormalized(T realValue) const override
    {
        if (m_Min == m_Max)
            return 0.5;
        return (double(realValue) - double(m_Min)) / (double(m_Max) - double(m_Min));
    }

private:
    T m_Min;
    T m_Max;
};
