#pragma once
// Base of every signal-processing object: a list of controls bound to member variables,
// the virtual operations through which adapter and editor drive the object, a per-frame
// smoother and a vector joystick. Knows nothing of any host format.
//
// Ownership: the object owns its control list, the pointer and entry arrays and its blocks.
// Threading: no locks. Processing, smoothing, message 2 and control writes of host changes
// run on the audio thread between frames; resetForSampleRate and messages 5 on the main
// thread during initialisation; the editor reads controls and calls controlChanged(50..52)
// from its own thread. Bound variables are plain values read and written without locks.

#include "ControlList.h"
#include "ControlRecord.h"
#include "PlugInTypes.h"

#include <cstdint>
#include <memory>

inline constexpr int kMidiNoteCount = 127;

// Opaque per-preset joystick program (seven rows); nothing reads it in this system.
struct JoystickProgram {
    float m_fRows[7][8] = {};
};

class CPlugIn {
public:
    CPlugIn();
    virtual ~CPlugIn();                                                              // slot 0
    CPlugIn(const CPlugIn&) = delete;
    CPlugIn& operator=(const CPlugIn&) = delete;

    virtual bool resetForSampleRate();                                               // 1
    virtual bool processFrame(const float* pIn, float* pOut, uint32_t uInChannels,
                              uint32_t uOutChannels);                                // 2
    virtual bool controlChanged(int32_t nControlId);                                 // 3
    virtual bool onHostAttach();                                                     // 4
    virtual bool onJoystickMix(float a, float b, float c, float d, float fACMix,
                               float fBDMix);                                        // 5
    virtual bool processBlock(const float* pIn, float* pOut, uint32_t, uint32_t,
                              uint32_t uSampleCount);                                // 6
    virtual bool processChannelBuffers(float** ppIn, float** ppOut, uint32_t uChannels,
                                       uint32_t uFrames);                            // 7
    virtual bool onNoteOn(uint32_t uChannel, uint32_t uNote, uint32_t uVelocity);    // 8
    virtual bool onNoteOff(uint32_t uChannel, uint32_t uNote, uint32_t uVelocity,
                           bool bAllNotesOff);                                       // 9
    virtual bool onModWheel(uint32_t uChannel, uint32_t uValue);                     // 10
    virtual bool onPitchWheel(uint32_t uChannel, int32_t nPosition, float fNormalised);  // 11
    virtual bool reservedHookA();                                                    // 12
    virtual bool onMidiMessage(uint32_t uChannel, uint32_t uStatus, uint32_t uData1,
                               uint32_t uData2);                                     // 13
    virtual bool buildControls();                                                    // 14
    virtual void onHostMessage(uint32_t uMessage, HostMessageInfo& info);           // 15
    virtual bool collectEditorUpdates(int32_t nControlId, float fValue,
                                      EditorUpdate** ppListOut, bool bFlag);         // 16
    virtual void releaseEditorUpdates(EditorUpdate** ppList);                        // 17
    virtual intptr_t onEditorMessage(EditorMessage* pMessage);                       // 18
    virtual bool processMidiEvents(void* pEventBlock);                               // 19
    virtual bool reservedHookB();                                                    // 20
    // Our addition after the fixed slots: many frames from channel buffers (1 or 2 each way;
    // an output may be its input's buffer). The default calls processFrame frame by frame;
    // an engine may do better but must give the same output.
    virtual bool processFrames(const float* const* ppIn, float* const* ppOut, uint32_t uInChannels,
                               uint32_t uOutChannels, uint32_t uFrames);          // 21

    // The bound variable of the control at that index as a float; 0 when missing.
    float getControlValue(uint32_t uIndex) const;
    // Sets a record from a normalised 0..1 value (min + (max - min) * n).
    void setControlNormalised(ControlRecord* pRecord, float fNormalised, bool bBypassSmoothing);
    // Sets the control at that index from a value in its own units; with bBypassSmoothing a
    // smoothed control rests at the value at once (an instance's starting values).
    void setControlValue(uint32_t uIndex, float fValue, bool bBypassSmoothing = false);
    // Joystick axes; the adapter passes 2 * normalised - 1.
    void setJoystickX(float fValue, bool bDiagonal);
    void setJoystickY(float fValue, bool bDiagonal);
    // Advances every smoothed control by one frame; derived processFrame calls it first.
    // Smoothed controls are written through setControlValue / setControlNormalised only.
    void smoothControls();
    // n smoothing steps at once (n smoothControls calls), for a plug-in whose smoothed controls
    // are all floats and whose joystick does not glide; false (nothing done) otherwise. The
    // value a control's step k leaves goes to ppTracks[index][k] (by control index; null: not
    // wanted). Each control that moved is notified once, after the last step: the derived
    // class cooks the frames in between itself, from the tracks. The controls go side by side
    // in VF's lanes; built into its caller (CPlugInSmoothRun.h), so a run path built for AVX2
    // takes eight at once. Audio thread.
    template <class VF>
    [[gnu::always_inline]] inline bool smoothRunLanes(uint32_t n, float* const* ppTracks);

    // Computes the joystick blend of (x, y) and calls onJoystickMix.
    void mixJoystick(float x, float y, bool bDiagonal);

    uint32_t controlCount() const { return m_uControlCount; }
    ControlRecord* controlRecord(uint32_t uIndex) const
    {
        return (m_ppControls && uIndex < m_uControlCount) ? m_ppControls[uIndex] : nullptr;
    }
    const ControlList& controlList() const { return m_ControlList; }
    const ControlValueEntry* valueEntries() const { return m_pValueEntries.get(); }

    bool m_bWantAllMidiMessages = false;
    bool m_bUseChannelBuffers = false;
    uint32_t m_uChannelCount = 2;
    int32_t m_nSampleRate = 44100;
    uint32_t m_uBitDepth = 16;
    std::unique_ptr<JoystickProgram> m_pPresetBlocks[kPresetSlots];
    const char* m_pPresetNames[kPresetSlots] = {};
    std::unique_ptr<JoystickProgram> m_pSparePresetBlocks[kPresetSlots];
    const char* m_pPlugInName = "Name Not Set.";
    bool m_bExportJoystick = false;
    float m_fLatency_samples = 0.0f;
    uint32_t m_uInputChannels = 2;
    uint32_t m_uOutputChannels = 2;
    const char* m_pButtonLabels[3] = {"B1", "B2", "B3"};
    bool m_bButtonStates[3] = {false, false, false};
    float m_fMidiNoteFreq_Hz[kMidiNoteCount];
    std::unique_ptr<JoystickProgram> m_pJoystickProgram;
    ControlRecord m_JoystickX;
    ControlRecord m_JoystickY;
    HostTimeBlock m_HostTime;

protected:
    // Called by derived constructors after buildControls: fills the pointer and entry arrays
    // (count + 2 each; the last two entries belong to the joystick axes) and gives every
    // record its parameter index.
    void indexControls();
    // Gives the two joystick records the effect's ids and parameter indices.
    void setUpJoystickRecords(uint32_t uXId, uint32_t uYId);

    std::unique_ptr<ControlRecord*[]> m_ppControls;
    uint32_t m_uControlCount = 0;
    std::unique_ptr<ControlValueEntry[]> m_pValueEntries;
    ControlList m_ControlList;
    // The records with smoothing enabled, so the per-frame walk skips the others. Rebuilt by
    // indexControls and resetForSampleRate.
    std::unique_ptr<ControlRecord*[]> m_ppSmoothed;
    uint32_t m_uSmoothedCount = 0;
    // True once a whole pass found every smoother at its fixed point; cleared by every write
    // of a target (or of a smoothed control's value), so a pass at rest can be skipped.
    bool m_bSmoothingAtRest = false;

private:
    void collectSmoothed();
    // Stores a value in a control's own units by data type (int32 takes nIntValue), or makes
    // it the smoothing target, and notifies.
    void applyValue(ControlRecord* p, float fValue, int32_t nIntValue, bool bUseSmoothing);
    static void restSmootherAt(ControlRecord& r, float fValue);
    template <typename T>
    void landOnTarget(ControlRecord& r, T& bound);
    static void prepareSmoother(ControlRecord& record, float fStart, int32_t nSampleRate);
};
