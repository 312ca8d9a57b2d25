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
    const v4f lo = sqrtLanes(v4f{x[0], x[1], x[2], x[3]}), hi = sqrtLanes(v4f{x[4], x[5], x[6], x[7]});
    return VF{lo[0], lo[1], lo[2], lo[3], hi[0], hi[1], hi[2], hi[3]};
}

}  // namespace tape
