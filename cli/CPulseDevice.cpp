#include "CPulseDevice.h"

#include <pulse/error.h>
#include <pulse/simple.h>

std::unique_ptr<CPulseDevice> CPulseDevice::Open(const std::string& clientName, double fSampleRate, int nBlock,
                                                 std::string& outReason)
{
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, uint32_t(fSampleRate), 2};
    // Four blocks queued: low enough to follow a knob, deep enough for a desktop scheduler.
    const uint32_t nBytes = uint32_t(nBlock) * 2 * sizeof(float);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.tlength = 4 * nBytes;
    attr.prebuf = uint32_t(-1);
    attr.minreq = nBytes;
    attr.fragsize = uint32_t(-1);
    int error = 0;
    pa_simple* pStream = pa_simple_new(nullptr, clientName.c_str(), PA_STREAM_PLAYBACK, nullptr, "editor", &spec,
                                       nullptr, &attr, &error);
    if (!pStream) {
        outReason = std::string("no PulseAudio server (") + pa_strerror(error) + ")";
        return nullptr;
    }
    return std::unique_ptr<CPulseDevice>(new CPulseDevice(pStream, fSampleRate, nBlock));
}

CPulseDevice::CPulseDevice(pa_simple* pStream, double fSampleRate, int nBlock)
    : m_pStream(pStream),
      m_fSampleRate(fSampleRate),
      m_nBlock(nBlock),
      m_Planar(size_t(2 * nBlock)),
      m_Interleaved(size_t(2 * nBlock))
{
}

CPulseDevice::~CPulseDevice()
{
    Stop();
    pa_simple_free(m_pStream);
}

void CPulseDevice::Start(CAudioCallback& callback)
{
    if (!m_Thread.joinable()) {
        m_bStop = false;
        m_Thread = std::thread(&CPulseDevice::Run, this, &callback);
    }
}

void CPulseDevice::Stop()
{
    m_bStop = true;
    if (m_Thread.joinable())
        m_Thread.join();
}

void CPulseDevice::Run(CAudioCallback* pCallback)
{
    float* pOut[2] = {m_Planar.data(), m_Planar.data() + m_nBlock};
    const size_t nBytes = m_Interleaved.size() * sizeof(float);
    bool bStarted = false;
    while (!m_bStop) {
        pCallback->Process(nullptr, 0, pOut, 2, m_nBlock);
        for (int i = 0; i < m_nBlock; ++i) {
            m_Interleaved[size_t(2 * i)] = pOut[0][i];
            m_Interleaved[size_t(2 * i + 1)] = pOut[1][i];
        }
        int error = 0;
        if (bStarted && pa_simple_get_latency(m_pStream, &error) == 0)
            m_nXruns.fetch_add(1, std::memory_order_relaxed);
        if (pa_simple_write(m_pStream, m_Interleaved.data(), nBytes, &error) < 0)
            break;  // the server went away: the editor carries on silent
        bStarted = true;
        m_nFrames.fetch_add(uint64_t(m_nBlock), std::memory_order_relaxed);
    }
}
