#pragma once
// Wrapper of the host's description collection (registration time); owns the effect
// descriptors it creates. AAX_ERROR_NULL_OBJECT (or null) when the host interface is missing.

#include "AAX_IACFDescription.h"
#include "AAX_TInterfaceRef.h"
#include "AAX_VDescriptionHost.h"
#include "AAX_VEffectDescriptor.h"

#include <memory>
#include <vector>

class AAX_VCollection {
public:
    explicit AAX_VCollection(IACFUnknown* pHost) : m_I(pHost), m_DescriptionHost(pHost), m_pHost(pHost) {}
    bool IsValid() const { return bool(m_I); }

    AAX_VEffectDescriptor* NewDescriptor();
    AAX_Result AddEffect(const char* pEffectID, AAX_VEffectDescriptor* pEffect);
    AAX_Result SetManufacturerName(const char* pName);
    AAX_Result AddPackageName(const char* pName);
    AAX_Result SetPackageVersion(uint32_t version);
    AAX_VDescriptionHost* DescriptionHost() { return &m_DescriptionHost; }
    // The plug-in definition the host answers for this collection, with one reference for the
    // caller; AAX_ERROR_NULL_OBJECT when there is none.
    AAX_Result GetPlugInDefinition(IACFUnknown** outDefinition) const;

private:
    AAX_TInterfaceRef<AAX_IACFCollection> m_I;
    AAX_VDescriptionHost m_DescriptionHost;
    IACFUnknown* m_pHost;  // not owned; the host keeps it alive during registration
    std::vector<std::unique_ptr<AAX_VEffectDescriptor>> m_Effects;
};
