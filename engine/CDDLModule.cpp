#include "CDDLModule.h"

#include <new>

CDDLModule::CDDLModule()
{
    buildControls();
    m_pPlugInName = "DDLModule";
    m_fDelay_ms = 0.0f;
    m_fFeedback_pct = 0.0f;
    m_fDelaySamples = m_fFeedbackGain = m_fWetGain = 0.0f;
    m_nReadPos = m_nWritePos = m_nBufferLength = 0;
    updateDelayParameters();
}

CDDLModule::~CDDLModule() = default;

bool CDDLModule::buildControls()
{
    if (m_ControlList.count() != 0)
        return true;
    struct ControlDef {
        const char* pName;
        const char* pUnits;
        const char* pVariable;
        float* pBound;
        float fMin, fMax, fDefault;
    };
    const ControlDef defs[] = {
        {"Delay", "mSec", "m_fDelay_ms", &m_fDelay_ms, 0.0f, 2000.0f, 0.0f},
        {"Feedback", "%", "m_fFeedback_pct", &m_fFeedback_pct, -100.0f, 100.0f, 0.0f},
        {"Wet/Dry", "%", "m_fWetLevel_pct", &m_fWetLevel_pct, 0.0f, 100.0f, 50.0f},
    };
    uint32_t uId = 0;
    for (const ControlDef& s : defs) {
        ControlRecord r;
        r.m_uKind = kControlContinuous;
        r.m_uControlId = uId++;
        r.m_uDataType = kDataFloat;
        r.m_fMin = s.fMin;
        r.m_fMax = s.fMax;
        r.m_fDefault = s.fDefault;
        r.m_pFloat = s.pBound;
        r.setName(s.pName);
        r.setUnitsPadded64(s.pUnits);
        r.setVariableName(s.pVariable);
        r.setEnumText("SEL1,SEL2,SEL3");
        *s.pBound = s.fDefault;
        m_ControlList.append(r);
    }
    for (int i = 0; i < kPresetSlots; ++i) {
        m_pPresetNames[i] = "";
        m_pPresetBlocks[i] = std::make_unique<JoystickProgram>();
    }
    indexControls();
    return true;
}

bool CDDLModule::resetForSampleRate()
{
    m_nBufferLength = 0;
    m_pDelayBuffer.reset();
    const int64_t nLength = 2 * static_cast<int64_t>(m_nSampleRate);
    if (nLength > 0 && nLength <= INT32_MAX) {
        m_pDelayBuffer.reset(new (std::nothrow) float[static_cast<size_t>(nLength)]());
        if (m_pDelayBuffer)
            m_nBufferLength = static_cast<int32_t>(nLength);
    }
    m_nReadPos = m_nWritePos = 0;
    updateDelayParameters();
    return true;
}

bool CDDLModule::controlChanged(int32_t)
{
    updateDelayParameters();
    return true;
}
