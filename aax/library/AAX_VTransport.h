#pragma once
// Wrapper of the host transport; AAX_ERROR_NULL_OBJECT when missing.

#include "AAX_ITransport.h"
#include "AAX_TInterfaceRef.h"

class AAX_VTransport : public AAX_ITransport {
public:
    explicit AAX_VTransport(IACFUnknown* pHost) : m_I(pHost) {}
    bool IsValid() const { return bool(m_I); }

    AAX_Result GetCurrentTempo(double* outBPM) const override;
    AAX_Result GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const override;
    AAX_Result IsTransportPlaying(bool* outPlaying) const override;
    AAX_Result GetCurrentTickPosition(int64_t* outTicks) const override;
    AAX_Result GetCurrentLoopPosition(bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const override;

private:
    AAX_TInterfaceRef<AAX_IACFTransport> m_I;
};
