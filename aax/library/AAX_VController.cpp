#include "AAX_VController.h"

AAX_Result AAX_VController::GetEffectID(AAX_IString* outEffectID) const
{
    return m_I ? m_I->GetEffectID(outEffectID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetSampleRate(float* outSampleRate) const
{
    return m_I ? m_I->GetSampleRate(outSampleRate) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetInputStemFormat(int32_t* outStemFormat) const
{
    return m_I ? m_I->GetInputStemFormat(outStemFormat) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetOutputStemFormat(int32_t* outStemFormat) const
{
    return m_I ? m_I->GetOutputStemFormat(outStemFormat) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetSignalLatency(int32_t* outSamples) const
{
    return m_I ? m_I->GetSignalLatency(outSamples) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SetSignalLatency(int32_t samples)
{
    return m_I ? m_I->SetSignalLatency(samples) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::PostPacket(AAX_CFieldIndex field, const void* pPayload, uint32_t nBytes)
{
    return m_I ? m_I->PostPacket(field, pPayload, nBytes) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetMeterCount(uint32_t* outCount) const
{
    return m_I ? m_I->GetMeterCount(outCount) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const
{
    return m_I ? m_I->GetCurrentMeterValue(meterID, outValue) : AAX_ERROR_NULL_OBJECT;
}
