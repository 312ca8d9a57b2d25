#include "AAX_CString.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VCollection.h"
#include "AAX_VController.h"
#include "AAX_VHostServices.h"
#include "AAX_VPageTable.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"
#include "CHostAutomationDelegate.h"
#include "CHostController.h"
#include "CHostDescription.h"
#include "CHostInstanceGateway.h"
#include "CHostPageTable.h"
#include "CHostViewContainer.h"

#include <gtest/gtest.h>

namespace {

constexpr AAX_Result kMissing = AAX_ERROR_NULL_OBJECT;

// Runs every wrapper against a host pointer that lacks its interface. (Their forwarding is what
// every module test goes through.)
void ExpectAllMissing(IACFUnknown* pHost)
{
    AAX_CString s("kept");
    float f = 3.0f;
    int32_t n = 5;
    uint32_t u = 6;
    double d = 7.0;
    bool b = true;
    int64_t l = 8;
    AAX_CBoolean cb = 1;

    AAX_VController controller(pHost);
    EXPECT_FALSE(controller.IsValid());
    EXPECT_EQ(controller.GetEffectID(&s), kMissing);
    EXPECT_EQ(controller.GetSampleRate(&f), kMissing);
    EXPECT_EQ(controller.GetInputStemFormat(&n), kMissing);
    EXPECT_EQ(controller.GetOutputStemFormat(&n), kMissing);
    EXPECT_EQ(controller.GetSignalLatency(&n), kMissing);
    EXPECT_EQ(controller.SetSignalLatency(10), kMissing);
    EXPECT_EQ(controller.PostPacket(7, &l, 8), kMissing);
    EXPECT_EQ(controller.GetMeterCount(&u), kMissing);
    EXPECT_EQ(controller.GetCurrentMeterValue(1, &f), kMissing);

    AAX_VAutomationDelegate automation(pHost);
    EXPECT_EQ(automation.RegisterParameter("1"), kMissing);
    EXPECT_EQ(automation.UnregisterParameter("1"), kMissing);
    EXPECT_EQ(automation.PostSetValueRequest("1", 0.5), kMissing);
    EXPECT_EQ(automation.PostCurrentValue("1", 0.5), kMissing);
    EXPECT_EQ(automation.PostTouchRequest("1"), kMissing);
    EXPECT_EQ(automation.PostReleaseRequest("1"), kMissing);
    EXPECT_EQ(automation.GetTouchState("1", &cb), kMissing);

    AAX_VTransport transport(pHost);
    EXPECT_EQ(transport.GetCurrentTempo(&d), kMissing);
    EXPECT_EQ(transport.GetCurrentMeter(&n, &n), kMissing);
    EXPECT_EQ(transport.IsTransportPlaying(&b), kMissing);
    EXPECT_EQ(transport.GetCurrentTickPosition(&l), kMissing);
    EXPECT_EQ(transport.GetCurrentLoopPosition(&b, &l, &l), kMissing);
    EXPECT_EQ(transport.GetCurrentNativeSampleLocation(&l), kMissing);

    AAX_VViewContainer view(pHost);
    EXPECT_EQ(view.GetType(), AAX_eViewContainer_Type_NULL);
    EXPECT_EQ(view.GetPtr(), nullptr);
    EXPECT_EQ(view.GetModifiers(&u), kMissing);
    EXPECT_EQ(view.SetViewSize({10, 10}), kMissing);
    EXPECT_EQ(view.HandleParameterMouseDown("1", 0), kMissing);
    EXPECT_EQ(view.HandleParameterMouseDrag("1", 0), kMissing);
    EXPECT_EQ(view.HandleParameterMouseUp("1", 0), kMissing);

    AAX_VPageTable table(pHost);
    EXPECT_EQ(table.Clear(), kMissing);
    EXPECT_EQ(table.GetNumPages(&n), kMissing);
    EXPECT_EQ(table.MapParameterID("1", 0, 0), kMissing);

    AAX_VHostServices services(pHost);
    EXPECT_EQ(services.Trace(0, "x"), kMissing);
    EXPECT_EQ(services.HandleAssertFailure("f", 1, "x"), kMissing);

    AAX_VPropertyMap map(pHost);
    EXPECT_EQ(map.AddProperty(11, 1), kMissing);
    EXPECT_EQ(map.RemoveProperty(11), kMissing);
    EXPECT_EQ(map.GetProperty(11, &n), 0);

    AAX_VComponentDescriptor component(pHost);
    const AAX_CTypeID meters[] = {1, 2};
    EXPECT_EQ(component.Clear(), kMissing);
    EXPECT_EQ(component.AddAudioIn(1), kMissing);
    EXPECT_EQ(component.AddAudioOut(2), kMissing);
    EXPECT_EQ(component.AddAudioBufferLength(3), kMissing);
    EXPECT_EQ(component.AddMeters(4, meters, 2), kMissing);
    EXPECT_EQ(component.AddMIDINode(5, 0, "In", 0xFFFF), kMissing);
    EXPECT_EQ(component.AddPrivateData(0, 8, 0), kMissing);
    EXPECT_EQ(component.AddDataInPort(7, 8, 1), kMissing);
    EXPECT_EQ(component.NewPropertyMap(), nullptr);
    EXPECT_EQ(component.AddProcessProc_Native(nullptr, nullptr, nullptr, nullptr, nullptr), kMissing);

    AAX_VEffectDescriptor effect(pHost);
    EXPECT_EQ(effect.NewComponentDescriptor(), nullptr);
    EXPECT_EQ(effect.AddComponent(nullptr), kMissing);
    EXPECT_EQ(effect.AddName("x"), kMissing);
    EXPECT_EQ(effect.AddCategory(1), kMissing);
    EXPECT_EQ(effect.AddProcPtr(nullptr, 0), kMissing);
    EXPECT_EQ(effect.NewPropertyMap(), nullptr);
    EXPECT_EQ(effect.SetProperties(nullptr), kMissing);
    EXPECT_EQ(effect.AddMeterDescription(1, "m", nullptr), kMissing);

    AAX_VCollection collection(pHost);
    EXPECT_EQ(collection.NewDescriptor(), nullptr);
    EXPECT_EQ(collection.AddEffect("id", nullptr), kMissing);
    EXPECT_EQ(collection.SetManufacturerName("m"), kMissing);
    EXPECT_EQ(collection.AddPackageName("p"), kMissing);
    EXPECT_EQ(collection.SetPackageVersion(1), kMissing);
    IACFUnknown* pDefinition = reinterpret_cast<IACFUnknown*>(&n);
    EXPECT_EQ(collection.GetPlugInDefinition(&pDefinition), kMissing);
    EXPECT_EQ(pDefinition, nullptr);
    std::unique_ptr<AAX_VFeatureInfo> pInfo;
    EXPECT_EQ(collection.DescriptionHost()->AcquireFeatureProperties(acfUID{}, pInfo), kMissing);

    AAX_VFeatureInfo info(pHost);
    EXPECT_EQ(info.SupportLevel(&n), kMissing);

    // Nothing was written anywhere.
    EXPECT_EQ(s.StdString(), "kept");
    EXPECT_EQ(f, 3.0f);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(u, 6u);
    EXPECT_EQ(d, 7.0);
    EXPECT_TRUE(b);
    EXPECT_EQ(l, 8);
    EXPECT_EQ(cb, 1);
}

}  // namespace

TEST(Wrappers, AMissingHostInterfaceAnswersNullObjectAndDoesNothing)
{
    ExpectAllMissing(nullptr);
    // A host object that answers queries, but none of these interfaces.
    auto pGateway = MakeHostObject<CHostInstanceGateway>(nullptr, nullptr, nullptr);
    ExpectAllMissing(pGateway->Unknown());
}

TEST(Wrappers, ForwardToTheHostAndHoldAReference)
{
    auto pController = MakeHostObject<CHostController>(44100.0f, AAX_eStemFormat_Mono);
    {
        AAX_VController controller(pController->Unknown());
        ASSERT_TRUE(controller.IsValid());
        EXPECT_EQ(pController->AddRef(), 3u);  // creator, wrapper, this call
        pController->Release();
        EXPECT_EQ(controller.SetSignalLatency(64), AAX_SUCCESS);
        const int64_t batch = 10;
        EXPECT_EQ(controller.PostPacket(7, &batch, 8), AAX_SUCCESS);
    }
    EXPECT_EQ(pController->AddRef(), 2u);  // the wrapper gave its reference back
    pController->Release();
    EXPECT_EQ(pController->Latency(), 64);
    int64_t batch = 0;
    EXPECT_TRUE(pController->CopyLatestPacket(7, &batch, 8));
    EXPECT_EQ(batch, 10);

    auto pView = MakeHostObject<CHostViewContainer>(99ul);
    AAX_VViewContainer view(pView->Unknown());
    EXPECT_EQ(view.GetType(), AAX_eViewContainer_Type_HWND);
    EXPECT_EQ(view.SetViewSize({568.0f, 900.0f}), AAX_SUCCESS);
    ASSERT_EQ(pView->SizeRequests().size(), 1u);
    EXPECT_EQ(pView->SizeRequests()[0].horz, 900.0f);

    auto pTable = MakeHostObject<CHostPageTable>();
    AAX_VPageTable table(pTable->Unknown());
    EXPECT_EQ(table.MapParameterID("3", 1, 2), AAX_SUCCESS);
    int32_t nPages = 0;
    EXPECT_EQ(table.GetNumPages(&nPages), AAX_SUCCESS);
    EXPECT_EQ(nPages, 2);
}
