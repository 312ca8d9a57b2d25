#include "AAX_VCollection.h"

#include "AAX_TAdopt.h"

AAX_VEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    if (!m_I)
        return nullptr;
    auto pEffect = AAX_AdoptNew<AAX_VEffectDescriptor>(m_I->NewDescriptor());
    if (!pEffect)
        return nullptr;
    m_Effects.push_back(std::move(pEffect));
    return m_Effects.back().get();
}

AAX_Result AAX_VCollection::AddEffect(const char* pEffectID, AAX_VEffectDescriptor* pEffect)
{
    if (!m_I)
        return AAX_ERROR_NULL_OBJECT;
    return m_I->AddEffect(pEffectID, pEffect ? pEffect->GetIUnknown() : nullptr);
}

AAX_Result AAX_VCollection::SetManufacturerName(const char* pName)
{
    return m_I ? m_I->SetManufacturerName(pName) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::AddPackageName(const char* pName)
{
    return m_I ? m_I->AddPackageName(pName) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::SetPackageVersion(uint32_t version)
{
    return m_I ? m_I->SetPackageVersion(version) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::GetPlugInDefinition(IACFUnknown** outDefinition) const
{
    if (!outDefinition)
        return AAX_ERROR_NULL_ARGUMENT;
    *outDefinition = nullptr;
    if (!m_I)
        return AAX_ERROR_NULL_OBJECT;
    auto* pDefinition = ACF_Query<AAX_IACFPlugInDefinition>(m_pHost);
    if (!pDefinition)
        return AAX_ERROR_NULL_OBJECT;
    *outDefinition = pDefinition;
    return AAX_SUCCESS;
}
