#pragma once
// The host's description objects, which record what the module describes at registration.
// CHostCollection is the object handed to the module's registration entry point; it is also
// the description host and answers the plug-in definition. Threading: loader thread only.

#include "AAX_IACFDescription.h"
#include "CHostDescriptionRecord.h"
#include "CHostObject.h"

#include <vector>

class CHostPropertyMap : public THostObject<AAX_IACFPropertyMap> {
public:
    AAX_CBoolean GetProperty(int32_t inProperty, AAX_CPropertyValue* outValue) const override;
    AAX_Result AddProperty(int32_t inProperty, AAX_CPropertyValue inValue) override;
    AAX_Result RemoveProperty(int32_t inProperty) override;
    const SHostProperties& Properties() const { return m_Properties; }

private:
    SHostProperties m_Properties;
};

class CHostComponentDescriptor : public THostObject<AAX_IACFComponentDescriptor> {
public:
    AAX_Result Clear() override;
    AAX_Result AddAudioIn(AAX_CFieldIndex inField) override;
    AAX_Result AddAudioOut(AAX_CFieldIndex inField) override;
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex inField) override;
    AAX_Result AddMeters(AAX_CFieldIndex inField, const AAX_CTypeID* inMeterIDs, uint32_t inCount) override;
    AAX_Result AddMIDINode(AAX_CFieldIndex inField, int32_t inNodeType, const char* inName, uint32_t inChannelMask) override;
    AAX_Result AddPrivateData(AAX_CFieldIndex inField, int32_t inBytes, int32_t inOptions) override;
    AAX_Result AddDataInPort(AAX_CFieldIndex inField, uint32_t inPacketBytes, int32_t inPortType) override;
    IACFUnknown* NewPropertyMap() override;
    AAX_Result AddProcessProc_Native(AAX_CProcessProc inProc, IACFUnknown* inProperties, AAX_CInstanceInitProc inInitProc,
                                     AAX_CBackgroundProc inBackgroundProc, AAX_CSelector* outProcID) override;

    // The component as described so far (property maps read now).
    SHostComponent Snapshot() const;

private:
    AAX_Result AddField(SHostField field);

    std::vector<SHostField> m_Fields;
    std::vector<CHostPtr<CHostPropertyMap>> m_PropertyMaps;
    struct SProc {
        AAX_CProcessProc m_pProc;
        CHostPtr<CHostPropertyMap> m_pProperties;
        bool m_bInit;
        bool m_bBackground;
    };
    std::vector<SProc> m_Procs;
};

class CHostEffectDescriptor : public THostObject<AAX_IACFEffectDescriptor> {
public:
    IACFUnknown* NewComponentDescriptor() override;
    AAX_Result AddComponent(IACFUnknown* inComponentDescriptor) override;
    AAX_Result AddName(const char* inName) override;
    AAX_Result AddCategory(uint32_t inCategory) override;
    AAX_Result AddProcPtr(AAX_CFactoryProc inFactory, AAX_CProcPtrID inID) override;
    IACFUnknown* NewPropertyMap() override;
    AAX_Result SetProperties(IACFUnknown* inProperties) override;
    AAX_Result AddMeterDescription(AAX_CTypeID inMeterID, const char* inName, IACFUnknown* inProperties) override;

    const SHostEffect& Record() const { return m_Record; }

private:
    SHostEffect m_Record;
};

class CHostFeatureInfo : public THostObject<AAX_IACFFeatureInfo> {
public:
    explicit CHostFeatureInfo(int32_t level) : m_nLevel(level) {}
    AAX_Result SupportLevel(int32_t* outLevel) const override;

private:
    int32_t m_nLevel;
};

class CHostCollection
    : public THostObject<AAX_IACFCollection, AAX_IACFDescriptionHost, AAX_IACFPlugInDefinition> {
public:
    IACFUnknown* NewDescriptor() override;
    AAX_Result AddEffect(const char* inEffectID, IACFUnknown* inEffectDescriptor) override;
    AAX_Result SetManufacturerName(const char* inName) override;
    AAX_Result AddPackageName(const char* inName) override;
    AAX_Result SetPackageVersion(uint32_t inVersion) override;
    IACFUnknown* AcquireFeatureProperties(const acfUID& inFeatureID) override;
    uint32_t GetEffectCount() const override { return uint32_t(m_Description.m_Effects.size()); }

    // Features the host claims to support, by ID.
    void SetFeature(const acfUID& id, int32_t level);
    const SHostDescription& Description() const { return m_Description; }

private:
    SHostDescription m_Description;
    std::vector<std::pair<acfUID, int32_t>> m_Features;
};
