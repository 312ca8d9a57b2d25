#pragma once
// Rendering one audio file through the effect: the whole path from the input file to the
// committed output file, shared by the render and demo commands.
//
// Order of settings: --state, then --preset, then every --set in the order given, then
// --bypass. The module takes the changes made before its first audio at once; a quarter
// second of silence then runs through the effect, so changes that wait for a later buffer
// (past the entries one buffer takes) have glided into place when the first sample arrives;
// the module's reported latency is skipped at the start and rendered out at the end.

#include "CEffectSession.h"
#include "CModuleHost.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SRenderOptions {
    std::string m_Input;
    std::string m_Output;
    std::optional<std::string> m_Preset;
    std::vector<std::string> m_Settings;  // "Name=Value"
    std::optional<std::string> m_StateIn;
    std::optional<std::string> m_StateOut;
    bool m_bBypass = false;
    bool m_bStereo = false;  // mono input through the stereo component
    bool m_bFloat = false;
    bool m_bProgress = false;
    std::optional<uint32_t> m_nSeed;
    int32_t m_nBlock = 512;
    double m_fTailSeconds = 0.0;
};

struct SRenderSummary {
    int64_t m_nFrames = 0;  // written
    int m_nChannels = 0;
    int m_nSampleRate = 0;
    int m_nFormat = 0;
    uint32_t m_nSeed = 0;
    double m_fWallSeconds = 0.0;
    uint64_t m_nClipped = 0;
};

inline constexpr double kSettleSeconds = 0.25;

// Applies --state, --preset, --set and --bypass in that order; throws CCliError.
void ApplyRequestedSettings(CEffectSession& session, const std::optional<std::string>& stateFile,
                            const std::optional<std::string>& preset, const std::vector<std::string>& settings, bool bBypass);

// Throws CCliError; on any failure the output path is left as it was.
SRenderSummary RenderFile(const CModuleHost& host, const SRenderOptions& options);
