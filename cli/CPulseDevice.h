#pragma once
// The PulseAudio back-end (PipeWire's pulse server too): a stereo playback stream through the
// simple API, fed by the device's own thread, which calls back and then writes (blocking
// until the server has room). Playback only. An xrun is counted when the server's queue has
// run dry before a write.
//
// Threading: the device's thread runs the callback and the writes.

#include "CAudioDevice.h"

#include <thread>
#include <vector>

struct pa_simple;

class CPulseDevice : public CAudioDevice {
public:
    // Connects to the default server (or $PULSE_SERVER); null with the reason when none answers.
    static std::unique_ptr<CPulseDevice> Open(const std::string& clientName, double fSampleRate, int nBlock,
                                              std::string& outReason);
    ~CPulseDevice() override;

    const char* Name() const override { return "PulseAudio"; }
    double SampleRate() const override { return m_fSampleRate; }
    int BufferFrames() const override { return m_nBlock; }
    int Inputs() const override { return 0; }
    int Outputs() const override { return 2; }
    void Start(CAudioCallback& callback) override;
    void Stop() override;

private:
    CPulseDevice(pa_simple* pStream, double fSampleRate, int nBlock);
    void Run(CAudioCallback* pCallback);

    pa_simple* m_pStream;
    double m_fSampleRate;
    int m_nBlock;
    std::vector<float> m_Planar;       // two channels of one block
    std::vector<float> m_Interleaved;  // what the server takes
    std::atomic<bool> m_bStop{false};
    std::thread m_Thread;
};
