#pragma once
// Heap blocks alive in the whole process (the test binary replaces operator new/delete), so
// a test can check that what a scope allocated was freed again.

#include <cstdint>

int64_t LiveAllocations();
