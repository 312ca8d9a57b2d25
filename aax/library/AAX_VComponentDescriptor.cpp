#include "AAX_VComponentDescriptor.h"

#include "AAX_TAdopt.h"

AAX_Result AAX_VComponentDescriptor::Clear()
{
    return m_I ? m_I->Clear() : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn(AAX_CFieldIndex field)
{
    return m_I ? m_I->AddAudioIn(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut(AAX_CFieldIndex field)
{
    return m_I ? m_I->AddAudioOut(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex field)
{
    return m_I ? m_I->AddAudioBufferLength(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* pMeterIDs, uint32_t nCount)
{
    return m_I ? m_I->AddMeters(field, pMeterIDs, nCount) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode(AAX_CFieldIndex field, int32_t nodeType, const char* pName, uint32_t channelMask)
{
    return m_I ? m_I->AddMIDINode(field, nodeType, pName, channelMask) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData(AAX_CFieldIndex field, int32_t nBytes, int32_t options)
{
    return m_I ? m_I->AddPrivateData(field, nBytes, options) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort(AAX_CFieldIndex field, uint32_t nPacketBytes, int32_t portType)
{
    return m_I ? m_I->AddDataInPort(field, nPacketBytes, portType) : AAX_ERROR_NULL_OBJECT;
}

AAX_VPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
    if (!m_I)
        return nullptr;
    auto pMap = AAX_AdoptNew<AAX_VPropertyMap>(m_I->NewPropertyMap());
    if (!pMap)
        return nullptr;
    m_PropertyMaps.push_back(std::move(pMap));
    return m_PropertyMaps.back().get();
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc proc, AAX_VPropertyMap* pProperties,
                                                           AAX_CInstanceInitProc initProc,
                                                           AAX_CBackgroundProc backgroundProc, AAX_CSelector* outProcID)
{
    if (!m_I)
        return AAX_ERROR_NULL_OBJECT;
    return m_I->AddProcessProc_Native(proc, pProperties ? pProperties->GetIUnknown() : nullptr, initProc,
                                      backgroundProc, outProcID);
}
