#include "AAX_VAutomationDelegate.h"

AAX_Result AAX_VAutomationDelegate::RegisterParameter(AAX_CParamID id)
{
    return m_I ? m_I->RegisterParameter(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter(AAX_CParamID id)
{
    return m_I ? m_I->UnregisterParameter(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest(AAX_CParamID id, double normalizedValue) const
{
    return m_I ? m_I->PostSetValueRequest(id, normalizedValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue(AAX_CParamID id, double normalizedValue) const
{
    return m_I ? m_I->PostCurrentValue(id, normalizedValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest(AAX_CParamID id)
{
    return m_I ? m_I->PostTouchRequest(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest(AAX_CParamID id)
{
    return m_I ? m_I->PostReleaseRequest(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::GetTouchState(AAX_CParamID id, AAX_CBoolean* outTouched)
{
    return m_I ? m_I->GetTouchState(id, outTouched) : AAX_ERROR_NULL_OBJECT;
}
