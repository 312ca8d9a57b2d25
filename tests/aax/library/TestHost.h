#pragma once
// The test effect and the recording editor in the substitute host's objects, as one instance
// of the host holds them: controller, automation delegate, transport and the gateway that
// answers for them (and for the effect).

#include "CHostAutomationDelegate.h"
#include "CHostController.h"
#include "CHostInstanceGateway.h"
#include "CHostTransport.h"
#include "TestEffect.h"

struct STestHost {
    CHostPtr<CHostController> m_pController = MakeHostObject<CHostController>();
    CHostPtr<CHostAutomationDelegate> m_pAutomation = MakeHostObject<CHostAutomationDelegate>();
    CHostPtr<CHostTransport> m_pTransport = MakeHostObject<CHostTransport>();
    CHostPtr<CHostInstanceGateway> m_pGateway;
    CHostPtr<CTestEffect> m_pEffect{new CTestEffect};
    CHostPtr<CTestGUI> m_pGUI{new CTestGUI};

    // Without the controller or the effect the gateway answers null for them.
    explicit STestHost(bool bWithController = true, bool bWithEffect = true)
        : m_pGateway(MakeHostObject<CHostInstanceGateway>(bWithController ? m_pController.get() : nullptr, m_pAutomation.get(),
                                                          m_pTransport.get()))
    {
        m_pEffect->AddRef();
        m_pGUI->AddRef();
        if (bWithEffect)
            m_pGateway->SetEffectParameters(static_cast<AAX_IEffectParameters*>(m_pEffect.get()));
    }
    ~STestHost()
    {
        m_pAutomation->Stop();
        m_pEffect->Uninitialize();
    }
    // Initialises the effect through the gateway; the host's delegate answers its requests.
    void InitializeEffect()
    {
        EXPECT_EQ(m_pEffect->Initialize(m_pGateway->Unknown()), AAX_SUCCESS);
        m_pAutomation->SetTarget(m_pEffect.get());
    }
};
