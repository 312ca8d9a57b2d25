#pragma once
// The JACK back-end: a client with two outputs (out_1, out_2) connected to the physical
// playback ports, and optionally two inputs (in_1, in_2) fed from the physical capture ports.
// Runs at the server's rate and buffer size; the server's xrun notifications are counted.
//
// Threading: JACK's process thread runs the callback; its notification thread counts xruns.

#include "CAudioDevice.h"

#include <jack/jack.h>

class CJackDevice : public CAudioDevice {
public:
    static constexpr int kChannels = 2;

    // Joins the server named by $JACK_DEFAULT_SERVER (never starts one); null with the reason
    // when there is no server. libjack's own messages are silenced.
    static std::unique_ptr<CJackDevice> Open(const std::string& clientName, bool bCapture, std::string& outReason);
    ~CJackDevice() override;

    const char* Name() const override { return "JACK"; }
    double SampleRate() const override { return m_fSampleRate; }
    int BufferFrames() const override { return m_nBufferFrames; }
    int Inputs() const override { return m_pInputs[0] ? kChannels : 0; }
    int Outputs() const override { return kChannels; }
    // Activates the client, then connects the ports to the physical ones that exist.
    void Start(CAudioCallback& callback) override;
    void Stop() override;

    // The client's name as the server knows it (JACK may have made it unique).
    std::string ClientName() const;

private:
    explicit CJackDevice(jack_client_t* pClient);
    static int OnProcess(jack_nframes_t nFrames, void* pThis);
    static int OnXrun(void* pThis);
    void ConnectPhysical();

    jack_client_t* m_pClient;
    double m_fSampleRate = 0.0;
    int m_nBufferFrames = 0;
    jack_port_t* m_pInputs[kChannels] = {};
    jack_port_t* m_pOutputs[kChannels] = {};
    std::atomic<CAudioCallback*> m_pCallback{nullptr};
    bool m_bActive = false;
};
