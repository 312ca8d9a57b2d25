#pragma once
// The host's real-time thread: runs render work on one dedicated thread, either one job at a
// time (Call waits for it) or as a loop repeated until stopped. A module's per-thread state
// (tsraRand) therefore lives on this thread, so a job may seed it for repeatable output.
//
// Threading: Call, StartLoop and StopLoop from any one controlling thread; the jobs run on
// the audio thread. The thread starts with the object and is joined by the destructor.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class CHostAudioThread {
public:
    CHostAudioThread();
    ~CHostAudioThread();
    CHostAudioThread(const CHostAudioThread&) = delete;
    CHostAudioThread& operator=(const CHostAudioThread&) = delete;

    // Runs the job on the audio thread and returns when it is done (after a running loop
    // has been stopped).
    void Call(const std::function<void()>& job);
    // Repeats the job on the audio thread until StopLoop, or until it returns false.
    void StartLoop(std::function<bool()> job);
    // Ends the loop after its current pass; returns how many passes it made.
    uint64_t StopLoop();
    std::thread::id Id() const { return m_Thread.get_id(); }

private:
    void Run();

    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    std::condition_variable m_Done;
    std::function<void()> m_Job;
    bool m_bJobPending = false;
    std::function<bool()> m_Loop;
    bool m_bLoopRunning = false;
    bool m_bStopLoop = false;
    bool m_bQuit = false;
    uint64_t m_nPasses = 0;
    std::thread m_Thread;
};
