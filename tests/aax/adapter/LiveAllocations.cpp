#include "LiveAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<int64_t> s_nLive{0};
}

int64_t LiveAllocations()
{
    return s_nLive.load();
}

void* operator new(std::size_t nBytes)
{
    void* p = std::malloc(nBytes ? nBytes : 1);
    if (!p)
        throw std::bad_alloc();
    ++s_nLive;
    return p;
}

void* operator new[](std::size_t nBytes)
{
    return operator new(nBytes);
}

void* operator new(std::size_t nBytes, const std::nothrow_t&) noexcept
{
    void* p = std::malloc(nBytes ? nBytes : 1);
    if (p)
        ++s_nLive;
    return p;
}

void* operator new[](std::size_t nBytes, const std::nothrow_t& tag) noexcept
{
    return operator new(nBytes, tag);
}

void operator delete(void* p) noexcept
{
    if (p) {
        --s_nLive;
        std::free(p);
    }
}

void operator delete[](void* p) noexcept
{
    operator delete(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    operator delete(p);
}
