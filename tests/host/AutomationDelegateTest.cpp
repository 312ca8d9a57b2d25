#include "CHostInstance.h"
#include "RealtimeProbe.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct Instance : STestHost {
    Instance() { InitializeEffect(); }
};

}  // namespace

TEST(HostAutomation, SetValueRequestsChangeTheValueOnlyWhenAnswered)
{
    Instance host;
    EXPECT_TRUE(host.m_pAutomation->IsRegistered("1"));

    EXPECT_EQ(host.m_pEffect->SetParameterNormalizedValue("1", 0.75), AAX_SUCCESS);
    EXPECT_DOUBLE_EQ(host.m_pEffect->Normalized("1"), 0.5);
    EXPECT_EQ(host.m_pEffect->m_nCoefficientCalls, 0);

    EXPECT_EQ(host.m_pAutomation->ProcessPending(), 1u);
    EXPECT_DOUBLE_EQ(host.m_pEffect->Normalized("1"), 0.75);
    EXPECT_EQ(host.m_pEffect->m_nCoefficientCalls, 1);
    EXPECT_DOUBLE_EQ(host.m_pAutomation->LastCurrentValue("1"), 0.75);

    // Several requests before one answer: each is applied, coefficients generated once.
    host.m_pEffect->SetParameterNormalizedValue("2", 0.0);
    host.m_pEffect->SetParameterNormalizedValue("2", 1.0);
    EXPECT_EQ(host.m_pAutomation->ProcessPending(), 2u);
    EXPECT_DOUBLE_EQ(host.m_pEffect->Normalized("2"), 1.0);
    EXPECT_EQ(host.m_pEffect->m_nCoefficientCalls, 2);
    EXPECT_EQ(host.m_pAutomation->ProcessPending(), 0u);
    EXPECT_EQ(host.m_pEffect->m_nCoefficientCalls, 2);
}

TEST(HostAutomation, TouchAndReleaseAreTrackedPerParameter)
{
    Instance host;
    AAX_CBoolean bTouched = 2;
    const auto touched = [&](const char* id) { return host.m_pAutomation->GetTouchState(id, &bTouched), bTouched; };
    EXPECT_EQ(touched("1"), 0);
    host.m_pEffect->TouchParameter("1");
    EXPECT_EQ(touched("1"), 1);
    EXPECT_EQ(touched("2"), 0);
    host.m_pEffect->ReleaseParameter("1");
    host.m_pEffect->ReleaseParameter("1");  // an extra release does not go below zero
    host.m_pEffect->TouchParameter("1");
    EXPECT_EQ(touched("1"), 1);
    EXPECT_EQ(host.m_pAutomation->GetTouchState("nope", &bTouched), AAX_ERROR_INVALID_PARAMETER_ID);
}

TEST(HostAutomation, UnknownAndOverlongIdentifiersAreRefused)
{
    Instance host;
    EXPECT_EQ(host.m_pAutomation->PostSetValueRequest("nope", 0.5), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(host.m_pAutomation->PostedCount(), 0u);
    const std::string longID(100, 'x');
    EXPECT_EQ(host.m_pAutomation->RegisterParameter(longID.c_str()), AAX_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(host.m_pAutomation->RegisterParameter(nullptr), AAX_ERROR_INVALID_ARGUMENT);

    // After Uninitialize the parameters are gone from the host too.
    host.m_pEffect->Uninitialize();
    EXPECT_FALSE(host.m_pAutomation->IsRegistered("1"));
    EXPECT_EQ(host.m_pAutomation->PostSetValueRequest("1", 0.5), AAX_ERROR_INVALID_PARAMETER_ID);
    // Registering again reuses the identifier's slot.
    EXPECT_EQ(host.m_pAutomation->RegisterParameter("1"), AAX_SUCCESS);
    EXPECT_TRUE(host.m_pAutomation->IsRegistered("1"));
}

TEST(HostAutomation, AFullQueueRefusesWithoutBlocking)
{
    Instance host;
    size_t nAccepted = 0;
    AAX_Result last = AAX_SUCCESS;
    for (size_t i = 0; i < CHostAutomationDelegate::kQueueCapacity + 10; ++i) {
        last = host.m_pAutomation->PostSetValueRequest("1", (i % 100) / 100.0);
        nAccepted += last == AAX_SUCCESS;
    }
    EXPECT_EQ(nAccepted, CHostAutomationDelegate::kQueueCapacity);
    EXPECT_EQ(last, AAX_ERROR_FIFO_FULL);
    EXPECT_EQ(host.m_pAutomation->DroppedCount(), 10u);
    EXPECT_EQ(host.m_pAutomation->ProcessPending(), CHostAutomationDelegate::kQueueCapacity);
    EXPECT_EQ(host.m_pAutomation->PostSetValueRequest("1", 0.5), AAX_SUCCESS);
}

TEST(HostAutomation, PostingFromTheAudioThreadNeverAllocates)
{
    Instance host;
    host.m_pEffect->SetParameterNormalizedValue("3", 0.1);  // warm-up outside the count
    int64_t nAllocations = -1;
    std::thread audio([&] {
        ArmProbe();
        for (int i = 0; i < 100; ++i)
            host.m_pEffect->SetParameterNormalizedValue("3", i / 100.0);  // a meter, after each buffer
        nAllocations = DisarmProbe().m_nAllocations;
    });
    audio.join();
    EXPECT_EQ(nAllocations, 0);
    EXPECT_EQ(host.m_pAutomation->ProcessPending(), 101u);
    EXPECT_FLOAT_EQ(float(host.m_pEffect->Normalized("3")), 0.99f);
}

TEST(HostAutomation, TheParameterThreadAnswersRequestsFromManyThreads)
{
    Instance host;
    host.m_pAutomation->Start(std::chrono::milliseconds(5));
    // Three controls, and the meter "3" as the audio thread publishes it, each from a thread.
    std::vector<std::thread> threads;
    for (const auto& [pID, nLast] : {std::pair{"1", 500}, {"2", 500}, {"4", 500}, {"3", 1000}})
        threads.emplace_back([&host, pID, nLast] {
            for (int i = 0; i <= nLast; ++i)
                host.m_pEffect->SetParameterNormalizedValue(pID, double(i) / nLast);
        });
    for (std::thread& t : threads)
        t.join();
    host.m_pAutomation->Flush();
    EXPECT_EQ(host.m_pAutomation->AnsweredCount(), host.m_pAutomation->PostedCount());
    EXPECT_EQ(host.m_pAutomation->PostedCount(), 3u * 501u + 1001u - host.m_pAutomation->DroppedCount());
    EXPECT_EQ(host.m_pAutomation->FailedCount(), 0u);
    // Each thread's requests are answered in the order posted: its last value wins.
    if (host.m_pAutomation->DroppedCount() == 0) {
        EXPECT_DOUBLE_EQ(host.m_pEffect->Normalized("1"), 1.0);
        EXPECT_DOUBLE_EQ(host.m_pEffect->Normalized("3"), 1.0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (host.m_pEffect->m_nTimerCalls == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_GT(host.m_pEffect->m_nTimerCalls, 0);
    host.m_pAutomation->Stop();
    EXPECT_FALSE(host.m_pAutomation->IsRunning());
}

TEST(HostInstance, HandsTheEditorAViewAndWithdrawsIt)
{
    SHostEffect effect;
    effect.m_Components.resize(1);
    effect.m_Factories[CHostInstance::kParametersFactoryID] = [] {
        return static_cast<IACFUnknown*>(static_cast<AAX_IEffectParameters*>(new CTestEffect));
    };
    effect.m_Factories[CHostInstance::kGUIFactoryID] = &CTestGUI::Create;
    CHostInstance instance(effect, 0, 48000.0f, 64);
    ASSERT_EQ(instance.Create(), AAX_SUCCESS);
    EXPECT_EQ(instance.SetView(7), AAX_ERROR_NOT_INITIALIZED);  // no editor yet
    ASSERT_EQ(instance.CreateGUI(), AAX_SUCCESS);
    ASSERT_EQ(instance.SetView(0x5A0001ul), AAX_SUCCESS);
    EXPECT_EQ(CTestGUI::s_pLast->GetViewContainerPtr(), reinterpret_cast<void*>(0x5A0001ul));
    EXPECT_NE(instance.View(), nullptr);
    ASSERT_EQ(instance.SetView(0), AAX_SUCCESS);
    EXPECT_EQ(CTestGUI::s_pLast->GetViewContainer(), nullptr);
    EXPECT_EQ(instance.View(), nullptr);
}
