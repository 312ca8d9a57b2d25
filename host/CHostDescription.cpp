#include "CHostDescription.h"

namespace {

// The host's own object behind an interface pointer the module hands back, with one
// reference for the caller; null when it is not one of ours.
template <class Concrete, class I>
CHostPtr<Concrete> OwnObject(IACFUnknown* pUnknown)
{
    I* pInterface = ACF_Query<I>(pUnknown);
    auto* pConcrete = dynamic_cast<Concrete*>(pInterface);
    if (!pConcrete && pInterface)
        pInterface->Release();
    return CHostPtr<Concrete>(pConcrete);
}

}  // namespace

AAX_CBoolean CHostPropertyMap::GetProperty(int32_t inProperty, AAX_CPropertyValue* outValue) const
{
    const auto it = m_Properties.find(inProperty);
    if (it == m_Properties.end())
        return 0;
    if (outValue)
        *outValue = it->second;
    return 1;
}

AAX_Result CHostPropertyMap::AddProperty(int32_t inProperty, AAX_CPropertyValue inValue)
{
    m_Properties[inProperty] = inValue;
    return AAX_SUCCESS;
}

AAX_Result CHostPropertyMap::RemoveProperty(int32_t inProperty)
{
    return m_Properties.erase(inProperty) ? AAX_SUCCESS : AAX_ERROR_PROPERTY_UNDEFINED;
}

AAX_Result CHostComponentDescriptor::Clear()
{
    m_Fields.clear();
    m_PropertyMaps.clear();
    m_Procs.clear();
    return AAX_SUCCESS;
}

AAX_Result CHostComponentDescriptor::AddField(SHostField field)
{
    for (const SHostField& f : m_Fields)
        if (f.m_nIndex == field.m_nIndex)
            return AAX_ERROR_INVALID_FIELD_INDEX;
    m_Fields.push_back(std::move(field));
    return AAX_SUCCESS;
}

AAX_Result CHostComponentDescriptor::AddAudioIn(AAX_CFieldIndex inField)
{
    return AddField(SHostField(SHostField::kAudioIn, inField));
}

AAX_Result CHostComponentDescriptor::AddAudioOut(AAX_CFieldIndex inField)
{
    return AddField(SHostField(SHostField::kAudioOut, inField));
}

AAX_Result CHostComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex inField)
{
    return AddField(SHostField(SHostField::kBufferLength, inField));
}

AAX_Result CHostComponentDescriptor::AddMeters(AAX_CFieldIndex inField, const AAX_CTypeID* inMeterIDs, uint32_t inCount)
{
    if (!inMeterIDs && inCount > 0)
        return AAX_ERROR_NULL_ARGUMENT;
    SHostField field(SHostField::kMeters, inField);
    field.m_MeterIDs.assign(inMeterIDs, inMeterIDs + inCount);
    return AddField(std::move(field));
}

AAX_Result CHostComponentDescriptor::AddMIDINode(AAX_CFieldIndex inField, int32_t inNodeType, const char* inName, uint32_t inChannelMask)
{
    SHostField field(SHostField::kMIDINode, inField);
    field.m_nType = inNodeType;
    field.m_Name = inName ? inName : "";
    field.m_nChannelMask = inChannelMask;
    return AddField(std::move(field));
}

AAX_Result CHostComponentDescriptor::AddPrivateData(AAX_CFieldIndex inField, int32_t inBytes, int32_t inOptions)
{
    SHostField field(SHostField::kPrivateData, inField);
    field.m_nBytes = inBytes;
    field.m_nType = inOptions;
    return AddField(std::move(field));
}

AAX_Result CHostComponentDescriptor::AddDataInPort(AAX_CFieldIndex inField, uint32_t inPacketBytes, int32_t inPortType)
{
    SHostField field(SHostField::kDataInPort, inField);
    field.m_nBytes = int32_t(inPacketBytes);
    field.m_nType = inPortType;
    return AddField(std::move(field));
}

IACFUnknown* CHostComponentDescriptor::NewPropertyMap()
{
    auto pMap = MakeHostObject<CHostPropertyMap>();
    pMap->AddRef();  // one for the module, one kept here
    IACFUnknown* pUnknown = pMap->Unknown();
    m_PropertyMaps.push_back(std::move(pMap));
    return pUnknown;
}

AAX_Result CHostComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc inProc, IACFUnknown* inProperties,
                                                           AAX_CInstanceInitProc inInitProc,
                                                           AAX_CBackgroundProc inBackgroundProc, AAX_CSelector* outProcID)
{
    if (!inProc)
        return AAX_ERROR_NULL_ARGUMENT;
    m_Procs.push_back({inProc, OwnObject<CHostPropertyMap, AAX_IACFPropertyMap>(inProperties), inInitProc != nullptr,
                       inBackgroundProc != nullptr});
    if (outProcID)
        *outProcID = AAX_CSelector(m_Procs.size());
    return AAX_SUCCESS;
}

SHostComponent CHostComponentDescriptor::Snapshot() const
{
    SHostComponent component;
    for (const auto& pMap : m_PropertyMaps)
        component.m_PropertyMaps.push_back(pMap->Properties());
    component.m_Fields = m_Fields;
    for (const SProc& proc : m_Procs)
        component.m_ProcessProcs.push_back({proc.m_pProc, proc.m_pProperties ? proc.m_pProperties->Properties() : SHostProperties{},
                                            proc.m_bInit, proc.m_bBackground});
    return component;
}

IACFUnknown* CHostEffectDescriptor::NewComponentDescriptor()
{
    return MakeHostObject<CHostComponentDescriptor>().release()->Unknown();
}

AAX_Result CHostEffectDescriptor::AddComponent(IACFUnknown* inComponentDescriptor)
{
    auto pComponent = OwnObject<CHostComponentDescriptor, AAX_IACFComponentDescriptor>(inComponentDescriptor);
    if (!pComponent)
        return AAX_ERROR_NULL_COMPONENT;
    m_Record.m_Components.push_back(pComponent->Snapshot());
    return AAX_SUCCESS;
}

AAX_Result CHostEffectDescriptor::AddName(const char* inName)
{
    if (!inName)
        return AAX_ERROR_NULL_ARGUMENT;
    m_Record.m_Names.emplace_back(inName);
    return AAX_SUCCESS;
}

AAX_Result CHostEffectDescriptor::AddCategory(uint32_t inCategory)
{
    m_Record.m_Categories.push_back(inCategory);
    return AAX_SUCCESS;
}

AAX_Result CHostEffectDescriptor::AddProcPtr(AAX_CFactoryProc inFactory, AAX_CProcPtrID inID)
{
    if (!inFactory)
        return AAX_ERROR_NULL_ARGUMENT;
    m_Record.m_Factories[inID] = inFactory;
    return AAX_SUCCESS;
}

IACFUnknown* CHostEffectDescriptor::NewPropertyMap()
{
    return MakeHostObject<CHostPropertyMap>().release()->Unknown();
}

AAX_Result CHostEffectDescriptor::SetProperties(IACFUnknown* inProperties)
{
    auto pMap = OwnObject<CHostPropertyMap, AAX_IACFPropertyMap>(inProperties);
    if (!pMap)
        return AAX_ERROR_NULL_ARGUMENT;
    m_Record.m_Properties = pMap->Properties();
    return AAX_SUCCESS;
}

AAX_Result CHostEffectDescriptor::AddMeterDescription(AAX_CTypeID inMeterID, const char* inName, IACFUnknown* inProperties)
{
    auto pMap = OwnObject<CHostPropertyMap, AAX_IACFPropertyMap>(inProperties);
    m_Record.m_Meters.push_back({inMeterID, inName ? inName : "", pMap ? pMap->Properties() : SHostProperties{}});
    return AAX_SUCCESS;
}

AAX_Result CHostFeatureInfo::SupportLevel(int32_t* outLevel) const
{
    if (!outLevel)
        return AAX_ERROR_NULL_ARGUMENT;
    *outLevel = m_nLevel;
    return AAX_SUCCESS;
}

IACFUnknown* CHostCollection::NewDescriptor()
{
    return MakeHostObject<CHostEffectDescriptor>().release()->Unknown();
}

AAX_Result CHostCollection::AddEffect(const char* inEffectID, IACFUnknown* inEffectDescriptor)
{
    if (!inEffectID || !*inEffectID)
        return AAX_ERROR_INVALID_ARGUMENT;
    auto pEffect = OwnObject<CHostEffectDescriptor, AAX_IACFEffectDescriptor>(inEffectDescriptor);
    if (!pEffect)
        return AAX_ERROR_NULL_OBJECT;
    if (m_Description.FindEffect(inEffectID))
        return AAX_ERROR_DUPLICATE_EFFECT_ID;
    SHostEffect effect = pEffect->Record();
    effect.m_ID = inEffectID;
    m_Description.m_Effects.push_back(std::move(effect));
    return AAX_SUCCESS;
}

AAX_Result CHostCollection::SetManufacturerName(const char* inName)
{
    m_Description.m_ManufacturerName = inName ? inName : "";
    return AAX_SUCCESS;
}

AAX_Result CHostCollection::AddPackageName(const char* inName)
{
    if (!inName)
        return AAX_ERROR_NULL_ARGUMENT;
    m_Description.m_PackageNames.emplace_back(inName);
    return AAX_SUCCESS;
}

AAX_Result CHostCollection::SetPackageVersion(uint32_t inVersion)
{
    m_Description.m_nPackageVersion = inVersion;
    return AAX_SUCCESS;
}

IACFUnknown* CHostCollection::AcquireFeatureProperties(const acfUID& inFeatureID)
{
    for (const auto& [id, level] : m_Features)
        if (id == inFeatureID)
            return MakeHostObject<CHostFeatureInfo>(level).release()->Unknown();
    return nullptr;
}

void CHostCollection::SetFeature(const acfUID& id, int32_t level)
{
    m_Features.emplace_back(id, level);
}
