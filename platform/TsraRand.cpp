#include "TsraRand.h"

constinit thread_local uint32_t g_uTsraRandState = 1;  // the runtime's state on every new thread

int tsraRand()
{
    return tsraRandInline();
}

void tsraSeedRand(uint32_t seed)
{
    g_uTsraRandState = seed;
}
