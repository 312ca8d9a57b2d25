#pragma once
// A control-surface page table: parameter identifiers by (page, slot). Main thread.

#include "AAX_IACFPageTable.h"
#include "CHostObject.h"

#include <map>
#include <string>
#include <utility>

class CHostPageTable : public THostObject<AAX_IACFPageTable> {
public:
    AAX_Result Clear() override
    {
        m_Slots.clear();
        return AAX_SUCCESS;
    }
    AAX_Result GetNumPages(int32_t* outPages) const override
    {
        if (!outPages)
            return AAX_ERROR_NULL_ARGUMENT;
        *outPages = m_Slots.empty() ? 0 : m_Slots.rbegin()->first.first + 1;
        return AAX_SUCCESS;
    }
    AAX_Result MapParameterID(AAX_CParamID inID, int32_t inPage, int32_t inSlot) override
    {
        if (!inID || inPage < 0 || inSlot < 0)
            return AAX_ERROR_INVALID_ARGUMENT;
        m_Slots[{inPage, inSlot}] = inID;
        return AAX_SUCCESS;
    }
    const std::map<std::pair<int32_t, int32_t>, std::string>& Slots() const { return m_Slots; }

private:
    std::map<std::pair<int32_t, int32_t>, std::string> m_Slots;
};
