#pragma once
// Lock-free ring of pointer slots handing objects from one thread to another.
//
// Ownership: the queue never owns what it holds; whoever pops an item owns it again.
// Threading: any number of producers (Push takes the queue's owner-recording mutex, so
// producers are serialised); exactly one consumer (Pop/Peek take no lock). A full queue
// refuses the push and the caller keeps the item.

#include "TsraMutex.h"

#include <atomic>
#include <cstdint>

class AAX_IContainer {
public:
    enum EStatus : int32_t {
        eStatus_Success = 0,
        eStatus_Overflow = 1,    // no free slot; the item was not taken
        eStatus_Unsupported = 3,
        eStatus_Invalid = 4,     // null item
    };
    virtual ~AAX_IContainer() = default;
    // Empties every slot (the items are not freed).
    virtual void Clear() = 0;
};

template <typename T>
class AAX_IPointerQueue : public AAX_IContainer {
public:
    virtual EStatus Push(T* pItem) = 0;
    // The oldest item, removed; null when empty.
    virtual T* Pop() = 0;
    // The oldest item, left in place; null when empty.
    virtual T* Peek() const = 0;
};

template <typename T, uint32_t N>
class AAX_CAtomicQueue final : public AAX_IPointerQueue<T> {
    static_assert(N >= 2, "a queue needs at least two slots");

public:
    using EStatus = typename AAX_IContainer::EStatus;

    AAX_CAtomicQueue() { Clear(); }
    ~AAX_CAtomicQueue() override = default;
    AAX_CAtomicQueue(const AAX_CAtomicQueue&) = delete;
    AAX_CAtomicQueue& operator=(const AAX_CAtomicQueue&) = delete;

    void Clear() override
    {
        for (std::atomic<T*>& slot : m_Slots)
            slot.store(nullptr);
    }

    EStatus Push(T* pItem) override
    {
        if (!pItem)
            return AAX_IContainer::eStatus_Invalid;
        CTsraMutexLock lock(m_Mutex);
        const uint32_t w = m_uWriteIndex.fetch_add(1) + 1;
        T* pExpected = nullptr;
        if (m_Slots[w % N].compare_exchange_strong(pExpected, pItem)) {
            // Keep the index inside the ring once it has passed the end.
            uint32_t wExpected = w;
            if (w % N < w)
                m_uWriteIndex.compare_exchange_strong(wExpected, w % N);
            return AAX_IContainer::eStatus_Success;
        }
        // Full: undo the reservation.
        uint32_t wExpected = w;
        m_uWriteIndex.compare_exchange_strong(wExpected, w == 0 ? N : w - 1);
        return AAX_IContainer::eStatus_Overflow;
    }

    T* Pop() override
    {
        const uint32_t r = (m_uReadIndex.load() + 1) % N;
        m_uReadIndex.store(r);
        T* pItem = m_Slots[r].exchange(nullptr);
        if (!pItem)
            m_uReadIndex.store(r - 1);  // nothing there: stay where we were (wraps like the ring)
        return pItem;
    }

    T* Peek() const override { return m_Slots[(m_uReadIndex.load() + 1) % N].load(); }

    static constexpr uint32_t Capacity() { return N; }

private:
    std::atomic<T*> m_Slots[N];
    std::atomic<uint32_t> m_uReadIndex{0};
    std::atomic<uint32_t> m_uWriteIndex{0};
    CTsraMutex m_Mutex;
};
