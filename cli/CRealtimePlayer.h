#pragma once
// The device when there is no sound server: a thread of its own calls back one block per
// block duration, with no capture, and the output goes nowhere. The editor's meters still
// move with the music.
//
// Threading: Start/Stop on the GUI thread; the callback runs on the player's own thread.

#include "CThreadedOutputDevice.h"

#include <chrono>

class CRealtimePlayer : public CThreadedOutputDevice {
public:
    CRealtimePlayer(double fSampleRate, int nBlock) : CThreadedOutputDevice(fSampleRate, nBlock) {}
    ~CRealtimePlayer() override { Stop(); }

    const char* Name() const override { return "none"; }

private:
    // Sleeps until the block's time has passed.
    bool Deliver(const float* const* ppOut) override;

    std::chrono::steady_clock::time_point m_Due{};  // the next block's start; unset before the first
};
