#pragma once
// Owning singly linked list of ControlRecords. append() stores a heap copy.
// Threading: built at construction, read later without locks; never changed while processing.

#include "ControlRecord.h"

#include <cstdint>

class ControlList {
public:
    ControlList() = default;
    ~ControlList() { destroyAll(); }
    ControlList(const ControlList&) = delete;
    ControlList& operator=(const ControlList&) = delete;

    // Appends a copy of the record; returns the copy (owned by the list).
    ControlRecord* append(const ControlRecord& record);
    uint32_t count() const { return m_uCount; }
    // The record at a position, or null past the end.
    ControlRecord* get(uint32_t uIndex) const;
    // Removes (and frees) the first record with that control id; false when there is none.
    bool removeById(uint32_t uControlId);
    // Frees every record, last to first.
    void destroyAll();

private:
    ControlRecord* m_pHead = nullptr;
    ControlRecord* m_pTail = nullptr;
    uint32_t m_uCount = 0;
};
