#include "CHostTransport.h"

AAX_Result CHostTransport::GetCurrentTempo(double* outBPM) const
{
    if (!m_bAvailable)
        return AAX_ERROR_UNIMPLEMENTED;
    if (!outBPM)
        return AAX_ERROR_NULL_ARGUMENT;
    *outBPM = m_fTempoBPM;
    return AAX_SUCCESS;
}

AAX_Result CHostTransport::GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const
{
    if (!m_bAvailable)
        return AAX_ERROR_UNIMPLEMENTED;
    if (!outNumerator || !outDenominator)
        return AAX_ERROR_NULL_ARGUMENT;
    *outNumerator = m_nMeterNumerator;
    *outDenominator = m_nMeterDenominator;
    return AAX_SUCCESS;
}

AAX_Result CHostTransport::IsTransportPlaying(bool* outPlaying) const
{
    if (!m_bAvailable)
        return AAX_ERROR_UNIMPLEMENTED;
    if (!outPlaying)
        return AAX_ERROR_NULL_ARGUMENT;
    *outPlaying = m_bPlaying;
    return AAX_SUCCESS;
}

AAX_Result CHostTransport::GetCurrentTickPosition(int64_t* outTicks) const
{
    if (!m_bAvailable)
        return AAX_ERROR_UNIMPLEMENTED;
    if (!outTicks)
        return AAX_ERROR_NULL_ARGUMENT;
    *outTicks = m_nTicks;
    return AAX_SUCCESS;
}

AAX_Result CHostTransport::GetCurrentLoopPosition(bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const
{
    if (!m_bAvailable)
        return AAX_ERROR_UNIMPLEMENTED;
    if (!outLooping || !outStartTick || !outEndTick)
        return AAX_ERROR_NULL_ARGUMENT;
    *outLooping = m_bLooping;
    *outStartTick = m_nLoopStartTicks;
    *outEndTick = m_nLoopEndTicks;
    return AAX_SUCCESS;
}

AAX_Result CHostTransport::GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const
{
    if (!m_bAvailable)
        return AAX_ERROR_UNIMPLEMENTED;
    if (!outSampleLocation)
        return AAX_ERROR_NULL_ARGUMENT;
    *outSampleLocation = m_nSampleLocation;
    return AAX_SUCCESS;
}

void CHostTransport::SetState(const SHostTransportState& state)
{
    m_fTempoBPM = state.m_fTempoBPM;
    m_nMeterNumerator = state.m_nMeterNumerator;
    m_nMeterDenominator = state.m_nMeterDenominator;
    m_bPlaying = state.m_bPlaying;
    m_nTicks = state.m_nTicks;
    m_bLooping = state.m_bLooping;
    m_nLoopStartTicks = state.m_nLoopStartTicks;
    m_nLoopEndTicks = state.m_nLoopEndTicks;
    m_nSampleLocation = state.m_nSampleLocation;
}
