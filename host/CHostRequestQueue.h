#pragma once
// Bounded multi-producer queue of set-value requests (parameter identifier and normalised
// value). Posting never blocks and never allocates: a full queue or an identifier longer
// than the fixed room refuses the request. Any thread may post; one consumer at a time pops.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

struct SHostSetValueRequest {
    static constexpr size_t kMaxIDBytes = 64;  // identifier and NUL
    char m_ID[kMaxIDBytes];
    double m_fValue;
};

template <size_t Capacity>
class THostRequestQueue {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "capacity is a power of two");

public:
    THostRequestQueue()
    {
        for (size_t i = 0; i < Capacity; ++i)
            m_Cells[i].m_nSequence.store(i, std::memory_order_relaxed);
    }

    bool Push(const char* pID, double value)
    {
        const size_t nLength = pID ? std::strlen(pID) : 0;
        if (!pID || nLength >= SHostSetValueRequest::kMaxIDBytes)
            return false;
        size_t nPos = m_nEnqueue.load(std::memory_order_relaxed);
        for (;;) {
            Cell& cell = m_Cells[nPos & (Capacity - 1)];
            const size_t nSeq = cell.m_nSequence.load(std::memory_order_acquire);
            const intptr_t nDiff = intptr_t(nSeq) - intptr_t(nPos);
            if (nDiff == 0) {
                if (m_nEnqueue.compare_exchange_weak(nPos, nPos + 1, std::memory_order_relaxed)) {
                    std::memcpy(cell.m_Request.m_ID, pID, nLength + 1);
                    cell.m_Request.m_fValue = value;
                    cell.m_nSequence.store(nPos + 1, std::memory_order_release);
                    return true;
                }
            } else if (nDiff < 0) {
                return false;  // full
            } else {
                nPos = m_nEnqueue.load(std::memory_order_relaxed);
            }
        }
    }

    bool Pop(SHostSetValueRequest& out)
    {
        size_t nPos = m_nDequeue.load(std::memory_order_relaxed);
        for (;;) {
            Cell& cell = m_Cells[nPos & (Capacity - 1)];
            const size_t nSeq = cell.m_nSequence.load(std::memory_order_acquire);
            const intptr_t nDiff = intptr_t(nSeq) - intptr_t(nPos + 1);
            if (nDiff == 0) {
                if (m_nDequeue.compare_exchange_weak(nPos, nPos + 1, std::memory_order_relaxed)) {
                    out = cell.m_Request;
                    cell.m_nSequence.store(nPos + Capacity, std::memory_order_release);
                    return true;
                }
            } else if (nDiff < 0) {
                return false;  // empty
            } else {
                nPos = m_nDequeue.load(std::memory_order_relaxed);
            }
        }
    }

private:
    struct Cell {
        std::atomic<size_t> m_nSequence;
        SHostSetValueRequest m_Request;
    };
    std::array<Cell, Capacity> m_Cells;
    alignas(64) std::atomic<size_t> m_nEnqueue{0};
    alignas(64) std::atomic<size_t> m_nDequeue{0};
};
