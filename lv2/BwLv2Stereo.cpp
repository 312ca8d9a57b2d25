// The stereo plug-in: two inputs, two outputs (the module's stereo component).
#include "BwLv2Descriptor.h"

const LV2_Descriptor g_BwLv2StereoDescriptor = bwlv2::makeDescriptor<2>(bwlv2::kStereoUri);
