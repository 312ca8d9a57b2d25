#pragma once
// Host side of one plug-in instance: sample rate, latency, stem formats, meters and the
// data ports of the algorithm context. Called from the module's main and parameter threads;
// the stem-format queries also from the audio thread.

#include "AAX.h"
#include "ACFUnknown.h"
#include "AAX_IString.h"

class AAX_IACFController : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0C0001);

    virtual AAX_Result GetEffectID(AAX_IString* outEffectID) const = 0;
    virtual AAX_Result GetSampleRate(float* outSampleRate) const = 0;
    virtual AAX_Result GetInputStemFormat(int32_t* outStemFormat) const = 0;
    virtual AAX_Result GetOutputStemFormat(int32_t* outStemFormat) const = 0;
    virtual AAX_Result GetSignalLatency(int32_t* outSamples) const = 0;
    virtual AAX_Result SetSignalLatency(int32_t inSamples) = 0;
    // Copies the payload; the render sees it through the field's data port.
    virtual AAX_Result PostPacket(AAX_CFieldIndex inField, const void* inPayload, uint32_t inBytes) = 0;
    virtual AAX_Result GetMeterCount(uint32_t* outCount) const = 0;
    virtual AAX_Result GetCurrentMeterValue(AAX_CTypeID inMeterID, float* outValue) const = 0;

protected:
    ~AAX_IACFController() = default;
};
