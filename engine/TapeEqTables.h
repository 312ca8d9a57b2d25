#pragma once

// Tape-formulation equaliser FIR tables, as the tape engine applies them.
//
// Row t = tapeTypeIndex + 3 * sampleRateIndex, with tapeTypeIndex 0, 1, 2 = type I, II, IV and
// sampleRateIndex 0 ... 5 = 44100, 48000, 88200, 96000, 176400, 192000 Hz. With
// N = kTapeEqHistoryLength[sampleRateIndex] (the highest history position), a row holds N + 1
// taps in slots 0 ... N and zeros after them. Coefficient j multiplies the sample N - j frames
// old, so the last coefficient multiplies the newest sample.
//
// Rows 0-2 are the published 44.1 kHz tables; the other rows reproduce their magnitude response
// at their own rates. The definitions are generated: see engine/eqdesign/design_tape_eq.py.

#include <cstdint>

inline constexpr int kTapeEqRowLength = 88;
inline constexpr int kTapeEqTableCount = 18;
inline constexpr int kTapeEqRateCount = 6;

extern const int32_t kTapeEqHistoryLength[kTapeEqRateCount];  // 19, 21, 39, 43, 79, 87
extern const float kTapeEqCoeffs[kTapeEqTableCount][kTapeEqRowLength];
