#pragma once
// Stand-in for the target's C runtime rand(): one generator per thread, never seeded by the
// module, with the runtime's exact sequence. Every random draw of the engine goes through here.
//
// Threading: the state is thread-local; a new thread starts at state 1.

#include <cstdint>

// Largest value tsraRand() returns (RAND_MAX on the target).
inline constexpr int kTsraRandMax = 0x7FFF;

// Draws the next value, 0 ... 32767: state = state * 214013 + 2531011 (mod 2^32),
// returns (state >> 16) & 0x7FFF.
int tsraRand();

// Sets the calling thread's state; tests and offline rendering use it for repeatable output.
void tsraSeedRand(uint32_t seed);
