#pragma once
// Settings and signal checks shared by the module's fault, load and real-time tests: controls
// set by their real values through the host, factory presets, and a scan of rendered output for
// values a validator rejects.

#include "ModuleDriver.h"

#include <cstdint>
#include <string>
#include <vector>

// Host identifiers: controls 0..15 are "1".."16"; the meters "17" and "18" belong to the
// render; the joystick axes are "19" and "20".
inline constexpr int kControls = 16;
inline const char* const kJoystickIDs[2] = {"19", "20"};
// Every identifier the host may change: the controls, the joystick axes, then the bypass.
std::vector<std::string> HostIDs();

// Every control of factory preset nSlot, as the command line applies it.
void ApplyPreset(CTestInstance& t, int nSlot);
// kEveryStage (EveryStage.h), set through the host.
void ApplyEveryStage(CTestInstance& t);

// Expects the engine's control i (a smoothed one: its target) to hold what the host parameter's
// taper makes of the normalised value n.
void ExpectEngineHolds(CTestInstance& t, int i, double n);

// What a scan of output found: counts and the first offender.
struct SOutputScan {
    int64_t m_nNonFinite = 0;
    int64_t m_nSubnormal = 0;
    int64_t m_nFirstBad = -1;  // frame of the first non-finite or subnormal sample
    float m_fFirstBad = 0.0f;
    void Scan(const SAudio& io, int64_t nFirstFrame);
    bool Clean() const { return m_nNonFinite == 0 && m_nSubnormal == 0; }
};
