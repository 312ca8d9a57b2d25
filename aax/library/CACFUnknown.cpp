#include "CACFUnknown.h"

namespace {
std::atomic<int32_t> s_nActiveObjects{0};
}

CACFUnknown::CACFUnknown()
{
    ++s_nActiveObjects;
}

CACFUnknown::~CACFUnknown()
{
    --s_nActiveObjects;
}

int32_t CACFUnknown::GetActiveObjectCount()
{
    return s_nActiveObjects.load();
}

uint32_t CACFUnknown::InternalAddRef()
{
    return ++m_nRefCount;
}

uint32_t CACFUnknown::InternalRelease()
{
    const uint32_t nCount = --m_nRefCount;
    if (nCount == 0)
        delete this;
    return nCount;
}

ACFRESULT CACFUnknown::InternalQueryInterface(const acfIID& iid, void** ppOut)
{
    if (!ppOut)
        return ACF_E_UNEXPECTED;
    if (iid == IACFUnknown::kIID) {
        InternalAddRef();
        *ppOut = GetUnknown();
        return ACF_OK;
    }
    *ppOut = nullptr;
    return ACF_E_NOINTERFACE;
}
