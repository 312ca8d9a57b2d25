#pragma once
// Wrapper of a host page table; AAX_ERROR_NULL_OBJECT when missing.

#include "AAX_IACFPageTable.h"
#include "AAX_TInterfaceRef.h"

class AAX_VPageTable {
public:
    explicit AAX_VPageTable(IACFUnknown* pTable) : m_I(pTable) {}
    bool IsValid() const { return bool(m_I); }

    AAX_Result Clear();
    AAX_Result GetNumPages(int32_t* outPages) const;
    AAX_Result MapParameterID(AAX_CParamID id, int32_t page, int32_t slot);

private:
    AAX_TInterfaceRef<AAX_IACFPageTable> m_I;
};
