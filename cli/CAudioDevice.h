#pragma once
// An audio device that calls back for every buffer: JACK, PulseAudio, or none (a paced thread
// whose output goes nowhere). OpenAudioDevice picks one; the rest of the command sees only
// this interface.
//
// Threading: open, Start and Stop on the main thread; the callback runs on the device's audio
// thread between Start and Stop. Xruns and frames are counted there and read anywhere.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

// What a device calls on its audio thread. Must not allocate, lock or block.
class CAudioCallback {
public:
    virtual ~CAudioCallback() = default;
    // nInputs capture channels (0 without capture); fill all nOutputs channels of nFrames.
    virtual void Process(const float* const* ppInput, int nInputs, float* const* ppOutput, int nOutputs,
                         int nFrames) = 0;
};

class CAudioDevice {
public:
    virtual ~CAudioDevice() = default;

    virtual const char* Name() const = 0;  // "JACK", "PulseAudio", "none"
    virtual double SampleRate() const = 0;
    // The usual buffer size; a callback may still get another (JACK can change it).
    virtual int BufferFrames() const = 0;
    virtual int Inputs() const = 0;   // capture channels handed to the callback
    virtual int Outputs() const = 0;
    // The callback must outlive Stop. Stop returns once the callback is no longer running.
    virtual void Start(CAudioCallback& callback) = 0;
    virtual void Stop() = 0;

    uint64_t Xruns() const { return m_nXruns.load(std::memory_order_relaxed); }
    double SecondsPlayed() const { return double(m_nFrames.load(std::memory_order_relaxed)) / SampleRate(); }

protected:
    std::atomic<uint64_t> m_nXruns{0};
    std::atomic<uint64_t> m_nFrames{0};
};

enum class EAudioBackEnd { kAuto, kJack, kPulse, kNone };

// "jack", "pulse", "none"; throws a usage error for anything else.
EAudioBackEnd ParseAudioBackEnd(const std::string& text);

struct SAudioRequest {
    EAudioBackEnd m_eBackEnd = EAudioBackEnd::kAuto;
    bool m_bLive = false;          // capture two inputs (JACK only)
    double m_fSampleRate = 48000;  // for back-ends that take the rate they are given
    int m_nBlock = 512;            // likewise for the buffer size
    std::string m_ClientName = "brindlewarbler";
};

// The first back-end that answers (auto: JACK, then PulseAudio), else the paced silent
// device; never null. When the request could not be met, outNotice says so in one line
// (without a newline), and nothing else reaches stderr.
std::unique_ptr<CAudioDevice> OpenAudioDevice(const SAudioRequest& request, std::string& outNotice);

// "audio: 3 xruns in 312.4 s"
std::string XrunSummary(const CAudioDevice& device);
