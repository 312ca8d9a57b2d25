// Construction, the batch bridge and custom data of the parameter object. EffectInit and the
// control-to-parameter mapping live in Tessera_ParametersInit.cpp.
#include "Tessera_Parameters.h"

#include "AlgorithmContext.h"
#include "Tessera_EngineFactory.h"

#include <cstdlib>
#include <cstring>
#include <new>

IACFUnknown* Tessera_Parameters::Create()
{
    auto* pParameters = new (std::nothrow) Tessera_Parameters;
    return pParameters ? static_cast<AAX_IEffectParameters*>(pParameters) : nullptr;
}

Tessera_Parameters::Tessera_Parameters() : m_pPlugIn(Tessera_CreateEngine()), m_pMeterTable(m_MeterTable.data())
{
    m_MeterTable.fill(-1);
    for (auto& id : m_MeterIDs)
        id[0] = '\0';
}

Tessera_Parameters::~Tessera_Parameters()
{
    m_pPlugIn.reset();
    ReleaseFinishedBatches();
    // m_BatchFlow frees the batches still queued; m_pMidiEventList goes with its owner.
}

AAX_Result Tessera_Parameters::Uninitialize()
{
    m_DirtyParameters.clear();
    return AAX_CEffectParameters::Uninitialize();
}

AAX_Result Tessera_Parameters::UpdateParameterNormalizedValue(AAX_CParamID inID, double inValue, int32_t inSource)
{
    const AAX_Result result = AAX_CEffectParameters::UpdateParameterNormalizedValue(inID, inValue, inSource);
    if (result != AAX_SUCCESS)
        return result;
    AAX_IParameter* pParameter = m_ParameterManager.GetParameterByID(inID);
    if (std::strcmp(inID, kMasterBypassID) == 0) {
        // What the parameter made of the value, not the raw request: a host may send values
        // outside 0..1, and the render must agree with the parameter the host shows.
        bool bBypassed = false;
        m_bBypassed.store(pParameter && pParameter->GetValueAsBool(&bBypassed) && bBypassed, std::memory_order_relaxed);
        return AAX_SUCCESS;
    }
    if (pParameter && m_SynchronizedIDs.find(std::string_view(pParameter->Identifier())) != m_SynchronizedIDs.end())
        m_DirtyParameters.insert(pParameter);
    return AAX_SUCCESS;
}

AAX_Result Tessera_Parameters::GenerateCoefficients()
{
    const AAX_Result result = AAX_CEffectParameters::GenerateCoefficients();
    if (result != AAX_SUCCESS)
        return result;
    // Fast offline rendering may finish many batches between two timer calls; free them on
    // this thread too so the finished queues never fill.
    ReleaseFinishedBatches();

    const int64_t nBatch = m_nStateCounter++;
    if (!m_DirtyParameters.empty()) {
        auto* pBatch = new ParameterBatch(nBatch);
        for (AAX_IParameter* pParameter : m_DirtyParameters)  // ordered by address
            pBatch->Append(new ParameterBatchEntry(pParameter->Identifier()));
        if (m_BatchFlow.Queue(pBatch))
            m_DirtyParameters.clear();
        else
            delete pBatch;  // queue full: the parameters stay dirty for the next call
    }
    AAX_VController* pController = Controller();
    return pController ? pController->PostPacket(kFieldBatchNumber, &nBatch, sizeof nBatch) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result Tessera_Parameters::ResetFieldData(AAX_CFieldIndex inField, void* outData, uint32_t inBytes) const
{
    AAX_CEffectParameters::ResetFieldData(inField, outData, inBytes);
    if (inField == kFieldPrivateData && outData && inBytes >= sizeof(Tessera_Parameters*)) {
        // The render finds its instance here; it only ever changes the object through it.
        Tessera_Parameters* pThis = const_cast<Tessera_Parameters*>(this);
        std::memcpy(outData, &pThis, sizeof pThis);
    }
    return AAX_SUCCESS;
}

AAX_Result Tessera_Parameters::TimerWakeup()
{
    ReleaseFinishedBatches();
    return AAX_SUCCESS;
}

AAX_Result Tessera_Parameters::GetCustomData(AAX_CTypeID inBlockID, uint32_t inBytes, void* outData, uint32_t* outWritten) const
{
    if (outWritten)
        *outWritten = 0;
    if (inBlockID != kCustomDataEngine)
        return AAX_ERROR_UNIMPLEMENTED;
    const void* pointers[2] = {m_pPlugIn.get(), m_pMeterTable};
    if (!outData)
        return AAX_ERROR_NULL_ARGUMENT;
    if (inBytes < sizeof pointers)
        return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
    std::memcpy(outData, pointers, sizeof pointers);
    if (outWritten)
        *outWritten = sizeof pointers;
    return AAX_SUCCESS;
}

void Tessera_Parameters::ApplyQueuedParameterChanges(ParameterBatchEntry* const* ppEntries, uint32_t nCount)
{
    CPlugIn* pPlugIn = m_pPlugIn.get();
    if (!pPlugIn)
        return;
    const uint32_t uControls = pPlugIn->controlCount();
    for (uint32_t i = 0; i < nCount; ++i) {
        const AAX_IParameter* pParameter = m_ParameterManager.GetParameterByID(ppEntries[i]->m_ID);
        if (!pParameter)
            continue;
        const long nIndex = std::strtol(ppEntries[i]->m_ID, nullptr, 10) - 1;
        if (nIndex < 0)
            continue;
        const uint32_t uIndex = uint32_t(nIndex);
        if (uIndex < uControls) {
            float fValue = 0.0f;
            int32_t nValue = 0;
            if (pParameter->GetValueAsFloat(&fValue))
                pPlugIn->setControlValue(uIndex, fValue, !m_bEngineStarted);
            else if (pParameter->GetValueAsInt32(&nValue))
                pPlugIn->setControlValue(uIndex, float(nValue), !m_bEngineStarted);
        } else if (uIndex == uControls) {
            pPlugIn->setJoystickX(float(2.0 * pParameter->GetNormalizedValue() - 1.0), true);
        } else if (uIndex == uControls + 1) {
            pPlugIn->setJoystickY(float(2.0 * pParameter->GetNormalizedValue() - 1.0), true);
        }
    }
}

void Tessera_Parameters::PublishMeterParameters()
{
    CPlugIn* pPlugIn = m_pPlugIn.get();
    if (!pPlugIn)
        return;
    for (int32_t k = 0; k < m_nMeterEntries; ++k) {
        const int32_t nIndex = m_MeterTable[size_t(k)];
        if (nIndex < 0)
            continue;
        const ControlRecord* pRecord = pPlugIn->controlRecord(uint32_t(nIndex));
        if (pRecord && pRecord->m_pMeter)
            SetParameterNormalizedValue(m_MeterIDs[size_t(k)], double(*pRecord->m_pMeter));
    }
}
