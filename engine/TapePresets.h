#pragma once
// The factory presets of the tape effect as plain data: names and per-control values in each
// control's own units (switches: the entry index), in control index order. Read by the
// engine's buildControls and by tools that list or apply presets.

inline constexpr int kTapePresetSlots = 16;   // slots 13..15 are unnamed and all zero
inline constexpr int kTapePresetCount = 13;   // named slots
inline constexpr int kTapePresetControls = 16;  // every control but the two meters

extern const char* const kTapePresetNames[kTapePresetSlots];
extern const double kTapePresetValues[kTapePresetSlots][kTapePresetControls];
