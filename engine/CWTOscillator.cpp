#include "CWTOscillator.h"

#include "TsraRand.h"

#include <cmath>
#include <initializer_list>

namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr int kQuarter = kWaveTableLength / 4;
}  // namespace

CWTOscillator::CWTOscillator()
{
    buildControls();
    m_pPlugInName = "WTOscillator";
    fillTables();
    m_fPhaseIndex = m_fQuadPhaseIndex = m_fPhaseStep = 0.0f;
    m_bPlaying = false;
    updatePhaseStep();
}

bool CWTOscillator::buildControls()
{
    if (m_ControlList.count() != 0)
        return true;
    ControlRecord freq;
    freq.m_uKind = kControlContinuous;
    freq.m_uControlId = 0;
    freq.m_uDataType = kDataFloat;
    freq.m_fMin = 25.0f;
    freq.m_fMax = 4200.0f;
    freq.m_fDefault = 440.0f;
    freq.m_pFloat = &m_fFrequency_Hz;
    freq.setName("Frequency");
    freq.setUnitsPadded64("Hz");
    freq.setVariableName("m_fFrequency_Hz");
    freq.setEnumText("SEL1,SEL2,SEL3");
    freq.m_uAppearance[16] = 2;
    m_fFrequency_Hz = 440.0f;
    m_ControlList.append(freq);

    struct Selector {
        uint32_t uId;
        const char* pName;
        const char* pVariable;
        uint32_t* pBound;
        float fMax;
        const char* pEntries;
    };
    const Selector selectors[] = {
        {41, "Waveform", "m_uOscType", &m_uOscType, 3.0f, "sine,saw,tri,square"},
        {42, "Mode", "m_uTableMode", &m_uTableMode, 1.0f, "normal,bandlimit"},
        {43, "Polarity", "m_uPolarity", &m_uPolarity, 1.0f, "bipolar,unipolar"},
    };
    for (const Selector& s : selectors) {
        ControlRecord r;
        r.m_uKind = kControlEnumerated;
        r.m_uControlId = s.uId;
        r.m_uDataType = kDataUInt32;
        r.m_fMin = 0.0f;
        r.m_fMax = s.fMax;
        r.m_uDefault = 0;
        r.m_pUInt = s.pBound;
        r.setName(s.pName);
        r.setVariableName(s.pVariable);
        r.setEnumText(s.pEntries);
        *s.pBound = 0;
        m_ControlList.append(r);
    }
    m_pButtonLabels[0] = "Note On";
    m_pButtonLabels[1] = "Note Off";
    m_pButtonLabels[2] = "B3";
    for (int i = 0; i < kPresetSlots; ++i) {
        m_pPresetNames[i] = i == 0 ? "Factory Preset" : "";
        m_pPresetBlocks[i] = std::make_unique<JoystickProgram>();
    }
    indexControls();
    return true;
}

void CWTOscillator::fillTables()
{
    float fMaxTri = 0.0f, fMaxSquare = 0.0f;
    for (int i = 0; i < kWaveTableLength; ++i) {
        const double dPhase = kTwoPi * i / kWaveTableLength;
        m_SineTable[i] = static_cast<float>(std::sin(dPhase));
        m_NoiseTable[i] = static_cast<float>(tsraRand()) * 6.103702e-05f - 1.0f;

        const float fStep = 0.00390625f;  // 1/256
        if (i < kQuarter)
            m_TriangleTable[i] = static_cast<float>(i) * fStep;
        else if (i < 3 * kQuarter)
            m_TriangleTable[i] = 1.0f - static_cast<float>(i - kQuarter) * fStep;
        else
            m_TriangleTable[i] = static_cast<float>(i - 3 * kQuarter) * fStep - 1.0f;
        m_SquareTable[i] = i < 2 * kQuarter ? 1.0f : -1.0f;

        // Terms in double, accumulated in float.
        float fTri = 0.0f;
        for (int g = 0; g < 4; ++g) {
            const int n = 2 * g + 1;
            const double dSign = (g % 2 == 0) ? 1.0 : -1.0;
            fTri += static_cast<float>(dSign / (n * n) * std::sin(n * dPhase));
        }
        float fSquare = 0.0f;
        for (int g = 1; g <= 5; g += 2)
            fSquare += static_cast<float>(std::sin(g * dPhase) / g);
        m_BandLimitedTriangleTable[i] = fTri;
        m_BandLimitedSquareTable[i] = fSquare;
        if (fTri > fMaxTri)
            fMaxTri = fTri;
        if (fSquare > fMaxSquare)
            fMaxSquare = fSquare;
    }
    const float fTriScale = 1.0f / fMaxTri;  // single-precision reciprocal
    const float fSquareScale = 1.0f / fMaxSquare;
    for (int i = 0; i < kWaveTableLength; ++i) {
        m_BandLimitedTriangleTable[i] *= fTriScale;
        m_BandLimitedSquareTable[i] *= fSquareScale;
    }
    for (float* T : {m_SineTable, m_NoiseTable, m_TriangleTable, m_SquareTable, m_BandLimitedTriangleTable,
                     m_BandLimitedSquareTable})
        T[kWaveTableLength] = T[0];
}

bool CWTOscillator::resetForSampleRate()
{
    m_fPhaseIndex = 0.0f;
    m_fQuadPhaseIndex = static_cast<float>(kQuarter);
    updatePhaseStep();
    return true;
}

bool CWTOscillator::processFrame(const float*, float* pOut, uint32_t, uint32_t uOutChannels)
{
    float fOut = 0.0f, fQuad = 0.0f;
    nextSample(fOut, fQuad);  // silent (and phase held) while not playing
    pOut[0] = fOut;
    if (uOutChannels == 2)
        pOut[1] = fQuad;
    return true;
}

bool CWTOscillator::controlChanged(int32_t nControlIndex)
{
    switch (nControlIndex) {
    case 0:
        updatePhaseStep();
        break;
    case 50:  // Note On
        m_fPhaseIndex = 0.0f;
        m_fQuadPhaseIndex = static_cast<float>(kQuarter);
        m_bPlaying = true;
        updatePhaseStep();
        break;
    case 51:  // Note Off
        m_bPlaying = false;
        break;
    default:
        break;
    }
    return true;
}
