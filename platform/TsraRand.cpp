#include "TsraRand.h"

namespace {
thread_local uint32_t t_uRandState = 1;  // the runtime's state on every new thread
}

int tsraRand()
{
    t_uRandState = t_uRandState * 214013u + 2531011u;  // wraps mod 2^32 by unsigned arithmetic
    return static_cast<int>((t_uRandState >> 16) & 0x7FFFu);
}

void tsraSeedRand(uint32_t seed)
{
    t_uRandState = seed;
}
