#include "AAX_VPropertyMap.h"

AAX_CBoolean AAX_VPropertyMap::GetProperty(int32_t property, AAX_CPropertyValue* outValue) const
{
    return m_I ? m_I->GetProperty(property, outValue) : AAX_CBoolean(0);
}

AAX_Result AAX_VPropertyMap::AddProperty(int32_t property, AAX_CPropertyValue value)
{
    return m_I ? m_I->AddProperty(property, value) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPropertyMap::RemoveProperty(int32_t property)
{
    return m_I ? m_I->RemoveProperty(property) : AAX_ERROR_NULL_OBJECT;
}
