#pragma once
// The LV2 callbacks shared by the mono and the stereo plug-in: a plug-in differs only in its
// channel count and URI. Exceptions stop here: they must not cross into a C host.

#include "BwLv2Instance.h"

#include <lv2/core/lv2.h>

#include <new>

namespace bwlv2 {

template <uint32_t Channels>
LV2_Handle instantiate(const LV2_Descriptor*, double dRate, const char*, const LV2_Feature* const*)
{
    if (!(dRate >= 1000.0 && dRate <= 1.0e6))  // the engine's tables and delays need a sane rate
        return nullptr;
    try {
        return new CBwLv2Instance(Channels, dRate);
    } catch (...) {
        return nullptr;
    }
}

inline void connectPort(LV2_Handle h, uint32_t uPort, void* pData)
{
    static_cast<CBwLv2Instance*>(h)->connect(uPort, pData);
}

inline void activate(LV2_Handle h) { static_cast<CBwLv2Instance*>(h)->activate(); }

inline void run(LV2_Handle h, uint32_t uFrames) { static_cast<CBwLv2Instance*>(h)->run(uFrames); }

// Nothing to release: the next activate decides whether the state needs clearing.
inline void deactivate(LV2_Handle) {}

inline void cleanup(LV2_Handle h) { delete static_cast<CBwLv2Instance*>(h); }

inline const void* extensionData(const char*) { return nullptr; }

template <uint32_t Channels>
constexpr LV2_Descriptor makeDescriptor(const char* pUri)
{
    return LV2_Descriptor{pUri, instantiate<Channels>, connectPort, activate, run, deactivate,
                          cleanup, extensionData};
}

}  // namespace bwlv2

// Defined one per plug-in (BwLv2Mono.cpp, BwLv2Stereo.cpp).
extern const LV2_Descriptor g_BwLv2MonoDescriptor;
extern const LV2_Descriptor g_BwLv2StereoDescriptor;
