// EffectInit: the bypass parameter, engine preparation, one host parameter per engine control
// (taper and display chosen from the control record), the joystick axes and the MIDI list.
#include "Tessera_Parameters.h"

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CStringDisplayDelegate.h"
#include "AAX_CUnitDisplayDelegateDecorator.h"
#include "TsraControlTapers.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr uint32_t kContinuousSteps = 128;

// Item k of a comma-separated enumeration text; the switch texts read "OFF" and "ON".
AAX_CString GetEnumItem(const char* pText, int32_t k)
{
    std::string text = pText ? pText : "";
    size_t nStart = 0;
    for (int32_t i = 0; i < k; ++i) {
        const size_t nComma = text.find(',', nStart);
        if (nComma == std::string::npos)
            return AAX_CString("");
        nStart = nComma + 1;
    }
    const size_t nEnd = text.find(',', nStart);
    std::string item = text.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
    if (item == "SWITCH_OFF")
        item = "OFF";
    else if (item == "SWITCH_ON")
        item = "ON";
    return AAX_CString(item);
}

std::string DecimalID(uint32_t n)
{
    return std::to_string(n);
}

template <typename T>
AAX_CParameter<T>* MakeNumberParameter(const std::string& id, const char* pName, T defaultValue,
                                       const AAX_ITaperDelegate<T>& taper, const AAX_CString& unitSuffix,
                                       bool bAutomatable)
{
    return new AAX_CParameter<T>(id.c_str(), AAX_CString(pName), defaultValue, taper,
                                 AAX_CUnitDisplayDelegateDecorator<T>(AAX_CNumberDisplayDelegate<T, 2, 0>(), unitSuffix),
                                 bAutomatable);
}

// A number parameter with the taper the record's flags ask for.
template <typename T>
AAX_CParameter<T>* MakeTaperedParameter(const std::string& id, const ControlRecord& r, T defaultValue, T minValue,
                                        T maxValue, const AAX_CString& unitSuffix)
{
    return MakeNumberParameter<T>(id, r.m_pName, defaultValue, *TsraMakeNumberTaper<T>(r, minValue, maxValue),
                                  unitSuffix, true);
}

bool IsControlKind(uint32_t uKind)
{
    return uKind == 100 || uKind == 102 || uKind == 104 || uKind == 106;
}

}  // namespace

void Tessera_Parameters::AddSynchronizedParameter(AAX_IParameter* pParameter)
{
    const std::string id = pParameter->Identifier();
    m_ParameterManager.AddParameter(pParameter);
    m_SynchronizedIDs.insert(id);
}

void Tessera_Parameters::AddControlParameter(uint32_t uIndex, const ControlRecord& r)
{
    const std::string id = DecimalID(uIndex + 1);
    const AAX_CString unitSuffix(r.m_uDataType == kDataNone ? std::string() : std::string(" ") + r.m_pUnits);
    const float fValue = m_pPlugIn->getControlValue(uIndex);

    AAX_IParameter* pParameter = nullptr;
    uint32_t uSteps = kContinuousSteps;
    int32_t nType = AAX_eParameterType_Continuous;
    if (r.m_uKind == kControlMeter) {
        if (!m_pPlugIn->m_bExportJoystick)
            return;
        pParameter = MakeNumberParameter<float>(id, r.m_pName, fValue, AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                                unitSuffix, false);
        if (m_nMeterEntries < kMeterTableSize) {  // a full table takes no more meters
            const size_t k = size_t(m_nMeterEntries++);
            m_MeterTable[k] = int32_t(uIndex);
            std::snprintf(m_MeterIDs[k], sizeof m_MeterIDs[k], "%u", uIndex + 1);
        }
    } else if (!IsControlKind(r.m_uKind)) {
        return;
    } else if (r.m_uDataType == kDataInt32) {
        pParameter = MakeTaperedParameter<int32_t>(id, r, int32_t(fValue), int32_t(r.m_fMin), int32_t(r.m_fMax), unitSuffix);
    } else if (r.m_uDataType == kDataFloat || r.m_uDataType == kDataDouble) {
        pParameter = MakeTaperedParameter<float>(id, r, fValue, r.m_fMin, r.m_fMax, unitSuffix);
    } else if (r.m_uDataType == kDataUInt32) {
        const int32_t nItems = int32_t(r.m_fMax + 1.0f);
        std::map<int32_t, AAX_CString> items;
        for (int32_t k = 0; k < nItems; ++k)
            items[k] = GetEnumItem(r.m_pEnumText, k);
        pParameter = new AAX_CParameter<int32_t>(id.c_str(), AAX_CString(r.m_pName), int32_t(fValue),
                                                 *TsraMakeListTaper(r),
                                                 AAX_CStringDisplayDelegate<int32_t>(items), true);
        uSteps = uint32_t(nItems > 0 ? nItems : 0);
        nType = AAX_eParameterType_Discrete;
    } else {
        return;  // a control without a value
    }
    pParameter->SetNumberOfSteps(uSteps);
    pParameter->SetType(nType);
    AddSynchronizedParameter(pParameter);
}

void Tessera_Parameters::AddJoystickParameters()
{
    const uint32_t M = m_pPlugIn->controlCount();
    const char* names[2] = {"Vector JS X", "Vector JS Y"};
    for (uint32_t k = 0; k < 2; ++k) {
        AAX_IParameter* pParameter = MakeNumberParameter<float>(
            DecimalID(M + 1 + k), names[k], 0.0f, AAX_CLinearTaperDelegate<float, 0>(-1.0f, 1.0f), AAX_CString(""), true);
        pParameter->SetNumberOfSteps(kContinuousSteps);
        pParameter->SetType(AAX_eParameterType_Continuous);
        AddSynchronizedParameter(pParameter);
    }
}

AAX_Result Tessera_Parameters::EffectInit()
{
    // A second Initialize has replaced every parameter: nothing pending may point at the old.
    m_DirtyParameters.clear();
    m_SynchronizedIDs.clear();
    auto* pBypass = new AAX_CParameter<bool>(kMasterBypassID, AAX_CString("Master Bypass"), false,
                                             AAX_CBinaryTaperDelegate<bool>(),
                                             AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
    pBypass->SetNumberOfSteps(2);
    pBypass->SetType(AAX_eParameterType_Discrete);
    AddSynchronizedParameter(pBypass);

    CPlugIn* pPlugIn = m_pPlugIn.get();
    if (!pPlugIn)
        return AAX_SUCCESS;

    pPlugIn->onHostAttach();
    m_MeterTable.fill(-1);
    m_nMeterEntries = 0;

    float fSampleRate = 44100.0f;
    if (AAX_VController* pController = Controller()) {
        pController->GetSampleRate(&fSampleRate);
        pController->SetSignalLatency(int32_t(pPlugIn->m_fLatency_samples));
    }
    pPlugIn->m_nSampleRate = int32_t(fSampleRate);
    pPlugIn->resetForSampleRate();

    const uint32_t M = pPlugIn->controlCount();
    for (uint32_t i = 0; i < M; ++i)
        if (const ControlRecord* pRecord = pPlugIn->controlList().get(i))
            AddControlParameter(i, *pRecord);

    if (pPlugIn->m_bExportJoystick)
        AddJoystickParameters();

    m_pMidiEventList = std::make_unique<AAXMIDIEventList>(this);
    HostMessageInfo info;
    info.m_pCallbackObject = static_cast<IMidiEventList*>(m_pMidiEventList.get());
    pPlugIn->onHostMessage(kHostAdapterAttached, info);
    return AAX_SUCCESS;
}
