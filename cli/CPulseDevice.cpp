#include "CPulseDevice.h"

#include <pulse/error.h>
#include <pulse/simple.h>

std::unique_ptr<CPulseDevice> CPulseDevice::Open(const std::string& clientName, double fSampleRate, int nBlock,
                                                 std::string& outReason)
{
    const pa_sample_spec sampleFormat{PA_SAMPLE_FLOAT32NE, uint32_t(fSampleRate), 2};
    // Four blocks queued: low enough to follow a knob, deep enough for a desktop scheduler.
    const uint32_t nBytes = uint32_t(nBlock) * 2 * sizeof(float);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.tlength = 4 * nBytes;
    attr.prebuf = uint32_t(-1);
    attr.minreq = nBytes;
    attr.fragsize = uint32_t(-1);
    int error = 0;
    pa_simple* pStream = pa_simple_new(nullptr, clientName.c_str(), PA_STREAM_PLAYBACK, nullptr, "editor", &sampleFormat,
                                       nullptr, &attr, &error);
    if (!pStream) {
        outReason = std::string("no PulseAudio server (") + pa_strerror(error) + ")";
        return nullptr;
    }
    return std::unique_ptr<CPulseDevice>(new CPulseDevice(pStream, fSampleRate, nBlock));
}

CPulseDevice::CPulseDevice(pa_simple* pStream, double fSampleRate, int nBlock)
    : CThreadedOutputDevice(fSampleRate, nBlock), m_pStream(pStream), m_Interleaved(size_t(2 * nBlock))
{
}

CPulseDevice::~CPulseDevice()
{
    Stop();
    pa_simple_free(m_pStream);
}

bool CPulseDevice::Deliver(const float* const* ppOut)
{
    for (int i = 0; i < m_nBlock; ++i) {
        m_Interleaved[size_t(2 * i)] = ppOut[0][i];
        m_Interleaved[size_t(2 * i + 1)] = ppOut[1][i];
    }
    int error = 0;
    if (m_bStarted && pa_simple_get_latency(m_pStream, &error) == 0)
        m_nXruns.fetch_add(1, std::memory_order_relaxed);
    if (pa_simple_write(m_pStream, m_Interleaved.data(), m_Interleaved.size() * sizeof(float), &error) < 0)
        return false;  // the server went away: the editor carries on silent
    m_bStarted = true;
    return true;
}
