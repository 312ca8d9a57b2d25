#pragma once
// Names of result codes, for diagnostics.

#include "AAX.h"

// The code's name ("AAX_ERROR_NULL_OBJECT"), or "<unknown error code>" for any other value.
const char* AAX_ResultName(AAX_Result result);
