#include "ParameterBatch.h"

#include <cstring>

ParameterBatchEntry::ParameterBatchEntry(const char* pID)
{
    std::memset(m_ID, 0, sizeof m_ID);
    if (pID)
        std::strncpy(m_ID, pID, kMaxIDBytes - 1);
}

ParameterBatch::~ParameterBatch()
{
    while (ParameterBatchEntry* pEntry = TakeFirst())
        delete pEntry;
}

void ParameterBatch::Append(ParameterBatchEntry* pEntry)
{
    if (!pEntry)
        return;
    pEntry->m_pNext = nullptr;
    if (m_pLast)
        m_pLast->m_pNext = pEntry;
    else
        m_pFirst = pEntry;
    m_pLast = pEntry;
    ++m_uCount;
}

ParameterBatchEntry* ParameterBatch::TakeFirst()
{
    ParameterBatchEntry* pEntry = m_pFirst;
    if (!pEntry)
        return nullptr;
    m_pFirst = pEntry->m_pNext;
    if (!m_pFirst)
        m_pLast = nullptr;
    pEntry->m_pNext = nullptr;
    --m_uCount;
    return pEntry;
}
