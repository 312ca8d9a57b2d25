#include "AAX_CParameterBatchFlow.h"

AAX_CParameterBatchFlow::~AAX_CParameterBatchFlow()
{
    ReleaseFinished();
    while (ParameterBatch* pBatch = m_QueuedBatches.Pop())
        delete pBatch;
}

bool AAX_CParameterBatchFlow::Queue(ParameterBatch* pBatch)
{
    return m_QueuedBatches.Push(pBatch) == AAX_IContainer::eStatus_Success;
}

void AAX_CParameterBatchFlow::ReleaseFinished()
{
    while (ParameterBatch* pBatch = m_FinishedBatches.Pop())
        delete pBatch;
    while (ParameterBatchEntry* pEntry = m_FinishedEntries.Pop())
        delete pEntry;
}

bool AAX_CParameterBatchFlow::IsDue(int64_t nBatch, int64_t nCurrent)
{
    return nBatch <= nCurrent || (nCurrent < -65535 && nBatch > 65535);
}

uint32_t AAX_CParameterBatchFlow::Take(int64_t nCurrent, ParameterBatchEntry** ppOut)
{
    uint32_t nCount = 0;
    while (ParameterBatch* pBatch = m_QueuedBatches.Peek()) {
        if (!IsDue(pBatch->Number(), nCurrent))
            break;
        const uint32_t nRoom = kMaxEntriesPerCall - nCount;
        if (pBatch->Count() > nRoom && nCount > 0)
            break;  // the whole batch waits for the next call
        while (nCount < kMaxEntriesPerCall && !pBatch->Empty())
            ppOut[nCount++] = pBatch->TakeFirst();
        if (!pBatch->Empty())
            break;  // larger than one call: the rest stays at the head of the queue
        m_QueuedBatches.Pop();
        if (m_FinishedBatches.Push(pBatch) != AAX_IContainer::eStatus_Success)
            delete pBatch;  // never drop it: freeing here is the lesser evil
        if (nCount == kMaxEntriesPerCall)
            break;
    }
    return nCount;
}

void AAX_CParameterBatchFlow::Finish(ParameterBatchEntry* const* ppEntries, uint32_t nCount)
{
    for (uint32_t i = 0; i < nCount; ++i)
        if (m_FinishedEntries.Push(ppEntries[i]) != AAX_IContainer::eStatus_Success)
            delete ppEntries[i];
}
