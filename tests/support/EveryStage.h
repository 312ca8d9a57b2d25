#pragma once
// Every stage of the chain at work: type IV tape, age 4 (worn), NR on, separate dropouts,
// random LFOs, full depths. The benchmarks measure this setting and the real-time and fault
// tests drive it, so there is one definition.

#include "CModDelayModule.h"

#include <cstdint>

struct SControlSetting {
    uint32_t m_uIndex;  // engine control index
    float m_fValue;     // in the control's own units (switches: the entry)
};

inline constexpr SControlSetting kEveryStage[] = {
    {CModDelayModule::kWowDepth, 100.0f},      {CModDelayModule::kFlutterDepth, 100.0f},
    {CModDelayModule::kWowRate, 2.0f},         {CModDelayModule::kFlutterRate, 9.0f},
    {CModDelayModule::kTapeHiss, -40.0f},      {CModDelayModule::kDropoutAmount, 10.0f},
    {CModDelayModule::kDropoutIntensity, 1.0f}, {CModDelayModule::kSaturation, 6.0f},
    {CModDelayModule::kWowLfo, 1.0f},          {CModDelayModule::kFlutterLfo, 1.0f},
    {CModDelayModule::kTapeType, float(CModDelayModule::kTapeIV)}, {CModDelayModule::kAge, 4.0f},
    {CModDelayModule::kNrComp, 1.0f},          {CModDelayModule::kMonoStereoDropouts, 1.0f},
};
