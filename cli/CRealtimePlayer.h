#pragma once
// The host's audio thread for a live session: runs an input (looped, or silence) through an
// instance at real-time pace, one block per block duration, until stopped.
//
// Threading: Start/Stop on the GUI thread; the render runs on the player's own thread.

#include "CHostInstance.h"

#include <atomic>
#include <thread>
#include <vector>

class CRealtimePlayer {
public:
    // channels: the input's samples per channel (may be empty: silence).
    CRealtimePlayer(CHostInstance& instance, std::vector<std::vector<float>> channels, double fSampleRate, int nBlock);
    ~CRealtimePlayer();
    CRealtimePlayer(const CRealtimePlayer&) = delete;
    CRealtimePlayer& operator=(const CRealtimePlayer&) = delete;

    void Start();
    void Stop();
    uint64_t BlocksRendered() const { return m_nBlocks.load(); }

private:
    void Run();

    CHostInstance& m_rInstance;
    std::vector<std::vector<float>> m_Input;
    double m_fSampleRate;
    int m_nBlock;
    std::atomic<bool> m_bStop{false};
    std::atomic<uint64_t> m_nBlocks{0};
    std::thread m_Thread;
};
