#include "ControlList.h"

ControlRecord* ControlList::append(const ControlRecord& record)
{
    auto* pCopy = new ControlRecord(record);
    if (m_pTail)
        m_pTail->m_pNext = pCopy;
    else
        m_pHead = pCopy;
    m_pTail = pCopy;
    ++m_uCount;
    return pCopy;
}

ControlRecord* ControlList::get(uint32_t uIndex) const
{
    ControlRecord* p = m_pHead;
    for (uint32_t i = 0; p && i < uIndex; ++i)
        p = p->m_pNext;
    return p;
}

bool ControlList::removeById(uint32_t uControlId)
{
    ControlRecord* pPrev = nullptr;
    for (ControlRecord* p = m_pHead; p; pPrev = p, p = p->m_pNext) {
        if (p->m_uControlId != uControlId)
            continue;
        (pPrev ? pPrev->m_pNext : m_pHead) = p->m_pNext;
        if (m_pTail == p)
            m_pTail = pPrev;
        delete p;
        --m_uCount;
        return true;
    }
    return false;
}

void ControlList::destroyAll()
{
    while (m_uCount > 0) {
        ControlRecord* pLast = get(m_uCount - 1);
        ControlRecord* pBefore = m_uCount > 1 ? get(m_uCount - 2) : nullptr;
        delete pLast;
        if (pBefore)
            pBefore->m_pNext = nullptr;
        --m_uCount;
        m_pTail = pBefore;
    }
    m_pHead = nullptr;
    m_pTail = nullptr;
}
