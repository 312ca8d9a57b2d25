#pragma once
// A small effect-parameters object for the tests: a bypass, a gain ("1", float), a switch
// ("2", int32 list), a meter ("3", float, not automatable) and an invert ("4", bool); and an
// editor that records what the library calls on it.

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CEffectGUI.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CStringDisplayDelegate.h"
#include "AAX_CUnitDisplayDelegateDecorator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <memory>
#include <string>
#include <vector>

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

// A gain of -10 to 10 dB, and a switch of three entries ("I", "II", "IV") standing at "II".
inline std::unique_ptr<AAX_CParameter<float>> MakeGain(float fDefault = 0.0f, const char* pID = "1", const char* pName = "Gain")
{
    return std::make_unique<AAX_CParameter<float>>(
        pID, pName, fDefault, AAX_CLinearTaperDelegate<float, 0>(-10.0f, 10.0f),
        AAX_CUnitDisplayDelegateDecorator<float>(AAX_CNumberDisplayDelegate<float, 2, 0>(), " dB"), true);
}
inline std::unique_ptr<AAX_CParameter<int32_t>> MakeSwitch(const char* pID = "2")
{
    auto p = std::make_unique<AAX_CParameter<int32_t>>(pID, "Tape Type", 1, AAX_CLinearTaperDelegate<int32_t, 1>(0, 2),
                                                       AAX_CStringDisplayDelegate<int32_t>({{0, "I"}, {1, "II"}, {2, "IV"}}), true);
    p->SetNumberOfSteps(3);
    p->SetType(AAX_eParameterType_Discrete);
    return p;
}

class CTestEffect : public AAX_CEffectParameters {
public:
    AAX_Result m_nInitResult = AAX_SUCCESS;
    bool m_bOnlyBypass = false;
    std::atomic<int> m_nCoefficientCalls{0};
    std::atomic<int> m_nTimerCalls{0};

    AAX_CParameterManager& Manager() { return m_ParameterManager; }
    void AddGain(const char* pID, const char* pName) { m_ParameterManager.AddParameter(MakeGain(0.0f, pID, pName).release()); }
    AAX_CPacketDispatcher& Dispatcher() { return m_PacketDispatcher; }
    double Normalized(const char* pID) const
    {
        double n = -1;
        EXPECT_EQ(GetParameterNormalizedValue(pID, &n), AAX_SUCCESS) << pID;
        return n;
    }

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
        m_ParameterManager.AddParameter(pBypass);
        if (m_bOnlyBypass)
            return m_nInitResult;
        AddGain("1", "Gain");
        m_ParameterManager.AddParameter(MakeSwitch().release());
        m_ParameterManager.AddParameter(new AAX_CParameter<float>("3", "L", 0.0f, AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                                                  AAX_CNumberDisplayDelegate<float, 2, 0>(), false));
        m_ParameterManager.AddParameter(new AAX_CParameter<bool>("4", "Invert", false, AAX_CBinaryTaperDelegate<bool>(),
                                                                 AAX_CBinaryDisplayDelegate<bool>("off", "on"), true));
        AddGain("1", "Duplicate");  // not added: the first registration wins
        return m_nInitResult;
    }
};

class CTestGUI : public AAX_CEffectGUI {
public:
    static inline CTestGUI* s_pLast = nullptr;  // the last one Create made
    static IACFUnknown* Create() { return static_cast<AAX_IEffectGUI*>(s_pLast = new CTestGUI); }
    std::vector<std::string> m_Calls;

    AAX_Result ParameterUpdated(AAX_CParamID id) override
    {
        m_Calls.push_back(std::string("updated:") + id);
        return AAX_SUCCESS;
    }

protected:
    void CreateViewContents() override { m_Calls.push_back("contents"); }
    void CreateViewContainer() override
    {
        // The container is in place when the hook runs.
        m_Calls.push_back("create:" + std::to_string(GetViewContainerType()));
    }
    void DeleteViewContainer() override { m_Calls.push_back("delete"); }
};

// A saved chunk record of the size the object reports.
inline std::vector<unsigned char> SaveChunk(const AAX_CEffectParameters& effect)
{
    uint32_t nSize = 0;
    EXPECT_EQ(effect.GetChunkSize(AAX_CEffectParameters::kControlsChunkID, &nSize), AAX_SUCCESS);
    std::vector<unsigned char> record(sizeof(AAX_SPlugInChunkHeader) + nSize);
    auto* pChunk = reinterpret_cast<AAX_SPlugInChunk*>(record.data());
    pChunk->fChunkID = AAX_CEffectParameters::kControlsChunkID;
    EXPECT_EQ(effect.GetChunk(AAX_CEffectParameters::kControlsChunkID, pChunk), AAX_SUCCESS);
    return record;
}
