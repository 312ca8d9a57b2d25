#pragma once
// Wrapper of the host's controller for one instance; AAX_ERROR_NULL_OBJECT when missing.

#include "AAX_IACFController.h"
#include "AAX_TInterfaceRef.h"

class AAX_VController {
public:
    explicit AAX_VController(IACFUnknown* pHost) : m_I(pHost) {}
    bool IsValid() const { return bool(m_I); }

    AAX_Result GetEffectID(AAX_IString* outEffectID) const;
    AAX_Result GetSampleRate(float* outSampleRate) const;
    AAX_Result GetInputStemFormat(int32_t* outStemFormat) const;
    AAX_Result GetOutputStemFormat(int32_t* outStemFormat) const;
    AAX_Result GetSignalLatency(int32_t* outSamples) const;
    AAX_Result SetSignalLatency(int32_t samples);
    AAX_Result PostPacket(AAX_CFieldIndex field, const void* pPayload, uint32_t nBytes);
    AAX_Result GetMeterCount(uint32_t* outCount) const;
    AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const;

private:
    AAX_TInterfaceRef<AAX_IACFController> m_I;
};
