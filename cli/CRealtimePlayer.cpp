#include "CRealtimePlayer.h"

#include <algorithm>
#include <chrono>

CRealtimePlayer::CRealtimePlayer(CHostInstance& instance, std::vector<std::vector<float>> channels, double fSampleRate,
                                 int nBlock)
    : m_rInstance(instance), m_Input(std::move(channels)), m_fSampleRate(fSampleRate), m_nBlock(nBlock)
{
}

CRealtimePlayer::~CRealtimePlayer() { Stop(); }

void CRealtimePlayer::Start()
{
    if (!m_Thread.joinable()) {
        m_bStop = false;
        m_Thread = std::thread(&CRealtimePlayer::Run, this);
    }
}

void CRealtimePlayer::Stop()
{
    m_bStop = true;
    if (m_Thread.joinable())
        m_Thread.join();
}

void CRealtimePlayer::Run()
{
    const int inChannels = m_rInstance.InputChannels();
    const int outChannels = m_rInstance.OutputChannels();
    const auto block = static_cast<size_t>(m_nBlock);
    std::vector<std::vector<float>> in(static_cast<size_t>(inChannels), std::vector<float>(block));
    std::vector<std::vector<float>> out(static_cast<size_t>(outChannels), std::vector<float>(block));
    std::vector<const float*> inPtrs;
    std::vector<float*> outPtrs;
    for (auto& c : in)
        inPtrs.push_back(c.data());
    for (auto& c : out)
        outPtrs.push_back(c.data());
    const size_t length = m_Input.empty() ? 0 : m_Input.front().size();
    size_t position = 0;
    const auto period = std::chrono::duration<double>(static_cast<double>(block) / m_fSampleRate);
    auto due = std::chrono::steady_clock::now();
    while (!m_bStop) {
        for (size_t c = 0; c < in.size(); ++c) {
            const std::vector<float>* pSource = m_Input.empty() ? nullptr : &m_Input[std::min(c, m_Input.size() - 1)];
            for (size_t i = 0; i < block; ++i)
                in[c][i] = (pSource && length) ? (*pSource)[(position + i) % length] : 0.0f;
        }
        if (length)
            position = (position + block) % length;
        m_rInstance.Render(inPtrs.data(), outPtrs.data(), m_nBlock);
        m_rInstance.DecayMeters(0.0f);
        ++m_nBlocks;
        due += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
        std::this_thread::sleep_until(due);
    }
}
