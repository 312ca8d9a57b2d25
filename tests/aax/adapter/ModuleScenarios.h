#pragma once
// Settings and checks shared by the tests that drive BrindleWarbler.so (BW_MODULE_PATH):
// controls set by their real values through the host, factory presets, the engine's view of the
// host's values, and a scan of rendered output for values a validator rejects.

#include "ModuleDriver.h"

#include <cstdint>
#include <string>
#include <vector>

// The module's effect, loaded once per program.
const SHostEffect& TheEffect();

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

// Output samples that are not finite, or (bSubnormal) subnormal.
int64_t CountBadSamples(const SAudio& io, bool bSubnormal);
