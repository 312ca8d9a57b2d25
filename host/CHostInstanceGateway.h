#pragma once
// What the host passes to an instance's Initialize: one object that answers the instance's
// controller, automation delegate and transport, and (for the editor object) the same
// instance's effect-parameters interface. Each answer comes from the object it names, with a
// reference added there. Threading: main/GUI thread.

#include "AAX_IACFEffectParameters.h"
#include "CHostAutomationDelegate.h"
#include "CHostController.h"
#include "CHostObject.h"
#include "CHostTransport.h"

class CHostInstanceGateway : public THostObject<IACFUnknown> {
public:
    // Any of them may be null (that interface is then missing). Not owned; they must outlive
    // the gateway's use.
    CHostInstanceGateway(CHostController* pController, CHostAutomationDelegate* pAutomation, CHostTransport* pTransport)
        : m_pController(pController), m_pAutomation(pAutomation), m_pTransport(pTransport)
    {
    }

    // The instance's parameter object, once it exists (not owned).
    void SetEffectParameters(IACFUnknown* pEffectParameters) { m_pEffectParameters = pEffectParameters; }

protected:
    void* QueryExtra(const acfIID& iid) override;

private:
    CHostController* m_pController;
    CHostAutomationDelegate* m_pAutomation;
    CHostTransport* m_pTransport;
    IACFUnknown* m_pEffectParameters = nullptr;
};
