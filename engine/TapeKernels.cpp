#include "TapeKernels.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace tape {

bool kernelsAvailable(ETapeKernels k)
{
    if (k != ETapeKernels::kAvx2)
        return true;
#if defined(__x86_64__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

ETapeKernels bestKernels()
{
    return kernelsAvailable(ETapeKernels::kAvx2) ? ETapeKernels::kAvx2 : ETapeKernels::kBaseline;
}

ETapeKernels availableKernels(ETapeKernels k) { return kernelsAvailable(k) ? k : bestKernels(); }

ETapeKernels kernelsNamed(const char* pName)
{
    for (ETapeKernels k : {ETapeKernels::kScalar, ETapeKernels::kBaseline, ETapeKernels::kAvx2})
        if (pName && std::strcmp(pName, kernelsName(k)) == 0)
            return availableKernels(k);
    return bestKernels();
}

ETapeKernels kernelsFromEnvironment() { return kernelsNamed(std::getenv("BW_ENGINE_KERNELS")); }

const char* kernelsName(ETapeKernels k)
{
    switch (k) {
    case ETapeKernels::kScalar: return "scalar";
    case ETapeKernels::kBaseline: return "baseline";
    case ETapeKernels::kAvx2: return "avx2";
    }
    return "?";
}

}  // namespace tape
