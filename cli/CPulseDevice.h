#pragma once
// The PulseAudio back-end (PipeWire's pulse server too): a stereo playback stream through the
// simple API, fed by the device's own thread, which calls back and then writes (blocking
// until the server has room). Playback only. An xrun is counted when the server's queue has
// run dry before a write.
//
// Threading: the device's thread runs the callback and the writes.

#include "CThreadedOutputDevice.h"

#include <vector>

struct pa_simple;

class CPulseDevice : public CThreadedOutputDevice {
public:
    // Connects to the default server (or $PULSE_SERVER); null with the reason when none answers.
    static std::unique_ptr<CPulseDevice> Open(const std::string& clientName, double fSampleRate, int nBlock,
                                              std::string& outReason);
    ~CPulseDevice() override;

    const char* Name() const override { return "PulseAudio"; }

private:
    CPulseDevice(pa_simple* pStream, double fSampleRate, int nBlock);
    // Interleaves the block and writes it, blocking until the server has room.
    bool Deliver(const float* const* ppOut) override;

    pa_simple* m_pStream;
    std::vector<float> m_Interleaved;  // what the server takes
    bool m_bStarted = false;           // a block has been written
};
