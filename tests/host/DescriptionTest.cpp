// The host's record of a description made through the module-side wrappers. What the real
// module describes is the describe snapshot; this is what it cannot show: a cleared component
// starting over, the refusals, and the host's feature answers.

#include "AAX_VCollection.h"
#include "CHostDescription.h"

#include <gtest/gtest.h>

namespace {

void Render(void* const[], const void*) {}

void DescribeComponent(AAX_VComponentDescriptor& component, int32_t stem)
{
    component.Clear();
    AAX_VPropertyMap* pProperties = component.NewPropertyMap();
    ASSERT_NE(pProperties, nullptr);
    pProperties->AddProperty(AAX_eProperty_InputStemFormat, stem);
    EXPECT_EQ(component.AddProcessProc_Native(Render, pProperties, nullptr, nullptr, nullptr), AAX_SUCCESS);
    component.AddAudioIn(1);
    component.AddMIDINode(5, AAX_eMIDINodeType_LocalInput, "In", 0x00FF);
    component.AddDataInPort(7, 8, 1);
}

}  // namespace

TEST(HostDescription, ARecordedComponentIsACopyAndClearStartsOver)
{
    auto pHost = MakeHostObject<CHostCollection>();
    {
        AAX_VCollection collection(pHost->Unknown());
        AAX_VEffectDescriptor* pEffect = collection.NewDescriptor();
        ASSERT_NE(pEffect, nullptr);
        AAX_VComponentDescriptor* pComponent = pEffect->NewComponentDescriptor();
        ASSERT_NE(pComponent, nullptr);
        DescribeComponent(*pComponent, AAX_eStemFormat_Mono);
        EXPECT_EQ(pEffect->AddComponent(pComponent), AAX_SUCCESS);
        DescribeComponent(*pComponent, AAX_eStemFormat_Stereo);  // the same descriptor, cleared
        EXPECT_EQ(pEffect->AddComponent(pComponent), AAX_SUCCESS);
        EXPECT_EQ(collection.AddEffect("test.Effect", pEffect), AAX_SUCCESS);
        EXPECT_EQ(collection.AddEffect("test.Effect", pEffect), AAX_ERROR_DUPLICATE_EFFECT_ID);
        EXPECT_EQ(collection.AddEffect("x", nullptr), AAX_ERROR_NULL_OBJECT);

        IACFUnknown* pDefinition = nullptr;
        ASSERT_EQ(collection.GetPlugInDefinition(&pDefinition), AAX_SUCCESS);
        auto* pPlugIn = ACF_Query<AAX_IACFPlugInDefinition>(pDefinition);
        ASSERT_NE(pPlugIn, nullptr);
        EXPECT_EQ(pPlugIn->GetEffectCount(), 1u);
        pPlugIn->Release();
        pDefinition->Release();
    }
    const SHostEffect* pEffect = pHost->Description().FindEffect("test.Effect");
    ASSERT_NE(pEffect, nullptr);
    EXPECT_EQ(pHost->Description().FindEffect("test.Other"), nullptr);
    // What each call records is the describe snapshot and the module's description details.
    ASSERT_EQ(pEffect->m_Components.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const SHostComponent& c = pEffect->m_Components[i];
        ASSERT_EQ(c.m_PropertyMaps.size(), 1u) << i;  // Clear dropped the first map
        EXPECT_EQ(c.m_PropertyMaps[0].at(AAX_eProperty_InputStemFormat), i == 0 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo);
        EXPECT_EQ(c.m_ProcessProcs.size(), 1u);
        EXPECT_EQ(c.m_Fields.size(), 3u);
        EXPECT_EQ(c.FindField(2), nullptr);
    }
}

TEST(HostDescription, RefusesDuplicateFieldsAndAnswersFeatures)
{
    auto pComponent = MakeHostObject<CHostComponentDescriptor>();
    EXPECT_EQ(pComponent->AddAudioIn(1), AAX_SUCCESS);
    EXPECT_EQ(pComponent->AddAudioOut(1), AAX_ERROR_INVALID_FIELD_INDEX);

    auto pHost = MakeHostObject<CHostCollection>();
    const acfUID known = ACF_MakeIID(0x7777);
    pHost->SetFeature(known, 2);
    AAX_VCollection collection(pHost->Unknown());
    std::unique_ptr<AAX_VFeatureInfo> pInfo;
    ASSERT_EQ(collection.DescriptionHost()->AcquireFeatureProperties(known, pInfo), AAX_SUCCESS);
    int32_t level = 0;
    EXPECT_EQ(pInfo->SupportLevel(&level), AAX_SUCCESS);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(collection.DescriptionHost()->AcquireFeatureProperties(ACF_MakeIID(0x7778), pInfo), AAX_ERROR_UNKNOWN_ID);
    EXPECT_EQ(pInfo, nullptr);
    EXPECT_EQ(pHost->GetEffectCount(), 0u);
}
