#pragma once
// Tape saturation: the drive pushes the signal into a cubic curve held to -1..1 at its input,
// then the drive is taken back out. Over a lane type (one channel, or both side by side).

#include "TapeLaneOps.h"

namespace tape {

struct SSaturationCurve {
    float fA3, fA2, fA1, fA0;
};

// fDrive: one drive for every lane (float), or a drive per lane (T).
template <class T, class D> TAPE_LANES_INLINE T saturate(T y, D fDrive, const SSaturationCurve& k)
{
    T s = fDrive * y;
    const T sLow = s < -1.0f ? splatV<T>(-1.0f) : s;
    s = s > 1.0f ? splatV<T>(1.0f) : sLow;
    return (k.fA3 * (s * s * s) + k.fA2 * (s * s) + k.fA1 * s + k.fA0) / fDrive;
}

}  // namespace tape
