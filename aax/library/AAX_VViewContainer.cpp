#include "AAX_VViewContainer.h"

int32_t AAX_VViewContainer::GetType() const
{
    return m_I ? m_I->GetType() : int32_t(AAX_eViewContainer_Type_NULL);
}

void* AAX_VViewContainer::GetPtr() const
{
    return m_I ? m_I->GetPtr() : nullptr;
}

AAX_Result AAX_VViewContainer::GetModifiers(uint32_t* outModifiers) const
{
    return m_I ? m_I->GetModifiers(outModifiers) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VViewContainer::SetViewSize(const AAX_Point& size)
{
    return m_I ? m_I->SetViewSize(size) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown(AAX_CParamID id, uint32_t modifiers)
{
    return m_I ? m_I->HandleParameterMouseDown(id, modifiers) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag(AAX_CParamID id, uint32_t modifiers)
{
    return m_I ? m_I->HandleParameterMouseDrag(id, modifiers) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp(AAX_CParamID id, uint32_t modifiers)
{
    return m_I ? m_I->HandleParameterMouseUp(id, modifiers) : AAX_ERROR_NULL_OBJECT;
}
