// The mono plug-in: one input, one output (the module's mono component).
#include "BwLv2Descriptor.h"

const LV2_Descriptor g_BwLv2MonoDescriptor = bwlv2::makeDescriptor<1>(bwlv2::kMonoUri);
