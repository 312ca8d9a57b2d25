#pragma once
// The tape effect with a record of the calls the adapter makes on it: MIDI operations with
// the frame they arrived before, and controlChanged counts. Built into the probe module only;
// tests read the record through the engine pointer of custom data block 0 between renders.
// Recording never allocates (fixed arrays), so it is safe on the audio thread.

#include "CModDelayModule.h"

#include <cstdint>

struct SProbeMidiEvent {
    enum EKind : uint32_t { kNoteOn, kNoteOff, kModWheel, kPitchWheel, kOther };
    EKind m_eKind = kNoteOn;
    uint64_t m_nFrame = 0;  // frames processed before the call
    uint32_t m_uChannel = 0, m_uA = 0, m_uB = 0, m_uC = 0;
    int32_t m_nPosition = 0;
    float m_fNormalised = 0.0f;
    bool m_bAllNotesOff = false;
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
    bool onNoteOn(uint32_t c, uint32_t n, uint32_t v) override { return Record({SProbeMidiEvent::kNoteOn, 0, c, n, v}); }
    bool onNoteOff(uint32_t c, uint32_t n, uint32_t v, bool b) override { return Record({SProbeMidiEvent::kNoteOff, 0, c, n, v, 0, 0, 0, b}); }
    bool onModWheel(uint32_t c, uint32_t v) override { return Record({SProbeMidiEvent::kModWheel, 0, c, v}); }
    bool onPitchWheel(uint32_t c, int32_t p, float f) override { return Record({SProbeMidiEvent::kPitchWheel, 0, c, 0, 0, 0, p, f}); }
    bool onMidiMessage(uint32_t c, uint32_t s, uint32_t a, uint32_t b) override { return Record({SProbeMidiEvent::kOther, 0, c, s, a, b}); }

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
