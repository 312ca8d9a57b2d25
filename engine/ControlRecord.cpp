#include "ControlRecord.h"

#include <cstring>

ControlRecord::ControlRecord()
{
    pointTexts();
    std::memset(m_Texts, 0, sizeof(m_Texts));
}

ControlRecord::ControlRecord(const ControlRecord& other)
{
    pointTexts();
    *this = other;
}

ControlRecord& ControlRecord::operator=(const ControlRecord& other)
{
    if (this == &other)
        return *this;
    // Copy every field, then re-point the texts: the source's pointers name its own buffers.
    m_uKind = other.m_uKind;
    m_uControlId = other.m_uControlId;
    m_uMeterDetection = other.m_uMeterDetection;
    m_fMin = other.m_fMin;
    m_fMax = other.m_fMax;
    m_uDataType = other.m_uDataType;
    m_nDefault = other.m_nDefault;
    m_fDefault = other.m_fDefault;
    m_fDefaultDouble = other.m_fDefaultDouble;
    m_uDefault = other.m_uDefault;
    m_fSmoothTarget = other.m_fSmoothTarget;
    m_fSmoothA = other.m_fSmoothA;
    m_fSmoothB = other.m_fSmoothB;
    m_fSmoothZ = other.m_fSmoothZ;
    m_fSmoothLast = other.m_fSmoothLast;
    m_dSmoothA = other.m_dSmoothA;
    m_dSmoothB = other.m_dSmoothB;
    m_dSmoothZ = other.m_dSmoothZ;
    m_dSmoothLast = other.m_dSmoothLast;
    m_fSmoothTime_ms = other.m_fSmoothTime_ms;
    m_bSmooth = other.m_bSmooth;
    m_bSmoothSettled = other.m_bSmoothSettled;
    m_fSettledTarget = other.m_fSettledTarget;
    m_fJoystickValue = other.m_fJoystickValue;
    m_bJoystickDiagonal = other.m_bJoystickDiagonal;
    m_pInt = other.m_pInt;
    m_pFloat = other.m_pFloat;
    m_pDouble = other.m_pDouble;
    m_pUInt = other.m_pUInt;
    m_pMeter = other.m_pMeter;
    pointTexts();
    copyText(m_pName, other.m_pName);
    copyText(m_pUnits, other.m_pUnits);
    copyText(m_pVariableName, other.m_pVariableName);
    copyText(m_pEnumText, other.m_pEnumText);
    copyText(m_pMeterVariableName, other.m_pMeterVariableName);
    std::memcpy(m_uMeterFlags, other.m_uMeterFlags, sizeof(m_uMeterFlags));
    m_bLogTaper = other.m_bLogTaper;
    m_bVoltOctaveTaper = other.m_bVoltOctaveTaper;
    m_uMeterMode = other.m_uMeterMode;
    m_fMeterAttack_ms = other.m_fMeterAttack_ms;
    m_fMeterRelease_ms = other.m_fMeterRelease_ms;
    m_bMidiLearn = other.m_bMidiLearn;
    m_uMidiStatus = other.m_uMidiStatus;
    m_uMidiController = other.m_uMidiController;
    m_uMidiChannel = other.m_uMidiChannel;
    m_nParameterIndex = other.m_nParameterIndex;
    m_nSpareIndex = other.m_nSpareIndex;
    std::memcpy(m_uAppearance, other.m_uAppearance, sizeof(m_uAppearance));
    std::memcpy(m_dPresetValues, other.m_dPresetValues, sizeof(m_dPresetValues));
    std::memcpy(m_uSpare, other.m_uSpare, sizeof(m_uSpare));
    m_pNext = nullptr;  // a copy is not linked anywhere yet
    return *this;
}

void ControlRecord::setUnitsPadded64(const char* p)
{
    char padded[65];
    const size_t n = p ? std::strlen(p) : 0;
    std::memset(padded, ' ', 64);
    std::memcpy(padded, p ? p : "", n < 64 ? n : 64);
    padded[64] = '\0';
    copyText(m_pUnits, padded);
}

void ControlRecord::copyText(char* pDest, const char* pSrc)
{
    if (!pSrc) {
        pDest[0] = '\0';
        return;
    }
    const size_t n = strnlen(pSrc, kControlTextSize - 1);
    std::memmove(pDest, pSrc, n);
    pDest[n] = '\0';
}

void ControlRecord::pointTexts()
{
    m_pName = m_Texts[0];
    m_pUnits = m_Texts[1];
    m_pVariableName = m_Texts[2];
    m_pEnumText = m_Texts[3];
    m_pMeterVariableName = m_Texts[4];
}
