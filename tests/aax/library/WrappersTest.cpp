#include "AAX_VCollection.h"
#include "AAX_VController.h"
#include "AAX_VPageTable.h"
#include "AAX_VPropertyMap.h"
#include "AAX_VViewContainer.h"
#include "CHostController.h"
#include "CHostInstanceGateway.h"
#include "CHostPageTable.h"
#include "CHostViewContainer.h"

#include <gtest/gtest.h>

namespace {

constexpr AAX_Result kMissing = AAX_ERROR_NULL_OBJECT;

// Runs the wrappers against a host pointer that lacks their interface: the plain forwarders
// share one pattern (one of them here); the calls that create or query do more.
void ExpectAllMissing(IACFUnknown* pHost)
{
    float f = 3.0f;
    int32_t n = 5;
    AAX_VController controller(pHost);
    EXPECT_FALSE(controller.IsValid());
    EXPECT_EQ(controller.GetSampleRate(&f), kMissing);
    EXPECT_EQ(f, 3.0f);
    EXPECT_EQ(AAX_VViewContainer(pHost).GetPtr(), nullptr);
    EXPECT_EQ(AAX_VPropertyMap(pHost).GetProperty(11, &n), 0);

    EXPECT_EQ(AAX_VComponentDescriptor(pHost).NewPropertyMap(), nullptr);
    AAX_VEffectDescriptor effect(pHost);
    EXPECT_EQ(effect.NewComponentDescriptor(), nullptr);
    EXPECT_EQ(effect.NewPropertyMap(), nullptr);
    EXPECT_EQ(effect.SetProperties(nullptr), kMissing);
    AAX_VCollection collection(pHost);
    EXPECT_EQ(collection.NewDescriptor(), nullptr);
    EXPECT_EQ(collection.AddEffect("id", nullptr), kMissing);
    IACFUnknown* pDefinition = reinterpret_cast<IACFUnknown*>(&n);
    EXPECT_EQ(collection.GetPlugInDefinition(&pDefinition), kMissing);
    EXPECT_EQ(pDefinition, nullptr);
    std::unique_ptr<AAX_VFeatureInfo> pInfo;
    EXPECT_EQ(collection.DescriptionHost()->AcquireFeatureProperties(acfUID{}, pInfo), kMissing);
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
        EXPECT_EQ(pController->AddRef(), 3u);  // creator, wrapper, this call
        pController->Release();
        EXPECT_EQ(controller.SetSignalLatency(64), AAX_SUCCESS);
    }
    EXPECT_EQ(pController->AddRef(), 2u);  // the wrapper gave its reference back
    pController->Release();
    EXPECT_EQ(pController->Latency(), 64);

    auto pView = MakeHostObject<CHostViewContainer>(99ul);
    AAX_VViewContainer view(pView->Unknown());  // its type: the editor tests ("create:3")
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
