#include "CRealtimePlayer.h"

#include <chrono>

CRealtimePlayer::CRealtimePlayer(double fSampleRate, int nBlock)
    : m_fSampleRate(fSampleRate), m_nBlock(nBlock), m_Output(size_t(2 * nBlock))
{
}

CRealtimePlayer::~CRealtimePlayer() { Stop(); }

void CRealtimePlayer::Start(CAudioCallback& callback)
{
    if (!m_Thread.joinable()) {
        m_bStop = false;
        m_Thread = std::thread(&CRealtimePlayer::Run, this, &callback);
    }
}

void CRealtimePlayer::Stop()
{
    m_bStop = true;
    if (m_Thread.joinable())
        m_Thread.join();
}

void CRealtimePlayer::Run(CAudioCallback* pCallback)
{
    float* pOut[2] = {m_Output.data(), m_Output.data() + m_nBlock};
    const auto period = std::chrono::duration<double>(double(m_nBlock) / m_fSampleRate);
    auto due = std::chrono::steady_clock::now();
    while (!m_bStop) {
        pCallback->Process(nullptr, 0, pOut, 2, m_nBlock);
        m_nFrames.fetch_add(uint64_t(m_nBlock), std::memory_order_relaxed);
        due += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
        std::this_thread::sleep_until(due);
    }
}
