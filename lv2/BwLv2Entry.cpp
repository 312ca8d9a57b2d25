// The bundle's one exported symbol: hosts enumerate the plug-ins by index until null.
#include "BwLv2Descriptor.h"

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t uIndex)
{
    switch (uIndex) {
    case 0: return &g_BwLv2MonoDescriptor;
    case 1: return &g_BwLv2StereoDescriptor;
    default: return nullptr;
    }
}
