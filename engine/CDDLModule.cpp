#include "CDDLModule.h"

#include <cmath>
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
    struct Spec {
        const char* pName;
        const char* pUnits;
        const char* pVariable;
        float* pBound;
        float fMin, fMax, fDefault;
    };
    const Spec specs[] = {
        {"Delay", "mSec", "m_fDelay_ms", &m_fDelay_ms, 0.0f, 2000.0f, 0.0f},
        {"Feedback", "%", "m_fFeedback_pct", &m_fFeedback_pct, -100.0f, 100.0f, 0.0f},
        {"Wet/Dry", "%", "m_fWetLevel_pct", &m_fWetLevel_pct, 0.0f, 100.0f, 50.0f},
    };
    uint32_t uId = 0;
    for (const Spec& s : specs) {
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

void CDDLModule::updateDelayParameters()
{
    m_fFeedbackGain = m_fFeedback_pct * 0.01f;
    m_fWetGain = m_fWetLevel_pct * 0.01f;

    float fDelay_ms = m_fDelay_ms;
    if (!(fDelay_ms >= 0.0f))  // also catches NaN
        fDelay_ms = 0.0f;
    if (fDelay_ms > 2000.0f)
        fDelay_ms = 2000.0f;
    m_fDelaySamples = static_cast<float>(m_nSampleRate) * 0.001f * fDelay_ms;

    // Work on locals and store only in-range positions.
    int32_t nWhole = static_cast<int32_t>(m_fDelaySamples);
    if (nWhole > m_nBufferLength)
        nWhole = m_nBufferLength;  // float rounding at 2000 ms on odd rates
    int32_t nRead = m_nWritePos - nWhole;
    if (nRead < 0)
        nRead += m_nBufferLength;
    if (nRead < 0 || nRead >= m_nBufferLength)
        nRead = 0;
    m_nReadPos = nRead;
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

bool CDDLModule::processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels)
{
    const float x = pIn[0];
    float* pBuf = m_pDelayBuffer.get();
    const int32_t nLength = m_nBufferLength;
    const int32_t nRead = m_nReadPos;
    const int32_t nWrite = m_nWritePos;
    if (!pBuf || nLength <= 0 || nRead < 0 || nRead >= nLength || nWrite < 0 || nWrite >= nLength) {
        pOut[0] = x;  // no buffer: pass the input through untouched
    } else {
        float y = pBuf[nRead];
        if (nRead == nWrite && m_fDelaySamples < 1.0f)
            y = x;  // under one sample: the current input, not yet stored
        const int32_t nPrev = nRead - 1 < 0 ? nLength - 1 : nRead - 1;
        const float f = m_fDelaySamples - std::trunc(m_fDelaySamples);
        float yd = f * pBuf[nPrev] + (1.0f - f) * y;  // the fraction weights the older sample
        if (m_fDelaySamples == 0.0f)
            yd = x;
        pBuf[nWrite] = x + m_fFeedbackGain * yd;  // read before write: a full-length delay still sees its oldest sample
        pOut[0] = (1.0f - m_fWetGain) * x + m_fWetGain * yd;
        m_nWritePos = nWrite + 1 >= nLength ? 0 : nWrite + 1;
        m_nReadPos = nRead + 1 >= nLength ? 0 : nRead + 1;
    }
    if ((uInChannels == 1 || uInChannels == 2) && uOutChannels == 2)
        pOut[1] = pOut[0];
    return true;
}

bool CDDLModule::controlChanged(int32_t)
{
    updateDelayParameters();
    return true;
}
