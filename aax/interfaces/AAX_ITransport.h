#pragma once
// The host transport: tempo, meter, play state, ticks, loop and sample location.
// AAX_ITransport is the plain form the render reaches through the transport node (no
// reference counting); AAX_IACFTransport is the component form the wrappers query. Both have
// the same operations, so one host object can implement both.
//
// Threading: read from the audio thread; must not block.

#include "AAX.h"
#include "ACFUnknown.h"

class AAX_ITransport {
public:
    virtual ~AAX_ITransport() = default;
    virtual AAX_Result GetCurrentTempo(double* outBPM) const = 0;
    virtual AAX_Result GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const = 0;
    virtual AAX_Result IsTransportPlaying(bool* outPlaying) const = 0;
    virtual AAX_Result GetCurrentTickPosition(int64_t* outTicks) const = 0;
    virtual AAX_Result GetCurrentLoopPosition(bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const = 0;
};

class AAX_IACFTransport : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0C0003);

    virtual AAX_Result GetCurrentTempo(double* outBPM) const = 0;
    virtual AAX_Result GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const = 0;
    virtual AAX_Result IsTransportPlaying(bool* outPlaying) const = 0;
    virtual AAX_Result GetCurrentTickPosition(int64_t* outTicks) const = 0;
    virtual AAX_Result GetCurrentLoopPosition(bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const = 0;

protected:
    ~AAX_IACFTransport() = default;
};
