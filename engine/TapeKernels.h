#pragma once
// Which build of the tape chain renders: the readable per-frame chain (scalar), or the run
// path compiled for baseline x86-64 or for AVX2. Every choice computes the same samples (the
// engine never fuses a multiply and an add; tested against the per-frame chain). The choice
// is made once, at preparation: BW_ENGINE_KERNELS=scalar|baseline|avx2 picks one; unset or
// unknown, or avx2 on a processor without it, gives the best the processor runs.

#include <cstdint>

enum class ETapeKernels : uint8_t { kScalar, kBaseline, kAvx2 };

namespace tape {

// True when this build and processor can run k.
bool kernelsAvailable(ETapeKernels k);
// The fastest available.
ETapeKernels bestKernels();
// k when available, else the best available.
ETapeKernels availableKernels(ETapeKernels k);
// From the text of BW_ENGINE_KERNELS (null: unset), with the fallbacks above.
ETapeKernels kernelsNamed(const char* pName);
// What the environment asks for. Reads the environment: call at preparation only.
ETapeKernels kernelsFromEnvironment();
const char* kernelsName(ETapeKernels k);

}  // namespace tape
