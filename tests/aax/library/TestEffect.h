#pragma once
// A small effect-parameters object for the tests: a bypass, a gain ("1", float), a switch
// ("2", int32 list), a meter ("3", float, not automatable) and an invert ("4", bool).

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CStringDisplayDelegate.h"
#include "AAX_CUnitDisplayDelegateDecorator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

class CTestEffect : public AAX_CEffectParameters {
public:
    AAX_Result m_nInitResult = AAX_SUCCESS;
    bool m_bOnlyBypass = false;
    std::atomic<int> m_nCoefficientCalls{0};
    std::atomic<int> m_nTimerCalls{0};

    AAX_CParameterManager& Manager() { return m_ParameterManager; }
    void AddGain(const char* pID, const char* pName)
    {
        m_ParameterManager.AddParameter(new AAX_CParameter<float>(
            pID, pName, 0.0f, AAX_CLinearTaperDelegate<float, 0>(-10.0f, 10.0f),
            AAX_CUnitDisplayDelegateDecorator<float>(AAX_CNumberDisplayDelegate<float, 2, 0>(), " dB"), true));
    }
    AAX_CPacketDispatcher& Dispatcher() { return m_PacketDispatcher; }

    AAX_Result GenerateCoefficients() override
    {
        ++m_nCoefficientCalls;
        return AAX_CEffectParameters::GenerateCoefficients();
    }
    AAX_Result TimerWakeup() override
    {
        ++m_nTimerCalls;
        return AAX_SUCCESS;
    }

protected:
    AAX_Result EffectInit() override
    {
        auto* pBypass = new AAX_CParameter<bool>(kMasterBypassID, "Master Bypass", false, AAX_CBinaryTaperDelegate<bool>(),
                                                 AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
        pBypass->SetNumberOfSteps(2);
        pBypass->SetType(AAX_eParameterType_Discrete);
        m_ParameterManager.AddParameter(pBypass);
        if (m_bOnlyBypass)
            return m_nInitResult;
        AddGain("1", "Gain");
        auto* pSwitch = new AAX_CParameter<int32_t>("2", "Tape Type", 1, AAX_CLinearTaperDelegate<int32_t, 1>(0, 2),
                                                    AAX_CStringDisplayDelegate<int32_t>({{0, "I"}, {1, "II"}, {2, "IV"}}), true);
        pSwitch->SetNumberOfSteps(3);
        pSwitch->SetType(AAX_eParameterType_Discrete);
        m_ParameterManager.AddParameter(pSwitch);
        m_ParameterManager.AddParameter(new AAX_CParameter<float>("3", "L", 0.0f, AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                                                  AAX_CNumberDisplayDelegate<float, 2, 0>(), false));
        m_ParameterManager.AddParameter(new AAX_CParameter<bool>("4", "Invert", false, AAX_CBinaryTaperDelegate<bool>(),
                                                                 AAX_CBinaryDisplayDelegate<bool>("off", "on"), true));
        AddGain("1", "Duplicate");  // not added: the first registration wins
        return m_nInitResult;
    }
};

// A saved chunk record of the size the object reports.
inline std::vector<unsigned char> SaveChunk(const AAX_CEffectParameters& effect, AAX_Result* outResult = nullptr)
{
    uint32_t nSize = 0;
    EXPECT_EQ(effect.GetChunkSize(AAX_CEffectParameters::kControlsChunkID, &nSize), AAX_SUCCESS);
    std::vector<unsigned char> record(sizeof(AAX_SPlugInChunkHeader) + nSize);
    auto* pChunk = reinterpret_cast<AAX_SPlugInChunk*>(record.data());
    pChunk->fChunkID = AAX_CEffectParameters::kControlsChunkID;
    const AAX_Result result = effect.GetChunk(AAX_CEffectParameters::kControlsChunkID, pChunk);
    if (outResult)
        *outResult = result;
    else
        EXPECT_EQ(result, AAX_SUCCESS);
    return record;
}
