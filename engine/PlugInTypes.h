#pragma once
// Records exchanged between a plug-in object and its host adapter or editor.

#include <cstdint>

// One control's value as the host exchanges it (normalised 0..1, or a meter reading).
struct ControlValueEntry {
    uint32_t m_uControlIndex = 0;
    uint32_t m_uControlId = 0;
    float m_fValue = 0.0f;
    float m_fJoystickValue = 0.0f;
    bool m_bValid = false;
    bool m_bDiagonal = false;
};

// Host timing, filled by the adapter before each buffer; fields it does not fill stay zero.
struct HostTimeInfo {
    uint64_t m_uSamplePosition = 0;
    double m_dPosition_s = 0.0;
    double m_dTempo_bpm = 0.0;
    float m_fTimeSigNumerator = 0.0f;
    int32_t m_nTimeSigDenominator = 0;
    bool m_bPlaying = false;
    int64_t m_nTickPosition = 0;
    bool m_bLooping = false;
    int64_t m_nLoopStart = 0;
};

// The timing block and the 64-bit word that follows it (the loop end).
struct HostTimeBlock {
    HostTimeInfo m_Info;
    int64_t m_nLoopEnd = 0;
};

// Argument of CPlugIn::onHostMessage.
struct HostMessageInfo {
    ControlValueEntry* m_pEntries = nullptr;          // the caller's entries (message 0)
    ControlValueEntry** m_ppReturnedEntries = nullptr;  // the object returns its own array here (message 1)
    HostTimeBlock* m_pTimeBlock = nullptr;
    void* m_pCallbackObject = nullptr;  // the adapter (message 5)
    uint32_t m_uEntryCount = 0;
    bool m_bBypassSmoothing = false;
};

enum HostMessageCode : uint32_t {
    kHostSetControls = 0,
    kHostReportMeters = 1,
    kHostTimeUpdate = 2,
    kHostAdapterAttached = 5,
};

// Node of the list an object returns from collectEditorUpdates.
struct EditorUpdate {
    uint32_t m_uControlId = 0;
    float m_fValue = 0.0f;  // in the control's own units
    EditorUpdate* m_pNext = nullptr;
};

enum EditorMessageCode : uint32_t {
    EditorOpened = 0,
    EditorClosing = 1,
    EditorTimerTick = 2,
    EditorCustomViewRequest = 3,
    EditorQueryCustomGui = 5,
    EditorOpenCustomGui = 6,
    EditorCloseCustomGui = 7,
    EditorHostParameterChanged = 13,
};

// What the editor side passes to CPlugIn::onEditorMessage. The sender zeroes the record and
// fills the fields its code uses.
struct EditorMessage {
    uint32_t m_uMessageCode = 0;
    const char* m_pCustomViewName = nullptr;
    int32_t m_nControlTag = 0;  // every field a message does not use is cleared
    int32_t m_nRect[4] = {0, 0, 0, 0};
    int32_t m_nBackOffsetX = 0, m_nBackOffsetY = 0;
    const char* m_pBitmapName = nullptr;
    const char* m_pHandleBitmapName = nullptr;
    const char* m_pOffBitmapName = nullptr;
    const char* m_pOrientation = nullptr;
    const void* m_pBackColor = nullptr;
    const void* m_pFrameColor = nullptr;
    const void* m_pFontColor = nullptr;
    int32_t m_nFrameWidth = 0;
    int32_t m_nRoundRectRadius = 0;
    uint8_t m_uStyleNoFrame = 0;
    uint8_t m_uStyleRoundRect = 0;
    int32_t m_nImageHeight = 0;
    int32_t m_nSubPixmaps = 0;
    const char* m_pEmptyText = nullptr;
    void* m_pEditor = nullptr;
    uintptr_t m_hParentWindow = 0;
    void* m_pEditorAgain = nullptr;
    double m_dNormalisedValue = 0.0;
    uint32_t m_uControlIndex = 0;
    void* m_hModule[2] = {nullptr, nullptr};
    void* m_pEffectParameters = nullptr;
    uint8_t m_uHasCustomGui = 0;
    uint32_t m_uCustomGuiSize[2] = {0, 0};
};
