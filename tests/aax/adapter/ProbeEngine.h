#pragma once
// The tape effect with a record of the calls the adapter makes on it: MIDI operations with
// the frame they arrived before, and controlChanged counts. Built into the probe module only;
// tests read the record through the engine pointer of custom data block 0 between renders.
// Recording never allocates (fixed arrays), so it is safe on the audio thread.

#include "CModDelayModule.h"

#include <cstdint>

struct SProbeMidiEvent {
    enum EKind : uint32_t { kNoteOn, kNoteOff, kModWheel, kPitchWheel, kOther };
    EKind m_eKind;
    uint64_t m_nFrame;  // frames processed before the call
    uint32_t m_uChannel, m_uA, m_uB, m_uC;
    int32_t m_nPosition;
    float m_fNormalised;
    bool m_bAllNotesOff;
};

class CProbeEngine : public CModDelayModule {
public:
    static constexpr uint32_t kMaxEvents = 256;
    static constexpr int32_t kMaxControlIds = 64;

    bool processFrame(const float* pIn, float* pOut, uint32_t uIn, uint32_t uOut) override
    {
        ++m_nFrames;
        return CModDelayModule::processFrame(pIn, pOut, uIn, uOut);
    }
    bool processFrames(const float* const* ppIn, float* const* ppOut, uint32_t uIn, uint32_t uOut,
                       uint32_t uFrames) override
    {
        m_nFrames += uFrames;
        return CModDelayModule::processFrames(ppIn, ppOut, uIn, uOut, uFrames);
    }
    bool controlChanged(int32_t nId) override
    {
        if (nId >= 0 && nId < kMaxControlIds)
            ++m_nControlChanged[nId];
        return CModDelayModule::controlChanged(nId);
    }
    bool onNoteOn(uint32_t c, uint32_t n, uint32_t v) override { return Record({SProbeMidiEvent::kNoteOn, 0, c, n, v, 0, 0, 0.0f, false}); }
    bool onNoteOff(uint32_t c, uint32_t n, uint32_t v, bool bAll) override
    {
        return Record({SProbeMidiEvent::kNoteOff, 0, c, n, v, 0, 0, 0.0f, bAll});
    }
    bool onModWheel(uint32_t c, uint32_t v) override { return Record({SProbeMidiEvent::kModWheel, 0, c, v, 0, 0, 0, 0.0f, false}); }
    bool onPitchWheel(uint32_t c, int32_t p, float f) override { return Record({SProbeMidiEvent::kPitchWheel, 0, c, 0, 0, 0, p, f, false}); }
    bool onMidiMessage(uint32_t c, uint32_t s, uint32_t d1, uint32_t d2) override
    {
        return Record({SProbeMidiEvent::kOther, 0, c, s, d1, d2, 0, 0.0f, false});
    }

    uint64_t m_nFrames = 0;
    SProbeMidiEvent m_Events[kMaxEvents] = {};
    uint32_t m_nEvents = 0;
    uint32_t m_nControlChanged[kMaxControlIds] = {};

private:
    bool Record(SProbeMidiEvent event)
    {
        event.m_nFrame = m_nFrames;
        if (m_nEvents < kMaxEvents)
            m_Events[m_nEvents++] = event;
        return true;
    }
};
