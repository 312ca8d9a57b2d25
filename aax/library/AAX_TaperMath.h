#pragma once
// Numeric helpers of the tapers.

#include <cmath>
#include <cstdint>
#include <type_traits>

// Truncation toward zero that stays defined outside the int32 range (clamped; NaN gives 0).
inline int32_t AAX_TruncateToInt32(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 2147483647.0)
        return INT32_MAX;
    if (x <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(x);
}

// A double result as the taper's value type: truncated for int32, rounded for float.
template <typename T>
T AAX_RealFromDouble(double x)
{
    if constexpr (std::is_same_v<T, int32_t>)
        return AAX_TruncateToInt32(x);
    else
        return static_cast<T>(x);
}
