#pragma once
// Watches what the calling thread does while armed: heap allocations (every operator new;
// malloc, calloc and realloc too where the build lets this program replace them, i.e. not
// under a sanitizer), frees, and pthread_mutex_lock calls sorted by the code that made them.
// The test program replaces these functions and exports them, so the module's calls reach
// them as well.

#include <cstdint>

struct SProbeCounts {
    int64_t m_nAllocations = 0;
    int64_t m_nFrees = 0;
    int64_t m_nModuleLocks = 0;   // called from the module's own code
    int64_t m_nHostLocks = 0;     // called from this program (the host library)
    int64_t m_nOtherLocks = 0;    // called from any other library (libstdc++, libc, ...)
};

// The address range of the loaded library whose path ends in pSuffix; false when none is.
bool FindLoadedLibrary(const char* pSuffix, uintptr_t& outBegin, uintptr_t& outEnd);
// Starts counting on the calling thread; locks are sorted by the module's range.
void ArmProbe(uintptr_t nModuleBegin, uintptr_t nModuleEnd);
SProbeCounts DisarmProbe();
// True when malloc, calloc and realloc are counted (not only operator new).
bool ProbeCountsMalloc();
