#pragma once
// The three queues that carry parameter batches between the host's parameter thread and the
// render, and the rules for taking, handing back and freeing them.
//
//   parameter thread:  Queue -> m_QueuedBatches -> render: Take (<= kMaxEntriesPerCall)
//   render:            Finish -> m_FinishedBatches / m_FinishedEntries -> ReleaseFinished
//
// Ownership: a queued batch belongs to the flow; Take hands the render the entries it
// collected, Finish takes them back. Batches and entries are created and freed on the
// parameter thread; the render frees only as a last resort when a finished queue is full.
// The destructor frees whatever is still queued or finished.
// Threading: Queue and ReleaseFinished on the parameter thread (one at a time); Take and
// Finish on the render thread.

#include "AAX_CAtomicQueue.h"
#include "ParameterBatch.h"

class AAX_CParameterBatchFlow {
public:
    static constexpr uint32_t kMaxEntriesPerCall = 84;
    static constexpr uint32_t kBatchSlots = 256;
    static constexpr uint32_t kEntrySlots = 336;

    AAX_CParameterBatchFlow() = default;
    ~AAX_CParameterBatchFlow();
    AAX_CParameterBatchFlow(const AAX_CParameterBatchFlow&) = delete;
    AAX_CParameterBatchFlow& operator=(const AAX_CParameterBatchFlow&) = delete;

    // Hands a batch to the render. False when m_QueuedBatches is full: the caller keeps it.
    bool Queue(ParameterBatch* pBatch);
    // Frees every batch and entry the render has finished with.
    void ReleaseFinished();

    // Collects, in arrival order, the entries of the batches due at batch number nCurrent
    // (numbers up to it, or every number once the counter has wrapped), at most
    // kMaxEntriesPerCall. A batch that does not fit whole stays queued for the next call
    // (a single batch larger than the limit gives up its first entries). Emptied batches go
    // to m_FinishedBatches. Returns the number of entries written to ppOut.
    uint32_t Take(int64_t nCurrent, ParameterBatchEntry** ppOut);
    // Hands the entries of a Take back for release.
    void Finish(ParameterBatchEntry* const* ppEntries, uint32_t nCount);

    // True when a batch numbered nBatch is due while nCurrent has been posted.
    static bool IsDue(int64_t nBatch, int64_t nCurrent);

private:
    AAX_CAtomicQueue<ParameterBatch, kBatchSlots> m_QueuedBatches;
    AAX_CAtomicQueue<ParameterBatch, kBatchSlots> m_FinishedBatches;
    AAX_CAtomicQueue<ParameterBatchEntry, kEntrySlots> m_FinishedEntries;
};
