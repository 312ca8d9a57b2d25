#pragma once
// What the engine may call back for the MIDI of the current render call; handed to it with
// host message 5. Threading: audio thread only.

#include <cstdint>

class IMidiEventList {
public:
    // Packets attached for the current call that have not been consumed yet; 0 when none.
    virtual uint32_t getEventCount() = 0;
    // Dispatches the packets due at that frame; true.
    virtual bool fireMidiEvents(uint32_t uFrameIndex) = 0;
    virtual ~IMidiEventList() = default;
};
