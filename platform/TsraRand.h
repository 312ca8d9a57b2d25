#pragma once
// Stand-in for the target's C runtime rand(): one generator per thread, never seeded by the
// module, with the runtime's exact sequence. Every random draw of the engine goes through here.
//
// Threading: the state is thread-local; a new thread starts at state 1. It lives in the
// shared runtime library, so a host and the modules it loads share each thread's state.

#include <cstdint>

// Largest value tsraRand() returns (RAND_MAX on the target).
inline constexpr int kTsraRandMax = 0x7FFF;

// The calling thread's generator state. Static TLS model: the per-frame draws read it
// directly instead of through __tls_get_addr.
extern constinit thread_local uint32_t g_uTsraRandState __attribute__((tls_model("initial-exec")));

// Draws the next value, 0 ... 32767: state = state * 214013 + 2531011 (mod 2^32),
// returns (state >> 16) & 0x7FFF.
int tsraRand();

// The same draw inline, for the audio path (up to four draws a frame).
inline int tsraRandInline()
{
    g_uTsraRandState = g_uTsraRandState * 214013u + 2531011u;  // wraps mod 2^32 by unsigned arithmetic
    return static_cast<int>((g_uTsraRandState >> 16) & 0x7FFFu);
}

// Sets the calling thread's state; tests and offline rendering use it for repeatable output.
void tsraSeedRand(uint32_t seed);
