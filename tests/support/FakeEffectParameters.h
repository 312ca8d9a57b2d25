#pragma once
// An effect-parameters interface that records what the editor sends (touch, value, release)
// and answers normalised values from a table. Not reference counted (lives on the stack).

#include "AAX_IEffectParameters.h"

#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <vector>

class FakeEffectParameters : public AAX_IEffectParameters {
public:
    struct SEvent {
        char m_cKind;  // 't'ouch, 'v'alue, 'r'elease
        std::string m_ID;
        double m_fValue;
    };
    std::vector<SEvent> m_Events;
    std::map<std::string, double> m_Values;

    // Custom data block 0: the engine and the meter table, when set.
    const void* m_pCustomData[2] = {nullptr, nullptr};
    bool m_bCustomData = false;

    ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) override
    {
        if (iid == AAX_IACFEffectParameters_V4::kIID || iid == IACFUnknown::kIID) {
            *ppOut = static_cast<AAX_IACFEffectParameters_V4*>(this);
            return ACF_OK;
        }
        *ppOut = nullptr;
        return ACF_E_NOINTERFACE;
    }
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    AAX_Result GetParameterNormalizedValue(AAX_CParamID id, double* out) const override
    {
        const auto it = m_Values.find(id);
        if (it == m_Values.end())
            return AAX_ERROR_INVALID_PARAMETER_ID;
        *out = it->second;
        return AAX_SUCCESS;
    }
    AAX_Result SetParameterNormalizedValue(AAX_CParamID id, double v) override
    {
        m_Events.push_back({'v', id, v});
        m_Values[id] = v;
        return AAX_SUCCESS;
    }
    AAX_Result TouchParameter(AAX_CParamID id) override
    {
        m_Events.push_back({'t', id, 0});
        return AAX_SUCCESS;
    }
    AAX_Result ReleaseParameter(AAX_CParamID id) override
    {
        m_Events.push_back({'r', id, 0});
        return AAX_SUCCESS;
    }
    AAX_Result GetCustomData(AAX_CTypeID id, uint32_t bytes, void* out, uint32_t* written) const override
    {
        if (!m_bCustomData || id != 0 || bytes < sizeof m_pCustomData)
            return AAX_ERROR_UNIMPLEMENTED;
        std::memcpy(out, m_pCustomData, sizeof m_pCustomData);
        *written = sizeof m_pCustomData;
        return AAX_SUCCESS;
    }

    AAX_Result Initialize(IACFUnknown*) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result Uninitialize() override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result NotificationReceived(AAX_CTypeID, const void*, uint32_t) override { return AAX_ERROR_UNIMPLEMENTED; }
    // The parameters are the table's identifiers, in its order.
    AAX_Result GetNumberOfParameters(int32_t* out) const override
    {
        *out = static_cast<int32_t>(m_Values.size());
        return AAX_SUCCESS;
    }
    AAX_Result GetMasterBypassParameter(AAX_IString*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterIsAutomatable(AAX_CParamID, AAX_CBoolean*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterNumberOfSteps(AAX_CParamID, int32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterName(AAX_CParamID, AAX_IString*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterNameOfLength(AAX_CParamID, AAX_IString*, int32_t) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID, double*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID, double) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterType(AAX_CParamID, int32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterOrientation(AAX_CParamID, int32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameter(AAX_CParamID, AAX_IParameter**) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterIndex(AAX_CParamID, int32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterIDFromIndex(int32_t index, AAX_IString* out) const override
    {
        if (index < 0 || static_cast<size_t>(index) >= m_Values.size())
            return AAX_ERROR_INVALID_PARAMETER_INDEX;
        out->Set(std::next(m_Values.begin(), index)->first.c_str());
        return AAX_SUCCESS;
    }
    AAX_Result GetParameterValueInfo(AAX_CParamID, int32_t, int32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterValueFromString(AAX_CParamID, double*, const AAX_IString&) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterStringFromValue(AAX_CParamID, double, AAX_IString*, int32_t) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetParameterValueString(AAX_CParamID, AAX_IString*, int32_t) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result SetParameterNormalizedRelative(AAX_CParamID, double) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result UpdateParameterTouch(AAX_CParamID, AAX_CBoolean) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID, double, int32_t) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID, double) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GenerateCoefficients() override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result ResetFieldData(AAX_CFieldIndex, void*, uint32_t) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetNumberOfChunks(int32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetChunkIDFromIndex(int32_t, AAX_CTypeID*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetChunkSize(AAX_CTypeID, uint32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetChunk(AAX_CTypeID, AAX_SPlugInChunk*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result SetChunk(AAX_CTypeID, const AAX_SPlugInChunk*, uint32_t) override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result CompareActiveChunk(const AAX_SPlugInChunk*, uint32_t, AAX_CBoolean*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result GetNumberOfChanges(int32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result TimerWakeup() override { return AAX_ERROR_UNIMPLEMENTED; }
    AAX_Result UpdatePageTable(uint32_t, int32_t, IACFUnknown*, IACFUnknown*) const override { return AAX_ERROR_UNIMPLEMENTED; }
};
