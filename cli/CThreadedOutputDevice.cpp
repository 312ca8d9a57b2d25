#include "CThreadedOutputDevice.h"

CThreadedOutputDevice::CThreadedOutputDevice(double fSampleRate, int nBlock)
    : m_fSampleRate(fSampleRate), m_nBlock(nBlock), m_Output(size_t(2 * nBlock))
{
}

void CThreadedOutputDevice::Start(CAudioCallback& callback)
{
    if (!m_Thread.joinable()) {
        m_bStop = false;
        m_Thread = std::thread(&CThreadedOutputDevice::Run, this, &callback);
    }
}

void CThreadedOutputDevice::Stop()
{
    m_bStop = true;
    if (m_Thread.joinable())
        m_Thread.join();
}

void CThreadedOutputDevice::Run(CAudioCallback* pCallback)
{
    float* pOut[2] = {m_Output.data(), m_Output.data() + m_nBlock};
    while (!m_bStop) {
        pCallback->Process(nullptr, 0, pOut, 2, m_nBlock);
        if (!Deliver(pOut))
            break;
        m_nFrames.fetch_add(uint64_t(m_nBlock), std::memory_order_relaxed);
    }
}
