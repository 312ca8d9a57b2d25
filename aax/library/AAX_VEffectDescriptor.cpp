#include "AAX_VEffectDescriptor.h"

#include "AAX_TAdopt.h"

AAX_VComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    if (!m_I)
        return nullptr;
    auto pComponent = AAX_AdoptNew<AAX_VComponentDescriptor>(m_I->NewComponentDescriptor());
    if (!pComponent)
        return nullptr;
    m_Components.push_back(std::move(pComponent));
    return m_Components.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent(AAX_VComponentDescriptor* pComponent)
{
    if (!m_I)
        return AAX_ERROR_NULL_OBJECT;
    return m_I->AddComponent(pComponent ? pComponent->GetIUnknown() : nullptr);
}

AAX_Result AAX_VEffectDescriptor::AddName(const char* pName)
{
    return m_I ? m_I->AddName(pName) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddCategory(uint32_t category)
{
    return m_I ? m_I->AddCategory(category) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr(AAX_CFactoryProc factory, AAX_CProcPtrID id)
{
    return m_I ? m_I->AddProcPtr(factory, id) : AAX_ERROR_NULL_OBJECT;
}

AAX_VPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    if (!m_I)
        return nullptr;
    auto pMap = AAX_AdoptNew<AAX_VPropertyMap>(m_I->NewPropertyMap());
    if (!pMap)
        return nullptr;
    m_PropertyMaps.push_back(std::move(pMap));
    return m_PropertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties(AAX_VPropertyMap* pProperties)
{
    if (!m_I)
        return AAX_ERROR_NULL_OBJECT;
    return m_I->SetProperties(pProperties ? pProperties->GetIUnknown() : nullptr);
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription(AAX_CTypeID meterID, const char* pName, AAX_VPropertyMap* pProperties)
{
    if (!m_I)
        return AAX_ERROR_NULL_OBJECT;
    return m_I->AddMeterDescription(meterID, pName, pProperties ? pProperties->GetIUnknown() : nullptr);
}
