#pragma once
// The device when there is no sound server: a thread of its own calls back one block per
// block duration, with no capture, and the output goes nowhere. The editor's meters still
// move with the music.
//
// Threading: Start/Stop on the GUI thread; the callback runs on the player's own thread.

#include "CAudioDevice.h"

#include <thread>
#include <vector>

class CRealtimePlayer : public CAudioDevice {
public:
    CRealtimePlayer(double fSampleRate, int nBlock);
    ~CRealtimePlayer() override;
    CRealtimePlayer(const CRealtimePlayer&) = delete;
    CRealtimePlayer& operator=(const CRealtimePlayer&) = delete;

    const char* Name() const override { return "none"; }
    double SampleRate() const override { return m_fSampleRate; }
    int BufferFrames() const override { return m_nBlock; }
    int Inputs() const override { return 0; }
    int Outputs() const override { return 2; }
    void Start(CAudioCallback& callback) override;
    void Stop() override;

private:
    void Run(CAudioCallback* pCallback);

    double m_fSampleRate;
    int m_nBlock;
    std::vector<float> m_Output;  // two channels of one block, discarded
    std::atomic<bool> m_bStop{false};
    std::thread m_Thread;
};
