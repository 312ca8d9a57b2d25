#include "AAX_VHostServices.h"

AAX_VHostServices::AAX_VHostServices(IACFUnknown* pHost)
    : m_pIHostServices(ACF_Query<AAX_IACFHostServices>(pHost))
{
}

AAX_VHostServices::~AAX_VHostServices()
{
    if (m_pIHostServices)
        m_pIHostServices->Release();
}

AAX_Result AAX_VHostServices::Trace(int32_t priority, const char* pMessage) const
{
    return m_pIHostServices ? m_pIHostServices->Trace(priority, pMessage) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VHostServices::HandleAssertFailure(const char* pFile, int32_t nLine, const char* pNote) const
{
    return m_pIHostServices ? m_pIHostServices->HandleAssertFailure(pFile, nLine, pNote) : AAX_ERROR_NULL_OBJECT;
}
