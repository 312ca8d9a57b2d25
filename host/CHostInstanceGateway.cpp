#include "CHostInstanceGateway.h"

void* CHostInstanceGateway::QueryExtra(const acfIID& iid)
{
    void* p = nullptr;
    if (iid == AAX_IACFController::kIID && m_pController)
        m_pController->QueryInterface(iid, &p);
    else if (iid == AAX_IACFAutomationDelegate::kIID && m_pAutomation)
        m_pAutomation->QueryInterface(iid, &p);
    else if (iid == AAX_IACFTransport::kIID && m_pTransport)
        m_pTransport->QueryInterface(iid, &p);
    else if (iid == AAX_IACFEffectParameters_V4::kIID && m_pEffectParameters)
        m_pEffectParameters->QueryInterface(iid, &p);
    return p;
}
