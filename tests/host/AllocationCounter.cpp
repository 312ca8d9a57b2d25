#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local bool t_bCounting = false;
thread_local int t_nAllocations = 0;
}  // namespace

void StartCountingAllocations()
{
    t_nAllocations = 0;
    t_bCounting = true;
}

int StopCountingAllocations()
{
    t_bCounting = false;
    return t_nAllocations;
}

void* operator new(std::size_t n)
{
    if (t_bCounting)
        ++t_nAllocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
