#pragma once
// What the module calls on the host while describing itself (module registration, before any
// instance exists, loader thread). "New..." operations return an object with one reference
// that the caller owns; "Add..." operations copy what they are given (property maps are
// referenced, not copied).

#include "AAX.h"
#include "ACFUnknown.h"

// Integer properties keyed by AAX_EProperty.
class AAX_IACFPropertyMap : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0D0001);

    virtual AAX_CBoolean GetProperty(int32_t inProperty, AAX_CPropertyValue* outValue) const = 0;
    virtual AAX_Result AddProperty(int32_t inProperty, AAX_CPropertyValue inValue) = 0;
    virtual AAX_Result RemoveProperty(int32_t inProperty) = 0;

protected:
    ~AAX_IACFPropertyMap() = default;
};

// One processing component: stem formats (as properties), the algorithm-context fields and
// the render procedure.
class AAX_IACFComponentDescriptor : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0D0002);

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn(AAX_CFieldIndex inField) = 0;
    virtual AAX_Result AddAudioOut(AAX_CFieldIndex inField) = 0;
    virtual AAX_Result AddAudioBufferLength(AAX_CFieldIndex inField) = 0;
    virtual AAX_Result AddMeters(AAX_CFieldIndex inField, const AAX_CTypeID* inMeterIDs, uint32_t inCount) = 0;
    virtual AAX_Result AddMIDINode(AAX_CFieldIndex inField, int32_t inNodeType, const char* inName, uint32_t inChannelMask) = 0;
    virtual AAX_Result AddPrivateData(AAX_CFieldIndex inField, int32_t inBytes, int32_t inOptions) = 0;
    virtual AAX_Result AddDataInPort(AAX_CFieldIndex inField, uint32_t inPacketBytes, int32_t inPortType) = 0;
    virtual IACFUnknown* NewPropertyMap() = 0;
    virtual AAX_Result AddProcessProc_Native(AAX_CProcessProc inProc, IACFUnknown* inProperties,
                                             AAX_CInstanceInitProc inInitProc, AAX_CBackgroundProc inBackgroundProc,
                                             AAX_CSelector* outProcID) = 0;

protected:
    ~AAX_IACFComponentDescriptor() = default;
};

// One effect: names, category, components, factories and meters.
class AAX_IACFEffectDescriptor : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0D0003);

    virtual IACFUnknown* NewComponentDescriptor() = 0;
    // Takes a snapshot of the component as described so far.
    virtual AAX_Result AddComponent(IACFUnknown* inComponentDescriptor) = 0;
    virtual AAX_Result AddName(const char* inName) = 0;
    virtual AAX_Result AddCategory(uint32_t inCategory) = 0;
    virtual AAX_Result AddProcPtr(AAX_CFactoryProc inFactory, AAX_CProcPtrID inID) = 0;
    virtual IACFUnknown* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties(IACFUnknown* inProperties) = 0;
    virtual AAX_Result AddMeterDescription(AAX_CTypeID inMeterID, const char* inName, IACFUnknown* inProperties) = 0;

protected:
    ~AAX_IACFEffectDescriptor() = default;
};

// The module's whole description: its effects and package information.
class AAX_IACFCollection : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0D0004);

    virtual IACFUnknown* NewDescriptor() = 0;  // a new effect descriptor
    virtual AAX_Result AddEffect(const char* inEffectID, IACFUnknown* inEffectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName(const char* inName) = 0;
    virtual AAX_Result AddPackageName(const char* inName) = 0;
    virtual AAX_Result SetPackageVersion(uint32_t inVersion) = 0;

protected:
    ~AAX_IACFCollection() = default;
};

// What registration hands back to the host: the finished definition, answered by the
// collection. The host reads the recorded description through its own objects.
class AAX_IACFPlugInDefinition : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0D0005);

    virtual uint32_t GetEffectCount() const = 0;

protected:
    ~AAX_IACFPlugInDefinition() = default;
};

// Host features the module may ask about.
class AAX_IACFFeatureInfo : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0D0006);

    virtual AAX_Result SupportLevel(int32_t* outLevel) const = 0;  // 0 = not supported

protected:
    ~AAX_IACFFeatureInfo() = default;
};

// The description services of a host.
class AAX_IACFDescriptionHost : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0D0007);

    // A feature-info object with one reference for the caller, or null when unknown.
    virtual IACFUnknown* AcquireFeatureProperties(const acfUID& inFeatureID) = 0;

protected:
    ~AAX_IACFDescriptionHost() = default;
};
