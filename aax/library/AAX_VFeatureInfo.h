#pragma once
// Wrapper of a host feature-info object; AAX_ERROR_NULL_OBJECT when missing.

#include "AAX_IACFDescription.h"
#include "AAX_TInterfaceRef.h"

class AAX_VFeatureInfo {
public:
    explicit AAX_VFeatureInfo(IACFUnknown* pInfo) : m_I(pInfo) {}
    bool IsValid() const { return bool(m_I); }

    AAX_Result SupportLevel(int32_t* outLevel) const;

private:
    AAX_TInterfaceRef<AAX_IACFFeatureInfo> m_I;
};
