#pragma once
// Port layout and URIs of the LV2 bundle, shared by the plug-in and the TTL generator so the
// descriptions cannot drift from the binary.
//
// Port index = engine control index for the sixteen controls and the two meters; the audio
// ports follow. Symbols are stable identifiers: hosts store automation and presets by them.

#include <cstdint>

namespace bwlv2 {

inline constexpr const char* kMonoUri = "urn:tessera:brindlewarbler:mono";
inline constexpr const char* kStereoUri = "urn:tessera:brindlewarbler:stereo";
// The editor (ui:X11UI in brindlewarbler_ui.so), one for both plug-ins.
inline constexpr const char* kUiUri = "urn:tessera:brindlewarbler:ui";

inline constexpr uint32_t kControlPorts = 16;  // engine controls 0..15
inline constexpr uint32_t kMeterPortL = 16;    // engine meter "L": input level after the gain
inline constexpr uint32_t kMeterPortR = 17;    // engine meter "R": output level
inline constexpr uint32_t kFirstAudioPort = 18;

// Symbols of ports 0..17, in engine control order.
inline constexpr const char* kControlSymbols[kFirstAudioPort] = {
    "wow_depth", "wow_rate", "flutter_depth", "flutter_rate", "tape_hiss",
    "dropout_amount", "saturation", "dropout_intensity", "input", "output",
    "wow_lfo", "tape_type", "flutter_lfo", "age", "nr_comp", "mono_stereo_dropouts",
    "meter_l", "meter_r",
};

// Names of the two meter ports: the engine calls them "L" and "R", but they carry the input
// and the output level.
inline constexpr const char* kMeterNames[2] = {"Input level", "Output level"};

// Audio ports after the meters: inputs first, then outputs.
struct AudioPortNames {
    const char* pSymbol;
    const char* pName;
};
inline constexpr AudioPortNames kMonoAudio[] = {{"in", "In"}, {"out", "Out"}};
inline constexpr AudioPortNames kStereoAudio[] = {
    {"in_l", "In L"}, {"in_r", "In R"}, {"out_l", "Out L"}, {"out_r", "Out R"}};

inline constexpr uint32_t portCount(uint32_t uChannels) { return kFirstAudioPort + 2 * uChannels; }

}  // namespace bwlv2
