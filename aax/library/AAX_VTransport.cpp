#include "AAX_VTransport.h"

AAX_Result AAX_VTransport::GetCurrentTempo(double* outBPM) const
{
    return m_I ? m_I->GetCurrentTempo(outBPM) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const
{
    return m_I ? m_I->GetCurrentMeter(outNumerator, outDenominator) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::IsTransportPlaying(bool* outPlaying) const
{
    return m_I ? m_I->IsTransportPlaying(outPlaying) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentTickPosition(int64_t* outTicks) const
{
    return m_I ? m_I->GetCurrentTickPosition(outTicks) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition(bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const
{
    return m_I ? m_I->GetCurrentLoopPosition(outLooping, outStartTick, outEndTick) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const
{
    return m_I ? m_I->GetCurrentNativeSampleLocation(outSampleLocation) : AAX_ERROR_NULL_OBJECT;
}
