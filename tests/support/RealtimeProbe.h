#pragma once
// What a thread does to the heap and to locks, for tests that hold code to the real-time rules.
// The program that links this replaces operator new/delete (always), malloc, calloc, realloc
// and free (not under a sanitizer, which owns the allocator) and pthread_mutex_lock (not under
// ThreadSanitizer, which intercepts it); it exports them (see the tests' CMake) so a loaded
// module's calls reach them too.
//
// Threading: ArmProbe/DisarmProbe count on the calling thread only; LiveAllocations counts
// the whole process.

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
// Starts counting on the calling thread; locks are sorted by the module's range (none: 0, 0).
void ArmProbe(uintptr_t nModuleBegin = 0, uintptr_t nModuleEnd = 0);
SProbeCounts DisarmProbe();
// True when malloc, calloc and realloc are counted (not only operator new).
bool ProbeCountsMalloc();
// Blocks from operator new not yet deleted, in the whole process: a scope that frees what it
// allocated leaves this where it found it.
int64_t LiveAllocations();
