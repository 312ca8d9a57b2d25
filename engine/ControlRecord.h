#pragma once
// One control of a plug-in object: what it is (kind, range, type), the member variable it
// drives (bound pointers), its smoother and its texts. Records are copied by value into the
// owning ControlList; the copy re-points its text pointers at its own buffers.

#include <cstdint>

enum ControlKind : uint32_t {
    kControlContinuous = 100,
    kControlEnumerated = 102,
    kControlMeter = 103,
};

enum ControlDataType : uint32_t {
    kDataInt32 = 0,
    kDataFloat = 1,
    kDataDouble = 2,
    kDataUInt32 = 3,  // enumerated index
    kDataNone = 4,    // meters
};

inline constexpr int kControlTextSize = 1024;  // each text keeps at most 1023 chars + terminator
inline constexpr int kPresetSlots = 16;

struct ControlRecord {
    uint32_t m_uKind = kControlContinuous;
    uint32_t m_uControlId = 0;
    uint32_t m_uMeterDetection = 2;  // 0 peak, 1 mean square, 2 RMS
    float m_fMin = 0.0f;
    float m_fMax = 1.0f;
    uint32_t m_uDataType = kDataNone;
    int32_t m_nDefault = 0;
    float m_fDefault = 0.0f;
    float m_fDefaultDouble = 0.0f;  // the default of double-typed controls is held as a float
    uint32_t m_uDefault = 0;

    float m_fSmoothTarget = 0.0f;
    float m_fSmoothA = 0.0f, m_fSmoothB = 0.0f, m_fSmoothZ = 0.0f, m_fSmoothLast = 0.0f;
    double m_dSmoothA = 0.0, m_dSmoothB = 0.0, m_dSmoothZ = 0.0, m_dSmoothLast = 0.0;
    float m_fSmoothTime_ms = 100.0f;
    bool m_bSmooth = false;
    // Set when the smoother found its fixed point for m_fSettledTarget: until the target
    // changes, every further step would give the same result, so it is skipped.
    bool m_bSmoothSettled = false;
    float m_fSettledTarget = 0.0f;

    float m_fJoystickValue = 0.0f;  // joystick records only: the axis value
    bool m_bJoystickDiagonal = false;

    int32_t* m_pInt = nullptr;
    float* m_pFloat = nullptr;
    double* m_pDouble = nullptr;
    uint32_t* m_pUInt = nullptr;
    float* m_pMeter = nullptr;

    char* m_pName;
    char* m_pUnits;
    char* m_pVariableName;
    char* m_pEnumText;
    char* m_pMeterVariableName;
    char m_Texts[5][kControlTextSize];

    uint8_t m_uMeterFlags[4] = {0, 0, 0, 0};  // meters: [1] = 1 and [3] = 1 (logarithmic)
    bool m_bLogTaper = false;
    bool m_bVoltOctaveTaper = false;
    uint32_t m_uMeterMode = 0;
    float m_fMeterAttack_ms = 10.0f;
    float m_fMeterRelease_ms = 500.0f;
    bool m_bMidiLearn = false;
    uint32_t m_uMidiStatus = 176;  // control change
    uint32_t m_uMidiController = 3;
    uint32_t m_uMidiChannel = 0;
    int32_t m_nParameterIndex = -1;
    int32_t m_nSpareIndex = -1;
    uint32_t m_uAppearance[32] = {};
    double m_dPresetValues[kPresetSlots] = {};
    uint8_t m_uSpare[2][256] = {};

    ControlRecord* m_pNext = nullptr;

    ControlRecord();
    ControlRecord(const ControlRecord& other);
    ControlRecord& operator=(const ControlRecord& other);

    // Copy a text into one of the record's buffers (null stores an empty text).
    void setName(const char* p) { copyText(m_pName, p); }
    void setUnits(const char* p) { copyText(m_pUnits, p); }
    void setVariableName(const char* p) { copyText(m_pVariableName, p); }
    void setEnumText(const char* p) { copyText(m_pEnumText, p); }
    void setMeterVariableName(const char* p) { copyText(m_pMeterVariableName, p); }

    // Units padded with spaces to 64 characters, as the building blocks store them.
    void setUnitsPadded64(const char* p);

private:
    static void copyText(char* pDest, const char* pSrc);
    void pointTexts();
};
