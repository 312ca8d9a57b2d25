#pragma once
// The module-wide host-services wrapper and the trace facility built on it. Without host
// services a trace message is dropped.
//
// Threading: Set at module start-up and shut-down (no instance alive); Trace from any thread.

#include "AAX.h"

class IACFUnknown;

namespace AAX_CHostServices {
// Creates the wrapper for pHost (replacing any earlier one); null releases it.
void Set(IACFUnknown* pHost);
bool IsSet();
// printf-style message to the host's trace.
void Trace(int32_t priority, const char* pFormat, ...) __attribute__((format(printf, 2, 3)));
}  // namespace AAX_CHostServices
