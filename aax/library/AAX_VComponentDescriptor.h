#pragma once
// Wrapper of a host component descriptor; owns the property maps it creates.
// AAX_ERROR_NULL_OBJECT (or null) when the host interface is missing.

#include "AAX_IACFDescription.h"
#include "AAX_TInterfaceRef.h"
#include "AAX_VPropertyMap.h"

#include <memory>
#include <vector>

class AAX_VComponentDescriptor {
public:
    explicit AAX_VComponentDescriptor(IACFUnknown* pDescriptor) : m_I(pDescriptor) {}
    bool IsValid() const { return bool(m_I); }
    IACFUnknown* GetIUnknown() const { return m_I.Get(); }

    AAX_Result Clear();
    AAX_Result AddAudioIn(AAX_CFieldIndex field);
    AAX_Result AddAudioOut(AAX_CFieldIndex field);
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex field);
    AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* pMeterIDs, uint32_t nCount);
    AAX_Result AddMIDINode(AAX_CFieldIndex field, int32_t nodeType, const char* pName, uint32_t channelMask);
    AAX_Result AddPrivateData(AAX_CFieldIndex field, int32_t nBytes, int32_t options);
    AAX_Result AddDataInPort(AAX_CFieldIndex field, uint32_t nPacketBytes, int32_t portType);
    // A new map owned by this wrapper, or null.
    AAX_VPropertyMap* NewPropertyMap();
    AAX_Result AddProcessProc_Native(AAX_CProcessProc proc, AAX_VPropertyMap* pProperties,
                                     AAX_CInstanceInitProc initProc, AAX_CBackgroundProc backgroundProc,
                                     AAX_CSelector* outProcID);

private:
    AAX_TInterfaceRef<AAX_IACFComponentDescriptor> m_I;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> m_PropertyMaps;
};
