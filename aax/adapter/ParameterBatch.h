#pragma once
// A numbered set of parameter changes travelling from the parameter thread to the render.
// An entry names one parameter by a copy of its identifier; the value itself is read from
// the parameter when the render applies the entry.
//
// Ownership: entries are heap objects owned by their batch until the render unlinks them;
// the entries are chained through their own link, so emptying a batch frees nothing (the
// render never frees). A batch deletes the entries it still holds.
// Threading: a batch belongs to one thread at a time; the queues hand it over.

#include <cstdint>

struct ParameterBatchEntry {
    static constexpr uint32_t kMaxIDBytes = 32;  // identifier and its NUL

    // The identifier is cut to kMaxIDBytes - 1 characters.
    explicit ParameterBatchEntry(const char* pID);

    char m_ID[kMaxIDBytes];
    ParameterBatchEntry* m_pNext = nullptr;
};

class ParameterBatch {
public:
    explicit ParameterBatch(int64_t nNumber) : m_nNumber(nNumber) {}
    ~ParameterBatch();
    ParameterBatch(const ParameterBatch&) = delete;
    ParameterBatch& operator=(const ParameterBatch&) = delete;

    int64_t Number() const { return m_nNumber; }
    uint32_t Count() const { return m_uCount; }
    bool Empty() const { return m_uCount == 0; }

    // Takes ownership of the entry and appends it.
    void Append(ParameterBatchEntry* pEntry);
    // Unlinks and returns the first entry (the caller owns it); null when empty.
    ParameterBatchEntry* TakeFirst();
    const ParameterBatchEntry* First() const { return m_pFirst; }

private:
    int64_t m_nNumber;
    ParameterBatchEntry* m_pFirst = nullptr;
    ParameterBatchEntry* m_pLast = nullptr;
    uint32_t m_uCount = 0;
};
