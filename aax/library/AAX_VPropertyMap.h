#pragma once
// Wrapper of a host property map; AAX_ERROR_NULL_OBJECT (or "not found") when missing.

#include "AAX_IACFDescription.h"
#include "AAX_TInterfaceRef.h"

class AAX_VPropertyMap {
public:
    explicit AAX_VPropertyMap(IACFUnknown* pMap) : m_I(pMap) {}
    bool IsValid() const { return bool(m_I); }
    IACFUnknown* GetIUnknown() const { return m_I.Get(); }

    AAX_CBoolean GetProperty(int32_t property, AAX_CPropertyValue* outValue) const;
    AAX_Result AddProperty(int32_t property, AAX_CPropertyValue value);
    AAX_Result RemoveProperty(int32_t property);

private:
    AAX_TInterfaceRef<AAX_IACFPropertyMap> m_I;
};
