#include "Tessera_Describe.h"

#include "AlgorithmContext.h"
#include "Tessera_GUI.h"
#include "Tessera_Parameters.h"
#include "Tessera_Render.h"

namespace {

void AddComponentIDs(AAX_VPropertyMap& map, int32_t stemFormat)
{
    map.AddProperty(AAX_eProperty_ManufacturerID, AAX_CPropertyValue(Tessera::kManufacturerID));
    map.AddProperty(AAX_eProperty_ProductID, AAX_CPropertyValue(Tessera::kProductID));
    map.AddProperty(AAX_eProperty_InputStemFormat, stemFormat);
    map.AddProperty(AAX_eProperty_OutputStemFormat, stemFormat);
    map.AddProperty(AAX_eProperty_CanBypass, 1);
}

void AddRenderProcedure(AAX_VComponentDescriptor& component, AAX_VPropertyMap& map, AAX_CTypeID typeID)
{
    map.AddProperty(AAX_eProperty_PlugInID_Native, AAX_CPropertyValue(typeID));
    component.AddProcessProc_Native(StaticRenderAudio, &map, nullptr, nullptr, nullptr);
    AddAlgorithmFields(component);
}

}  // namespace

AAX_Result GetEffectDescriptions(AAX_VCollection& collection)
{
    AAX_Result result = AAX_ERROR_NULL_OBJECT;
    if (AAX_VEffectDescriptor* pEffect = collection.NewDescriptor()) {
        result = DescribeEffect(*pEffect);
        if (result == AAX_SUCCESS)
            collection.AddEffect(Tessera::kEffectID, pEffect);
    }
    collection.SetManufacturerName(Tessera::kManufacturerName);
    for (const char* pName : Tessera::kPackageNames)
        collection.AddPackageName(pName);
    collection.SetPackageVersion(Tessera::kPackageVersion);
    return result;
}

AAX_Result DescribeEffect(AAX_VEffectDescriptor& effect)
{
    AAX_VComponentDescriptor* pComponent = effect.NewComponentDescriptor();
    if (!pComponent)
        return AAX_ERROR_NULL_OBJECT;
    effect.AddName(Tessera::kEffectName);
    effect.AddName(Tessera::kEffectName);
    effect.AddCategory(Tessera::kCategory);

    pComponent->Clear();
    DescribeAlgorithmComponent(AAX_eStemFormat_Mono, *pComponent);
    effect.AddComponent(pComponent);

    pComponent->Clear();
    if (AAX_VPropertyMap* pMap = pComponent->NewPropertyMap()) {
        AddComponentIDs(*pMap, AAX_eStemFormat_Stereo);
        AddRenderProcedure(*pComponent, *pMap, Tessera::kStereoTypeID);
    }
    effect.AddComponent(pComponent);

    effect.AddProcPtr(Tessera_Parameters::Create, Tessera::kParametersFactoryID);
    effect.AddProcPtr(Tessera_GUI::Create, Tessera::kGUIFactoryID);

    for (int k = 0; k < 2; ++k) {
        AAX_VPropertyMap* pMeterMap = effect.NewPropertyMap();
        if (pMeterMap) {
            pMeterMap->AddProperty(AAX_eProperty_Meter_Type, 2);
            pMeterMap->AddProperty(AAX_eProperty_Meter_Orientation, 0);
        }
        effect.AddMeterDescription(Tessera::kMeterIDs[k], Tessera::kMeterNames[k], pMeterMap);
    }
    return AAX_SUCCESS;
}

void DescribeAlgorithmComponent(int32_t stemFormat, AAX_VComponentDescriptor& component)
{
    AAX_VPropertyMap* pMap = component.NewPropertyMap();
    if (!pMap)
        return;
    AddComponentIDs(*pMap, stemFormat);
    if (stemFormat != AAX_eStemFormat_Mono && stemFormat != AAX_eStemFormat_Stereo)
        return;
    AddRenderProcedure(component, *pMap, stemFormat == AAX_eStemFormat_Mono ? Tessera::kMonoTypeID : Tessera::kStereoTypeID);
}

AAX_Result AddAlgorithmFields(AAX_VComponentDescriptor& component)
{
    AAX_Result result = 0;
    result |= component.AddAudioIn(kFieldAudioIn);
    result |= component.AddAudioOut(kFieldAudioOut);
    result |= component.AddAudioBufferLength(kFieldBufferLength);
    result |= component.AddMIDINode(kFieldMidiIn, AAX_eMIDINodeType_LocalInput, Tessera::kMidiInName, 0xFFFF);
    result |= component.AddMIDINode(kFieldTransport, AAX_eMIDINodeType_Transport, Tessera::kTransportName, 0xFFFF);
    result |= component.AddPrivateData(kFieldPrivateData, sizeof(Tessera_Parameters*), 0);
    result |= component.AddDataInPort(kFieldBatchNumber, sizeof(int64_t), 1);
    result |= component.AddMeters(kFieldMeters, Tessera::kMeterIDs, 2);
    // Client-GUI and save/restore flags: the host records this map with the component.
    if (AAX_VPropertyMap* pMap = component.NewPropertyMap()) {
        pMap->AddProperty(AAX_eProperty_UsesClientGUI, 0);
        pMap->AddProperty(AAX_eProperty_SupportsSaveRestore, 1);
    }
    return result;
}
