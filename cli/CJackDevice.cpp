#include "CJackDevice.h"

#include <cstring>
#include <string>

namespace {
// libjack prints every failed attempt to reach a server; the command says it in one line.
void Silent(const char*) {}
}  // namespace

std::unique_ptr<CJackDevice> CJackDevice::Open(const std::string& clientName, bool bCapture, std::string& outReason)
{
    jack_set_error_function(Silent);
    jack_set_info_function(Silent);
    jack_status_t status{};
    jack_client_t* pClient = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    if (!pClient) {
        outReason = (status & JackServerFailed) ? "no JACK server running" : "JACK refused the client";
        return nullptr;
    }
    std::unique_ptr<CJackDevice> pDevice(new CJackDevice(pClient));
    for (int c = 0; c < kChannels; ++c) {
        const std::string n = std::to_string(c + 1);
        pDevice->m_pOutputs[c] =
            jack_port_register(pClient, ("out_" + n).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        if (bCapture)
            pDevice->m_pInputs[c] =
                jack_port_register(pClient, ("in_" + n).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        if (!pDevice->m_pOutputs[c] || (bCapture && !pDevice->m_pInputs[c])) {
            outReason = "JACK refused the client's ports";
            return nullptr;
        }
    }
    jack_set_process_callback(pClient, OnProcess, pDevice.get());
    jack_set_xrun_callback(pClient, OnXrun, pDevice.get());
    return pDevice;
}

CJackDevice::CJackDevice(jack_client_t* pClient)
    : m_pClient(pClient),
      m_fSampleRate(double(jack_get_sample_rate(pClient))),
      m_nBufferFrames(int(jack_get_buffer_size(pClient)))
{
}

CJackDevice::~CJackDevice()
{
    Stop();
    jack_client_close(m_pClient);
}

void CJackDevice::Start(CAudioCallback& callback)
{
    m_pCallback.store(&callback);
    if (!m_bActive && jack_activate(m_pClient) == 0) {
        m_bActive = true;
        ConnectPhysical();
    }
}

void CJackDevice::Stop()
{
    if (m_bActive)
        jack_deactivate(m_pClient);  // returns once the process callback has finished
    m_bActive = false;
    m_pCallback.store(nullptr);
}

std::string CJackDevice::ClientName() const { return jack_get_client_name(m_pClient); }

void CJackDevice::ConnectPhysical()
{
    // Playback ports take audio in; capture ports give it out. Missing ones stay unconnected.
    if (const char** ppPlayback = jack_get_ports(m_pClient, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                                 JackPortIsPhysical | JackPortIsInput)) {
        for (int c = 0; c < kChannels && ppPlayback[c]; ++c)
            jack_connect(m_pClient, jack_port_name(m_pOutputs[c]), ppPlayback[c]);
        jack_free(ppPlayback);
    }
    if (!m_pInputs[0])
        return;
    if (const char** ppCapture = jack_get_ports(m_pClient, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                                JackPortIsPhysical | JackPortIsOutput)) {
        for (int c = 0; c < kChannels && ppCapture[c]; ++c)
            jack_connect(m_pClient, ppCapture[c], jack_port_name(m_pInputs[c]));
        jack_free(ppCapture);
    }
}

int CJackDevice::OnProcess(jack_nframes_t nFrames, void* pThis)
{
    auto& self = *static_cast<CJackDevice*>(pThis);
    const float* pIn[kChannels] = {};
    float* pOut[kChannels] = {};
    const int nInputs = self.Inputs();
    for (int c = 0; c < nInputs; ++c)
        pIn[c] = static_cast<const float*>(jack_port_get_buffer(self.m_pInputs[c], nFrames));
    for (int c = 0; c < kChannels; ++c)
        pOut[c] = static_cast<float*>(jack_port_get_buffer(self.m_pOutputs[c], nFrames));
    if (CAudioCallback* pCallback = self.m_pCallback.load(std::memory_order_acquire))
        pCallback->Process(pIn, nInputs, pOut, kChannels, int(nFrames));
    else
        for (float* p : pOut)
            std::memset(p, 0, nFrames * sizeof(float));
    self.m_nFrames.fetch_add(nFrames, std::memory_order_relaxed);
    return 0;
}

int CJackDevice::OnXrun(void* pThis)
{
    static_cast<CJackDevice*>(pThis)->m_nXruns.fetch_add(1, std::memory_order_relaxed);
    return 0;
}
