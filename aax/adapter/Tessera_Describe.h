#pragma once
// The effect description given to the host at registration: one effect with a mono and a
// stereo component sharing the render procedure and the eight-field context, the parameter
// and editor factories, and two meters. Keeps no state. Threading: the host's loader thread.

#include "AAX_VCollection.h"

namespace Tessera {
inline constexpr const char* kEffectID = "tessera.BrindleWarbler";
inline constexpr const char* kEffectName = "BrindleWarbler";
inline constexpr const char* kManufacturerName = "Tessera";
inline constexpr const char* kPackageNames[2] = {"TSRA AAX Plug-In", "TSRA Plug-In"};
inline constexpr uint32_t kPackageVersion = 1;
inline constexpr uint32_t kCategory = 0x2000;
inline constexpr AAX_CTypeID kManufacturerID = AAX_FourCC("Mvlk");
inline constexpr AAX_CTypeID kProductID = AAX_FourCC("BrWb");
inline constexpr AAX_CTypeID kMonoTypeID = AAX_FourCC("TsMN");
inline constexpr AAX_CTypeID kStereoTypeID = AAX_FourCC("TsST");
inline constexpr AAX_CTypeID kMeterIDs[2] = {AAX_FourCC("grML"), AAX_FourCC("grMR")};
inline constexpr const char* kMeterNames[2] = {"GRLeft", "GRRight"};
inline constexpr const char* kMidiInName = "BrindleWarbler MIDI In";
inline constexpr const char* kTransportName = "Transport";
inline constexpr AAX_CProcPtrID kParametersFactoryID = 0;
inline constexpr AAX_CProcPtrID kGUIFactoryID = 1;
}  // namespace Tessera

AAX_Result GetEffectDescriptions(AAX_VCollection& collection);
AAX_Result DescribeEffect(AAX_VEffectDescriptor& effect);
// Mono and stereo get the render procedure and the fields; any other format only its map.
void DescribeAlgorithmComponent(int32_t stemFormat, AAX_VComponentDescriptor& component);
// The bitwise OR of the host's results.
AAX_Result AddAlgorithmFields(AAX_VComponentDescriptor& component);
