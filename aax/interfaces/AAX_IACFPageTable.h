#pragma once
// A control-surface page table the host may hand over. The module maps nothing here.

#include "AAX.h"
#include "ACFUnknown.h"

class AAX_IACFPageTable : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0C0005);

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result GetNumPages(int32_t* outPages) const = 0;
    virtual AAX_Result MapParameterID(AAX_CParamID inID, int32_t inPage, int32_t inSlot) = 0;

protected:
    ~AAX_IACFPageTable() = default;
};
