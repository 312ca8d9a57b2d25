// Describes an effect through the module-side wrappers, as a module does at registration, and
// checks what the host recorded.

#include "AAX_VCollection.h"
#include "CHostDescription.h"

#include <gtest/gtest.h>

namespace {

void Render(void* const[], const void*) {}
IACFUnknown* MakeParameters() { return nullptr; }
IACFUnknown* MakeGUI() { return nullptr; }

void DescribeComponent(AAX_VComponentDescriptor& component, int32_t stem)
{
    component.Clear();
    AAX_VPropertyMap* pProperties = component.NewPropertyMap();
    ASSERT_NE(pProperties, nullptr);
    pProperties->AddProperty(AAX_eProperty_ManufacturerID, int32_t(AAX_FourCC("Mvlk")));
    pProperties->AddProperty(AAX_eProperty_InputStemFormat, stem);
    pProperties->AddProperty(AAX_eProperty_OutputStemFormat, stem);
    pProperties->AddProperty(AAX_eProperty_PlugInID_Native,
                             int32_t(stem == AAX_eStemFormat_Mono ? AAX_FourCC("TsMN") : AAX_FourCC("TsST")));
    EXPECT_EQ(component.AddProcessProc_Native(Render, pProperties, nullptr, nullptr, nullptr), AAX_SUCCESS);
    component.AddAudioIn(1);
    component.AddAudioOut(2);
    component.AddAudioBufferLength(3);
    component.AddMIDINode(5, AAX_eMIDINodeType_LocalInput, "BrindleWarbler MIDI In", 0xFFFF);
    component.AddMIDINode(6, AAX_eMIDINodeType_Transport, "Transport", 0xFFFF);
    component.AddPrivateData(0, 8, 0);
    component.AddDataInPort(7, 8, 1);
    const AAX_CTypeID meters[] = {AAX_FourCC("grML"), AAX_FourCC("grMR")};
    component.AddMeters(4, meters, 2);
}

}  // namespace

TEST(HostDescription, RecordsAWholeEffectDescription)
{
    auto pHost = MakeHostObject<CHostCollection>();
    {
        AAX_VCollection collection(pHost->Unknown());
        ASSERT_TRUE(collection.IsValid());
        AAX_VEffectDescriptor* pEffect = collection.NewDescriptor();
        ASSERT_NE(pEffect, nullptr);
        AAX_VComponentDescriptor* pComponent = pEffect->NewComponentDescriptor();
        ASSERT_NE(pComponent, nullptr);
        pEffect->AddName("BrindleWarbler");
        pEffect->AddName("BrindleWarbler");
        pEffect->AddCategory(0x2000);
        DescribeComponent(*pComponent, AAX_eStemFormat_Mono);
        EXPECT_EQ(pEffect->AddComponent(pComponent), AAX_SUCCESS);
        DescribeComponent(*pComponent, AAX_eStemFormat_Stereo);  // the same descriptor, cleared
        EXPECT_EQ(pEffect->AddComponent(pComponent), AAX_SUCCESS);
        pEffect->AddProcPtr(MakeParameters, 0);
        pEffect->AddProcPtr(MakeGUI, 1);
        AAX_VPropertyMap* pMeter = pEffect->NewPropertyMap();
        ASSERT_NE(pMeter, nullptr);
        pMeter->AddProperty(AAX_eProperty_Meter_Type, 2);
        pMeter->AddProperty(AAX_eProperty_Meter_Orientation, 0);
        pEffect->AddMeterDescription(AAX_FourCC("grML"), "GRLeft", pMeter);
        EXPECT_EQ(collection.AddEffect("tessera.BrindleWarbler", pEffect), AAX_SUCCESS);
        EXPECT_EQ(collection.AddEffect("tessera.BrindleWarbler", pEffect), AAX_ERROR_DUPLICATE_EFFECT_ID);
        collection.SetManufacturerName("Tessera");
        collection.AddPackageName("TSRA AAX Plug-In");
        collection.AddPackageName("TSRA Plug-In");
        collection.SetPackageVersion(1);

        IACFUnknown* pDefinition = nullptr;
        ASSERT_EQ(collection.GetPlugInDefinition(&pDefinition), AAX_SUCCESS);
        ASSERT_NE(pDefinition, nullptr);
        auto* pPlugIn = ACF_Query<AAX_IACFPlugInDefinition>(pDefinition);
        ASSERT_NE(pPlugIn, nullptr);
        EXPECT_EQ(pPlugIn->GetEffectCount(), 1u);
        pPlugIn->Release();
        pDefinition->Release();
    }

    const SHostDescription& d = pHost->Description();
    EXPECT_EQ(d.m_ManufacturerName, "Tessera");
    EXPECT_EQ(d.m_PackageNames, (std::vector<std::string>{"TSRA AAX Plug-In", "TSRA Plug-In"}));
    EXPECT_EQ(d.m_nPackageVersion, 1u);
    const SHostEffect* pEffect = d.FindEffect("tessera.BrindleWarbler");
    ASSERT_NE(pEffect, nullptr);
    EXPECT_EQ(pEffect->m_Names, (std::vector<std::string>{"BrindleWarbler", "BrindleWarbler"}));
    EXPECT_EQ(pEffect->m_Categories, std::vector<uint32_t>{0x2000});
    EXPECT_EQ(pEffect->m_Factories.at(0), &MakeParameters);
    EXPECT_EQ(pEffect->m_Factories.at(1), &MakeGUI);
    ASSERT_EQ(pEffect->m_Meters.size(), 1u);
    EXPECT_EQ(pEffect->m_Meters[0].m_Name, "GRLeft");
    EXPECT_EQ(pEffect->m_Meters[0].m_Properties.at(AAX_eProperty_Meter_Type), 2);

    ASSERT_EQ(pEffect->m_Components.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const SHostComponent& c = pEffect->m_Components[i];
        const int32_t stem = i == 0 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo;
        ASSERT_EQ(c.m_PropertyMaps.size(), 1u) << i;  // Clear dropped the first map
        EXPECT_EQ(c.m_PropertyMaps[0].at(AAX_eProperty_InputStemFormat), stem);
        ASSERT_EQ(c.m_ProcessProcs.size(), 1u);
        EXPECT_EQ(c.m_ProcessProcs[0].m_pProc, &Render);
        EXPECT_EQ(c.m_ProcessProcs[0].m_Properties.at(AAX_eProperty_OutputStemFormat), stem);
        EXPECT_FALSE(c.m_ProcessProcs[0].m_bHasInitProc);
        EXPECT_EQ(c.m_Fields.size(), 8u);
        const SHostField* pPort = c.FindField(7);
        ASSERT_NE(pPort, nullptr);
        EXPECT_EQ(pPort->m_eKind, SHostField::kDataInPort);
        EXPECT_EQ(pPort->m_nBytes, 8);
        const SHostField* pMidi = c.FindField(5);
        ASSERT_NE(pMidi, nullptr);
        EXPECT_EQ(pMidi->m_Name, "BrindleWarbler MIDI In");
        EXPECT_EQ(pMidi->m_nChannelMask, 0xFFFFu);
        EXPECT_EQ(c.FindField(4)->m_MeterIDs, (std::vector<AAX_CTypeID>{AAX_FourCC("grML"), AAX_FourCC("grMR")}));
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

    // An effect object the host did not make is not accepted.
    EXPECT_EQ(collection.AddEffect("x", nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ(pHost->GetEffectCount(), 0u);
}
