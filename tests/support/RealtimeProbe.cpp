#include "RealtimeProbe.h"

#include <dlfcn.h>
#include <link.h>
#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

// Replacing malloc would fight a sanitizer's own allocator; those builds count operator new.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define BW_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define BW_UNDER_SANITIZER 1
#endif
#endif
#if defined(BW_UNDER_SANITIZER)
#define BW_PROBE_MALLOC 0
#else
#define BW_PROBE_MALLOC 1
#endif
// ThreadSanitizer intercepts pthread_mutex_lock itself: there the probe counts no locks.
#if defined(__SANITIZE_THREAD__)
#define BW_PROBE_LOCKS 0
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define BW_PROBE_LOCKS 0
#endif
#endif
#ifndef BW_PROBE_LOCKS
#define BW_PROBE_LOCKS 1
#endif

#if BW_PROBE_MALLOC
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
}
#endif

namespace {

thread_local bool t_bArmed = false;
thread_local SProbeCounts t_Counts;
uintptr_t s_nModuleBegin = 0, s_nModuleEnd = 0;
uintptr_t s_nProgramBegin = 0, s_nProgramEnd = 0;
std::atomic<int64_t> s_nLive{0};

#if BW_PROBE_LOCKS
using LockFn = int (*)(pthread_mutex_t*);
std::atomic<LockFn> s_pNextLock{nullptr};
#endif

void* RawAllocate(size_t n)
{
#if BW_PROBE_MALLOC
    return __libc_malloc(n ? n : 1);
#else
    return std::malloc(n ? n : 1);
#endif
}

void RawFree(void* p)
{
#if BW_PROBE_MALLOC
    __libc_free(p);
#else
    std::free(p);
#endif
}

void CountAllocation()
{
    if (t_bArmed)
        ++t_Counts.m_nAllocations;
}

void CountFree(void* p)
{
    if (p && t_bArmed)
        ++t_Counts.m_nFrees;
}

void* NewBlock(size_t n)
{
    CountAllocation();
    void* p = RawAllocate(n);
    if (p)
        s_nLive.fetch_add(1, std::memory_order_relaxed);
    return p;
}

void DeleteBlock(void* p)
{
    if (!p)
        return;
    s_nLive.fetch_sub(1, std::memory_order_relaxed);
    CountFree(p);
    RawFree(p);
}

struct SSearch {
    const char* m_pSuffix;
    uintptr_t m_nBegin, m_nEnd;
    bool m_bFound;
};

int VisitObject(dl_phdr_info* pInfo, size_t, void* pData)
{
    auto& search = *static_cast<SSearch*>(pData);
    const char* pName = pInfo->dlpi_name ? pInfo->dlpi_name : "";
    const size_t nName = std::strlen(pName), nSuffix = std::strlen(search.m_pSuffix);
    const bool bProgram = nSuffix == 0 && nName == 0;
    if (!bProgram && (nSuffix == 0 || nName < nSuffix || std::strcmp(pName + nName - nSuffix, search.m_pSuffix) != 0))
        return 0;
    uintptr_t nBegin = UINTPTR_MAX, nEnd = 0;
    for (int i = 0; i < pInfo->dlpi_phnum; ++i) {
        const ElfW(Phdr)& h = pInfo->dlpi_phdr[i];
        if (h.p_type != PT_LOAD)
            continue;
        nBegin = std::min<uintptr_t>(nBegin, pInfo->dlpi_addr + h.p_vaddr);
        nEnd = std::max<uintptr_t>(nEnd, pInfo->dlpi_addr + h.p_vaddr + h.p_memsz);
    }
    search = {search.m_pSuffix, nBegin, nEnd, true};
    return 1;
}

}  // namespace

bool FindLoadedLibrary(const char* pSuffix, uintptr_t& outBegin, uintptr_t& outEnd)
{
    SSearch search{pSuffix, 0, 0, false};
    dl_iterate_phdr(VisitObject, &search);
    outBegin = search.m_nBegin;
    outEnd = search.m_nEnd;
    return search.m_bFound;
}

void ArmProbe(uintptr_t nModuleBegin, uintptr_t nModuleEnd)
{
    if (s_nProgramEnd == 0)
        FindLoadedLibrary("", s_nProgramBegin, s_nProgramEnd);
    s_nModuleBegin = nModuleBegin;
    s_nModuleEnd = nModuleEnd;
    t_Counts = SProbeCounts{};
    t_bArmed = true;
}

SProbeCounts DisarmProbe()
{
    t_bArmed = false;
    return t_Counts;
}

bool ProbeCountsMalloc()
{
    return BW_PROBE_MALLOC != 0;
}

int64_t LiveAllocations()
{
    return s_nLive.load();
}

#if BW_PROBE_LOCKS
extern "C" int pthread_mutex_lock(pthread_mutex_t* pMutex)
{
    LockFn pNext = s_pNextLock.load(std::memory_order_acquire);
    if (!pNext) {
        pNext = reinterpret_cast<LockFn>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
        s_pNextLock.store(pNext, std::memory_order_release);
    }
    if (t_bArmed) {
        const auto nCaller = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
        if (nCaller >= s_nModuleBegin && nCaller < s_nModuleEnd)
            ++t_Counts.m_nModuleLocks;
        else if (nCaller >= s_nProgramBegin && nCaller < s_nProgramEnd)
            ++t_Counts.m_nHostLocks;
        else
            ++t_Counts.m_nOtherLocks;
    }
    return pNext(pMutex);
}
#endif

#if BW_PROBE_MALLOC
extern "C" void* malloc(size_t n)
{
    CountAllocation();
    return __libc_malloc(n);
}

extern "C" void* calloc(size_t n, size_t size)
{
    CountAllocation();
    return __libc_calloc(n, size);
}

extern "C" void* realloc(void* p, size_t n)
{
    CountAllocation();
    return __libc_realloc(p, n);
}

extern "C" void free(void* p)
{
    CountFree(p);
    __libc_free(p);
}
#endif

void* operator new(size_t n)
{
    if (void* p = NewBlock(n))
        return p;
    throw std::bad_alloc();
}

void* operator new[](size_t n)
{
    return operator new(n);
}

void* operator new(size_t n, const std::nothrow_t&) noexcept
{
    return NewBlock(n);
}

void* operator new[](size_t n, const std::nothrow_t&) noexcept
{
    return NewBlock(n);
}

void operator delete(void* p) noexcept
{
    DeleteBlock(p);
}

void operator delete[](void* p) noexcept
{
    DeleteBlock(p);
}

void operator delete(void* p, size_t) noexcept
{
    DeleteBlock(p);
}

void operator delete[](void* p, size_t) noexcept
{
    DeleteBlock(p);
}
