#include "AAX_VPageTable.h"

AAX_Result AAX_VPageTable::Clear()
{
    return m_I ? m_I->Clear() : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPageTable::GetNumPages(int32_t* outPages) const
{
    return m_I ? m_I->GetNumPages(outPages) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPageTable::MapParameterID(AAX_CParamID id, int32_t page, int32_t slot)
{
    return m_I ? m_I->MapParameterID(id, page, slot) : AAX_ERROR_NULL_OBJECT;
}
