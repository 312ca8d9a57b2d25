#pragma once
// Counts heap allocations made by the calling thread (the test binary replaces operator new).

void StartCountingAllocations();
int StopCountingAllocations();  // allocations since the start, on this thread
