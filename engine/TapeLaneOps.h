#pragma once
// The lane types the chain's kernels are written over, and the few operations those kernels
// need that read differently on a float and on a vector. A kernel written with these compiles
// for a single float (the readable per-frame chain) and for four or eight lanes (the run
// path); every operation works lane by lane, so each lane computes what the float does.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tape {

using v4f = float __attribute__((vector_size(16)));
using v4i = int32_t __attribute__((vector_size(16)));
using v4u = uint32_t __attribute__((vector_size(16)));
using v8f = float __attribute__((vector_size(32)));  // two v4f where the target has no 8-lane registers
using v8i = int32_t __attribute__((vector_size(32)));
using v8u = uint32_t __attribute__((vector_size(32)));

// The widest group a run computes at once: eight lanes under GCC (one AVX register in the
// AVX2 build, two SSE ones otherwise); four under clang, which refuses eight-lane vectors
// across calls (even inlined ones) in a function built without AVX.
#if defined(__clang__)
using RunVector = v4f;
#else
using RunVector = v8f;
#endif

template <class VF> struct IntLanes;
template <> struct IntLanes<v4f> { using type = v4i; using unsigned_type = v4u; };
template <> struct IntLanes<v8f> { using type = v8i; using unsigned_type = v8u; };

// Every function taking or returning an eight-lane vector is always inlined: passed by value
// between an AVX2 function and a shared baseline copy, the two sides would disagree on where
// the vector travels (registers or memory).
#define TAPE_LANES_INLINE [[gnu::always_inline]] inline

template <class VF> TAPE_LANES_INLINE VF loadV(const float* p)
{
    VF v;
    std::memcpy(&v, p, sizeof v);  // unaligned
    return v;
}
template <class VF> TAPE_LANES_INLINE void storeV(float* p, VF v) { std::memcpy(p, &v, sizeof v); }
template <class VF> TAPE_LANES_INLINE VF splatV(float x) { return VF{} + x; }
template <> TAPE_LANES_INLINE float splatV<float>(float x) { return x; }

inline v4f loadV4(const float* p) { return loadV<v4f>(p); }
inline void storeV4(float* p, v4f v) { storeV(p, v); }
inline v4f splatV4(float x) { return splatV<v4f>(x); }

// |x| per lane (the sign bit cleared, as fabs does).
TAPE_LANES_INLINE float absLanes(float x) { return std::fabs(x); }
template <class VF> TAPE_LANES_INLINE VF absLanes(VF x)
{
    using VI = typename IntLanes<VF>::type;
    return reinterpret_cast<VF>(reinterpret_cast<VI>(x) & 0x7fffffff);
}

// Subnormal results become +0: a decaying recursion would otherwise crawl through subnormals
// at a fraction of the speed. Zeros of either sign become +0 as well.
template <class T> TAPE_LANES_INLINE T flushSubnormal(T y) { return absLanes(y) < FLT_MIN ? splatV<T>(0.0f) : y; }

// Square root per lane (correctly rounded, as std::sqrt): the processor's four-lane square
// root where there is one (SSE, in every x86-64 build), else lane by lane.
TAPE_LANES_INLINE float sqrtLanes(float x) { return std::sqrt(x); }
TAPE_LANES_INLINE v4f sqrtLanes(v4f x)
{
#if defined(__SSE__)
    return __builtin_ia32_sqrtps(x);
#else
    return v4f{std::sqrt(x[0]), std::sqrt(x[1]), std::sqrt(x[2]), std::sqrt(x[3])};
#endif
}
template <class VF>
    requires(sizeof(VF) == sizeof(v8f))
TAPE_LANES_INLINE VF sqrtLanes(VF x)
{
    const v4f lo = sqrtLanes(__builtin_shufflevector(x, x, 0, 1, 2, 3));
    const v4f hi = sqrtLanes(__builtin_shufflevector(x, x, 4, 5, 6, 7));
    return __builtin_shufflevector(lo, hi, 0, 1, 2, 3, 4, 5, 6, 7);
}

// The lanes in reverse order.
template <class VF>
    requires(sizeof(VF) == sizeof(v4f))
TAPE_LANES_INLINE VF reverseLanes(VF x)
{
    return __builtin_shufflevector(x, x, 3, 2, 1, 0);
}
template <class VF>
    requires(sizeof(VF) == sizeof(v8f))
TAPE_LANES_INLINE VF reverseLanes(VF x)
{
    return __builtin_shufflevector(x, x, 7, 6, 5, 4, 3, 2, 1, 0);
}

// rows[r][c] becomes rows[c][r]: a register per control turned into a register per frame.
template <class VF>
    requires(sizeof(VF) == sizeof(v4f))
TAPE_LANES_INLINE void transposeLanes(VF (&rows)[4])
{
    const VF t0 = __builtin_shufflevector(rows[0], rows[1], 0, 4, 1, 5);
    const VF t1 = __builtin_shufflevector(rows[0], rows[1], 2, 6, 3, 7);
    const VF t2 = __builtin_shufflevector(rows[2], rows[3], 0, 4, 1, 5);
    const VF t3 = __builtin_shufflevector(rows[2], rows[3], 2, 6, 3, 7);
    rows[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    rows[1] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    rows[2] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    rows[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}
template <class VF>
    requires(sizeof(VF) == sizeof(v8f))
TAPE_LANES_INLINE void transposeLanes(VF (&rows)[8])
{
    VF t[8], u[8];
    for (int i = 0; i < 8; i += 2) {  // pairs of rows interleaved within each half
        t[i] = __builtin_shufflevector(rows[i], rows[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
        t[i + 1] = __builtin_shufflevector(rows[i], rows[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
    }
    for (int i = 0; i < 8; i += 4) {  // then pairs of pairs: four rows' column in each half
        u[i] = __builtin_shufflevector(t[i], t[i + 2], 0, 1, 8, 9, 4, 5, 12, 13);
        u[i + 1] = __builtin_shufflevector(t[i], t[i + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        u[i + 2] = __builtin_shufflevector(t[i + 1], t[i + 3], 0, 1, 8, 9, 4, 5, 12, 13);
        u[i + 3] = __builtin_shufflevector(t[i + 1], t[i + 3], 2, 3, 10, 11, 6, 7, 14, 15);
    }
    for (int c = 0; c < 4; ++c) {  // then the halves: rows 0-3 and 4-7 of columns c and c + 4
        rows[c] = __builtin_shufflevector(u[c], u[c + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        rows[c + 4] = __builtin_shufflevector(u[c], u[c + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

}  // namespace tape
