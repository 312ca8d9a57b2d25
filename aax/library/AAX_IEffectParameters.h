#pragma once
// The module-side names of the instance interfaces the host calls.

#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"

using AAX_IEffectParameters = AAX_IACFEffectParameters_V4;
using AAX_IEffectGUI = AAX_IACFEffectGUI;
