#include "TsraResources.h"

#include <array>
#include <atomic>
#include <cctype>
#include <cstring>

namespace {

// Fixed capacity: registration happens a handful of times at start-up; no allocation needed.
constexpr size_t kMaxTables = 16;

struct Table {
    const TsraResourceEntry* pEntries;
    size_t nCount;
};

std::array<Table, kMaxTables> s_Tables{};
std::atomic<size_t> s_nTables{0};

bool equalsNoCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

}  // namespace

void tsraRegisterResourceTable(const TsraResourceEntry* pEntries, size_t nCount)
{
    if (!pEntries)
        return;
    const size_t n = s_nTables.load(std::memory_order_acquire);
    for (size_t i = 0; i < n; ++i)
        if (s_Tables[i].pEntries == pEntries)
            return;
    if (n >= kMaxTables)
        return;
    s_Tables[n] = {pEntries, nCount};
    s_nTables.store(n + 1, std::memory_order_release);
}

const TsraResourceEntry* tsraFindResource(const char* pType, const char* pName)
{
    if (!pType || !pName)
        return nullptr;
    const size_t n = s_nTables.load(std::memory_order_acquire);
    for (size_t t = 0; t < n; ++t)
        for (size_t i = 0; i < s_Tables[t].nCount; ++i) {
            const TsraResourceEntry& e = s_Tables[t].pEntries[i];
            if (e.pType && e.pName && std::strcmp(e.pType, pType) == 0 && equalsNoCase(e.pName, pName))
                return &e;
        }
    return nullptr;
}
