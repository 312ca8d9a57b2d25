#pragma once
// The taper of the module's host parameter for each engine control, chosen from the control
// record. The module's parameters and the LV2 editor both map through these, so a normalised
// value means the same control value on either path.
//
// Header only: needs the engine's ControlRecord.h on the include path.

#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CTsraLogTaperDelegate.h"
#include "AAX_CVoltOctaveTaperDelegate.h"
#include "ControlRecord.h"

#include <cstdint>
#include <memory>

// A number control (float or int32 data): the record's log or volt/octave flag, else linear.
template <typename T>
std::unique_ptr<AAX_ITaperDelegate<T>> TsraMakeNumberTaper(const ControlRecord& r, T minValue, T maxValue)
{
    if (r.m_bLogTaper)
        return std::make_unique<AAX_CTsraLogTaperDelegate<T, 1000>>(minValue, maxValue);
    if (r.m_bVoltOctaveTaper)
        return std::make_unique<AAX_CVoltOctaveTaperDelegate<T, 1000>>(minValue, maxValue);
    return std::make_unique<AAX_CLinearTaperDelegate<T, 0>>(minValue, maxValue);
}

// A list control (uint32 data): whole entries, linear.
inline std::unique_ptr<AAX_ITaperDelegate<int32_t>> TsraMakeListTaper(const ControlRecord& r)
{
    return std::make_unique<AAX_CLinearTaperDelegate<int32_t, 1>>(int32_t(r.m_fMin), int32_t(r.m_fMax));
}
