#include "CHostViewContainer.h"
#include "TestHost.h"

#include <gtest/gtest.h>

// Answering its interface: the host's instance tests, which open the editor through it.
TEST(EffectGUI, InitializeNeedsAControllerAndTheEffectParametersAndHoldsOneReference)
{
    EXPECT_EQ(STestHost().m_pGUI->Initialize(nullptr), AAX_ERROR_NOT_INITIALIZED);
    for (const auto& [bController, bEffect] : {std::pair{false, true}, {true, false}}) {
        STestHost without(bController, bEffect);
        EXPECT_EQ(without.m_pGUI->Initialize(without.m_pGateway->Unknown()), AAX_ERROR_NOT_INITIALIZED);
        EXPECT_TRUE(without.m_pGUI->m_Calls.empty());  // no view contents
        EXPECT_EQ(without.m_pGUI->GetController(), nullptr);
    }

    STestHost host;
    IACFUnknown* pEffect = static_cast<AAX_IEffectParameters*>(host.m_pEffect.get());
    ASSERT_EQ(host.m_pGUI->Initialize(host.m_pGateway->Unknown()), AAX_SUCCESS);
    EXPECT_EQ(host.m_pGUI->m_Calls, std::vector<std::string>{"contents"});
    EXPECT_EQ(host.m_pGUI->GetEffectParameters(), pEffect);
    ASSERT_NE(host.m_pGUI->GetTransport(), nullptr);
    EXPECT_EQ(pEffect->AddRef(), 3u);  // ours, the GUI's, this one
    pEffect->Release();
    host.m_pGUI->Uninitialize();
    EXPECT_EQ(pEffect->AddRef(), 2u);
    pEffect->Release();
    EXPECT_EQ(host.m_pGUI->GetEffectParameters(), nullptr);
}

TEST(EffectGUI, AContainerOpensTheViewAndPushesEveryParameterInOrder)
{
    STestHost host;
    ASSERT_EQ(host.m_pGUI->Initialize(host.m_pGateway->Unknown()), AAX_SUCCESS);
    auto pContainer = MakeHostObject<CHostViewContainer>(0x4A00012ul);
    host.m_pGUI->m_Calls.clear();
    // Withdrawn before any container, and opened while the effect has no parameters yet.
    host.m_pGUI->SetViewContainer(nullptr);
    host.m_pGUI->SetViewContainer(pContainer->Unknown());
    EXPECT_EQ(host.m_pGUI->m_Calls, (std::vector<std::string>{"delete", "create:3"}));

    ASSERT_EQ(host.m_pEffect->Initialize(nullptr), AAX_SUCCESS);
    host.m_pGUI->m_Calls.clear();
    EXPECT_EQ(host.m_pGUI->SetViewContainer(pContainer->Unknown()), AAX_SUCCESS);
    EXPECT_EQ(host.m_pGUI->m_Calls,
              (std::vector<std::string>{"create:3", "updated:MasterBypassID", "updated:1", "updated:2", "updated:3", "updated:4"}));
    EXPECT_EQ(host.m_pGUI->GetViewContainerPtr(), reinterpret_cast<void*>(0x4A00012ul));

    host.m_pGUI->m_Calls.clear();
    EXPECT_EQ(host.m_pGUI->SetViewContainer(nullptr), AAX_SUCCESS);
    EXPECT_EQ(host.m_pGUI->m_Calls, std::vector<std::string>{"delete"});
    EXPECT_EQ(host.m_pGUI->GetViewContainerType(), 0);
    EXPECT_EQ(host.m_pGUI->GetViewContainerPtr(), nullptr);
}

TEST(EffectGUI, UninitializeClosesAnOpenViewAndDeletesItsContainerWrapper)
{
    STestHost host;
    ASSERT_EQ(host.m_pGUI->Initialize(host.m_pGateway->Unknown()), AAX_SUCCESS);
    auto pFirst = MakeHostObject<CHostViewContainer>(1ul);
    auto pSecond = MakeHostObject<CHostViewContainer>(2ul);
    host.m_pGUI->SetViewContainer(pFirst->Unknown());
    host.m_pGUI->SetViewContainer(pSecond->Unknown());  // replaced: the first wrapper goes
    EXPECT_EQ(pFirst->Unknown()->AddRef(), 2u);
    pFirst->Unknown()->Release();
    host.m_pGUI->m_Calls.clear();
    EXPECT_EQ(host.m_pGUI->Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ(host.m_pGUI->m_Calls, std::vector<std::string>{"delete"});
    EXPECT_EQ(host.m_pGUI->GetViewContainer(), nullptr);
    // The host's container is no longer referenced by the GUI.
    EXPECT_EQ(pSecond->Unknown()->AddRef(), 2u);
    pSecond->Unknown()->Release();
}
