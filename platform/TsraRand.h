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

// n draws in a row into pOut, exactly as n tsraRandInline() calls would make them. Four
// interleaved chains, each jumping four steps at a time (state * a^4 + c (a^3 + a^2 + a + 1),
// mod 2^32), so the multiplies overlap instead of waiting on one another.
inline void tsraRandFill(int* pOut, uint32_t n)
{
    constexpr uint32_t a = 214013u, c = 2531011u;
    constexpr uint32_t a4 = a * a * a * a, c4 = c * (a * a * a + a * a + a + 1u);
    uint32_t s[4];
    s[0] = g_uTsraRandState * a + c;
    s[1] = s[0] * a + c;
    s[2] = s[1] * a + c;
    s[3] = s[2] * a + c;
    uint32_t uLast = g_uTsraRandState;
    uint32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (int k = 0; k < 4; ++k) {
            pOut[i + k] = static_cast<int>((s[k] >> 16) & 0x7FFFu);
            uLast = s[k];
            s[k] = s[k] * a4 + c4;
        }
    }
    for (int k = 0; i < n; ++i, ++k) {
        pOut[i] = static_cast<int>((s[k] >> 16) & 0x7FFFu);
        uLast = s[k];
    }
    g_uTsraRandState = uLast;
}

// Sets the calling thread's state; tests and offline rendering use it for repeatable output.
void tsraSeedRand(uint32_t seed);
