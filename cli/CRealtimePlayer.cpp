#include "CRealtimePlayer.h"

#include <thread>

bool CRealtimePlayer::Deliver(const float* const*)
{
    if (m_Due == std::chrono::steady_clock::time_point{})
        m_Due = std::chrono::steady_clock::now();
    const auto period = std::chrono::duration<double>(double(m_nBlock) / m_fSampleRate);
    m_Due += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
    std::this_thread::sleep_until(m_Due);
    return true;
}
