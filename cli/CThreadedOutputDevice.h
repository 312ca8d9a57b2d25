#pragma once
// A stereo output device that runs the callback on a thread of its own, one block at a time,
// and hands each block to Deliver (which paces the loop: a sound server's blocking write, or
// a sleep). The silent device and the PulseAudio one are this loop with another Deliver.
//
// Threading: Start/Stop on the main thread; the callback and Deliver on the device's thread.
// A derived destructor calls Stop first, so Deliver never runs on a half-destroyed object.

#include "CAudioDevice.h"

#include <thread>
#include <vector>

class CThreadedOutputDevice : public CAudioDevice {
public:
    ~CThreadedOutputDevice() override { Stop(); }
    CThreadedOutputDevice(const CThreadedOutputDevice&) = delete;
    CThreadedOutputDevice& operator=(const CThreadedOutputDevice&) = delete;

    double SampleRate() const override { return m_fSampleRate; }
    int BufferFrames() const override { return m_nBlock; }
    int Inputs() const override { return 0; }
    int Outputs() const override { return 2; }
    void Start(CAudioCallback& callback) override;
    void Stop() override;

protected:
    CThreadedOutputDevice(double fSampleRate, int nBlock);
    // One block of both channels; false ends the loop (the server went away).
    virtual bool Deliver(const float* const* ppOut) = 0;

    double m_fSampleRate;
    int m_nBlock;

private:
    void Run(CAudioCallback* pCallback);

    std::vector<float> m_Output;  // two channels of one block
    std::atomic<bool> m_bStop{false};
    std::thread m_Thread;
};
