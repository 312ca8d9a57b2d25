#include "CHostAudioThread.h"

CHostAudioThread::CHostAudioThread() : m_Thread([this] { Run(); }) {}

CHostAudioThread::~CHostAudioThread()
{
    StopLoop();
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_bQuit = true;
    }
    m_Wake.notify_all();
    m_Thread.join();
}

void CHostAudioThread::Call(const std::function<void()>& job)
{
    StopLoop();
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_Job = job;
    m_bJobPending = true;
    m_Wake.notify_all();
    m_Done.wait(lock, [this] { return !m_bJobPending; });
}

void CHostAudioThread::StartLoop(std::function<bool()> job)
{
    StopLoop();
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Loop = std::move(job);
    m_bStopLoop = false;
    m_bLoopRunning = true;
    m_nPasses = 0;
    m_Wake.notify_all();
}

uint64_t CHostAudioThread::StopLoop()
{
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_bStopLoop = true;
    m_Wake.notify_all();
    m_Done.wait(lock, [this] { return !m_bLoopRunning; });
    return m_nPasses;
}

void CHostAudioThread::Run()
{
    std::unique_lock<std::mutex> lock(m_Mutex);
    for (;;) {
        m_Wake.wait(lock, [this] { return m_bQuit || m_bJobPending || m_bLoopRunning; });
        if (m_bJobPending) {
            std::function<void()> job = std::move(m_Job);
            lock.unlock();
            job();
            lock.lock();
            m_Job = nullptr;
            m_bJobPending = false;
            m_Done.notify_all();
        } else if (m_bLoopRunning) {
            std::function<bool()> loop = std::move(m_Loop);
            uint64_t nPasses = 0;
            bool bGoOn = true;
            while (bGoOn && !m_bStopLoop) {
                lock.unlock();
                bGoOn = loop();
                ++nPasses;
                lock.lock();
            }
            m_nPasses = nPasses;
            m_bLoopRunning = false;
            m_Done.notify_all();
        } else if (m_bQuit) {
            return;
        }
    }
}
