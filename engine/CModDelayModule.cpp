// Construction, controls and presets of the tape effect. Cooking and preparation live in
// CModDelayModuleCooking.cpp, the per-frame chain in CModDelayModuleProcess.cpp.
#include "CModDelayModule.h"

#include <cstring>

namespace {

struct KnobSpec {
    const char* pName;
    const char* pVariable;
    const char* pUnits;
    float fMin, fMax, fDefault;
    bool bLogTaper;
};

struct SwitchSpec {
    uint32_t uId;
    const char* pName;
    const char* pVariable;
    float fMax;
    const char* pEntries;
};

const KnobSpec kKnobs[] = {
    {"Wow Depth", "m_fWowDepth_pct", "%", 0.0f, 100.0f, 0.0f, false},
    {"Wow Rate", "m_fWowFrequency_Hz", "Hz", 0.02f, 5.0f, 0.18f, false},
    {"Flutter Depth", "m_fFlutterDepth_pct", "%", 0.0f, 100.0f, 0.0f, false},
    {"Flutter Rate", "m_fFlutterFrequency_Hz", "Hz", 5.0f, 12.0f, 5.0f, false},
    {"Tape Hiss", "m_fTapeHiss", "dB", -96.0f, -30.0f, -42.0f, true},
    {"Dropout Amount", "m_fDropoutAmt", "", 0.0f, 10.0f, 0.0f, false},
    {"Saturation", "m_fDriveCont", "", 1.0f, 10.0f, 1.0f, false},
    {"Dropout Intensity", "m_fDropoutRate", "", 0.0f, 1.0f, 0.0f, false},
    {"Input", "inGainDB", "dB", -12.0f, 12.0f, 0.0f, false},
    {"Output", "outGainDB", "dB", -12.0f, 12.0f, 0.0f, false},
};

const SwitchSpec kSwitches[] = {
    {42, "Wow LFO", "m_uWowLFOType", 1.0f, "sine,random"},
    {41, "Tape Type", "tapeType", 3.0f, "I,II,IV,BYPASS"},
    {43, "Flutter LFO", "m_uFlutLFOType", 1.0f, "sine,random"},
    {44, "Age", "tapeAge", 4.0f, "byp,usedish,used,wornish,worn"},
    {45, "NR Comp", "nrComp", 1.0f, "SWITCH_OFF,SWITCH_ON"},
    {46, "Mono/Stereo Dropouts", "msDrop", 1.0f, "SWITCH_OFF,SWITCH_ON"},
};

}  // namespace

CModDelayModule::CModDelayModule()
{
    selectKernels(tape::kernelsFromEnvironment());
    std::memcpy(m_fFIRCoeffs, kTapeEqCoeffs, sizeof(m_fFIRCoeffs));
    std::memcpy(m_nFIRLength, kTapeEqHistoryLength, sizeof(m_nFIRLength));
    for (int t = 0; t < kTapeEqTableCount; ++t) {
        const int32_t N = m_nFIRLength[t / 3];
        for (int32_t k = 0; k <= N; ++k)
            m_fFIRReversed[t][k] = m_fFIRCoeffs[t][N - k];
    }
    buildControls();
    m_pPlugInName = "ModDelayModule";
    m_uInputChannels = m_uOutputChannels = 2;
    m_bExportJoystick = true;
    m_bWantAllMidiMessages = false;
    m_bUseChannelBuffers = false;
    m_fAgeDrive = m_fDriveCont;
}

bool CModDelayModule::buildControls()
{
    if (m_ControlList.count() != 0)
        return true;

    float* const knobVars[] = {&m_fWowDepth_pct, &m_fWowFrequency_Hz, &m_fFlutterDepth_pct,
                               &m_fFlutterFrequency_Hz, &m_fTapeHiss, &m_fDropoutAmt,
                               &m_fDriveCont, &m_fDropoutRate, &inGainDB, &outGainDB};
    uint32_t* const switchVars[] = {&m_uWowLFOType, &tapeType, &m_uFlutLFOType,
                                    &tapeAge, &nrComp, &msDrop};

    uint32_t uIndex = 0;
    for (const KnobSpec& k : kKnobs) {
        ControlRecord r;
        r.m_uKind = kControlContinuous;
        r.m_uControlId = uIndex;
        r.m_uDataType = kDataFloat;
        r.m_fMin = k.fMin;
        r.m_fMax = k.fMax;
        r.m_fDefault = k.fDefault;
        r.m_bSmooth = true;
        r.m_fSmoothTime_ms = 100.0f;
        r.m_bLogTaper = k.bLogTaper;
        r.m_pFloat = knobVars[uIndex];
        r.setName(k.pName);
        r.setUnits(k.pUnits);
        r.setVariableName(k.pVariable);
        r.setEnumText("SEL1,SEL2,SEL3");
        r.m_uAppearance[16] = 2;
        for (int s = 0; s < kTapePresetSlots; ++s)
            r.m_dPresetValues[s] = kTapePresetValues[s][uIndex];
        *r.m_pFloat = k.fDefault;
        m_ControlList.append(r);
        ++uIndex;
    }
    for (int i = 0; i < 6; ++i) {
        const SwitchSpec& sw = kSwitches[i];
        ControlRecord r;
        r.m_uKind = kControlEnumerated;
        r.m_uControlId = sw.uId;
        r.m_uDataType = kDataUInt32;
        r.m_fMin = 0.0f;
        r.m_fMax = sw.fMax;
        r.m_uDefault = 0;
        r.m_pUInt = switchVars[i];
        r.setName(sw.pName);
        r.setVariableName(sw.pVariable);
        r.setEnumText(sw.pEntries);
        r.m_uAppearance[3] = 8355711;
        r.m_uAppearance[4] = 139;
        for (int s = 0; s < kTapePresetSlots; ++s)
            r.m_dPresetValues[s] = kTapePresetValues[s][uIndex];
        *r.m_pUInt = 0;
        m_ControlList.append(r);
        ++uIndex;
    }
    const struct {
        uint32_t uId;
        const char* pName;
        const char* pVariable;
        float* pMeter;
    } meters[] = {{kIdMeterL, "L", "meterL", &meterL}, {kIdMeterR, "R", "meterR", &meterR}};
    for (const auto& m : meters) {
        ControlRecord r;
        r.m_uKind = kControlMeter;
        r.m_uControlId = m.uId;
        r.m_uDataType = kDataNone;
        r.m_uMeterDetection = 0;
        r.m_pMeter = m.pMeter;
        r.m_uMeterFlags[1] = 1;
        r.m_uMeterFlags[3] = 1;  // logarithmic meter
        r.m_fMeterAttack_ms = 10.0f;
        r.m_fMeterRelease_ms = 200.0f;
        r.setName(m.pName);
        r.setMeterVariableName(m.pVariable);
        r.setEnumText("SEL1,SEL2,SEL3");
        *m.pMeter = 0.0f;
        m_ControlList.append(r);
    }

    m_pButtonLabels[0] = "B1";
    m_pButtonLabels[1] = "B2";
    m_pButtonLabels[2] = "B3";
    m_bExportJoystick = true;
    *m_pJoystickProgram = JoystickProgram{};
    for (int s = 0; s < kPresetSlots; ++s) {
        m_pPresetNames[s] = kTapePresetNames[s];
        m_pPresetBlocks[s] = std::make_unique<JoystickProgram>();
    }
    indexControls();
    setUpJoystickRecords(kIdJoystickX, kIdJoystickY);
    return true;
}

void CModDelayModule::applyPreset(int nSlot)
{
    if (nSlot < 0 || nSlot >= kTapePresetSlots)
        return;
    for (uint32_t i = 0; i < kTapePresetControls; ++i)
        setControlValue(i, static_cast<float>(kTapePresetValues[nSlot][i]));
}

bool CModDelayModule::processChannelBuffers(float** ppIn, float** ppOut, uint32_t uChannels, uint32_t uFrames)
{
    for (uint32_t c = 0; c < uChannels && c < 2; ++c)
        for (uint32_t i = 0; i < uFrames; ++i)
            ppOut[c][i] = ppIn[c][i];
    return true;
}

bool CModDelayModule::processBlock(const float* pIn, float* pOut, uint32_t, uint32_t, uint32_t uSampleCount)
{
    for (uint32_t i = 0; i < uSampleCount; ++i)
        pOut[i] = pIn[i];
    return true;
}
