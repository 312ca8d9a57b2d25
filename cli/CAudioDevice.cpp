#include "CAudioDevice.h"

#include "CJackDevice.h"
#include "CPulseDevice.h"
#include "CRealtimePlayer.h"
#include "CliError.h"

#include <cstdio>

EAudioBackEnd ParseAudioBackEnd(const std::string& text)
{
    if (text == "jack")
        return EAudioBackEnd::kJack;
    if (text == "pulse")
        return EAudioBackEnd::kPulse;
    if (text == "none")
        return EAudioBackEnd::kNone;
    ThrowUsage("--audio takes jack, pulse or none, not \"" + text + "\"");
}

std::unique_ptr<CAudioDevice> OpenAudioDevice(const SAudioRequest& request, std::string& outNotice)
{
    outNotice.clear();
    const EAudioBackEnd eWanted = request.m_eBackEnd;
    std::string reasons;
    if (eWanted == EAudioBackEnd::kAuto || eWanted == EAudioBackEnd::kJack) {
        std::string reason;
        if (auto pJack = CJackDevice::Open(request.m_ClientName, request.m_bLive, reason))
            return pJack;
        reasons = reason;
    }
    // Capture is JACK's alone: a live session without it has nothing to play.
    if (!request.m_bLive && (eWanted == EAudioBackEnd::kAuto || eWanted == EAudioBackEnd::kPulse)) {
        std::string reason;
        if (auto pPulse = CPulseDevice::Open(request.m_ClientName, request.m_fSampleRate, request.m_nBlock, reason))
            return pPulse;
        reasons += (reasons.empty() ? "" : ", ") + reason;
    }
    if (request.m_bLive && eWanted == EAudioBackEnd::kPulse)
        reasons = "pulse has no capture here";
    if (eWanted != EAudioBackEnd::kNone)
        outNotice = "audio: " + reasons + (request.m_bLive ? " (--live needs JACK)" : "") +
                    "; the editor runs without sound";
    return std::make_unique<CRealtimePlayer>(request.m_fSampleRate, request.m_nBlock);
}

std::string XrunSummary(const CAudioDevice& device)
{
    char text[96];
    std::snprintf(text, sizeof text, "audio: %llu xruns in %.1f s", static_cast<unsigned long long>(device.Xruns()),
                  device.SecondsPlayed());
    return text;
}
