#pragma once
// Wrapper of a host effect descriptor; owns the component descriptors and property maps it
// creates. AAX_ERROR_NULL_OBJECT (or null) when the host interface is missing.

#include "AAX_IACFDescription.h"
#include "AAX_TInterfaceRef.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"

#include <memory>
#include <vector>

class AAX_VEffectDescriptor {
public:
    explicit AAX_VEffectDescriptor(IACFUnknown* pDescriptor) : m_I(pDescriptor) {}
    bool IsValid() const { return bool(m_I); }
    IACFUnknown* GetIUnknown() const { return m_I.Get(); }

    AAX_VComponentDescriptor* NewComponentDescriptor();
    AAX_Result AddComponent(AAX_VComponentDescriptor* pComponent);
    AAX_Result AddName(const char* pName);
    AAX_Result AddCategory(uint32_t category);
    AAX_Result AddProcPtr(AAX_CFactoryProc factory, AAX_CProcPtrID id);
    AAX_VPropertyMap* NewPropertyMap();
    AAX_Result SetProperties(AAX_VPropertyMap* pProperties);
    AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* pName, AAX_VPropertyMap* pProperties);

private:
    AAX_TInterfaceRef<AAX_IACFEffectDescriptor> m_I;
    std::vector<std::unique_ptr<AAX_VComponentDescriptor>> m_Components;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> m_PropertyMaps;
};
