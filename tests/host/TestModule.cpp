// A small module for the host tests, built as a shared library with the seven entry points:
// one effect, "test.Gain", whose render multiplies by the gain parameter, raises a meter tap,
// publishes the tap as a parameter and records the batch number the host delivered.

#include "AAX_CEffectGUI.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CHostServices.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_Exports.h"
#include "AAX_VCollection.h"

#include <atomic>
#include <cmath>
#include <cstring>

#define TEST_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

class CGainParameters : public AAX_CEffectParameters {
public:
    static IACFUnknown* Create() { return static_cast<AAX_IEffectParameters*>(new CGainParameters); }

    std::atomic<int64_t> m_nSeenBatch{-1};  // written by the render

    float Gain() const
    {
        float gain = 1.0f;
        if (const AAX_IParameter* p = m_ParameterManager.GetParameterByID("1"))
            p->GetValueAsFloat(&gain);
        return gain;
    }

    AAX_Result ResetFieldData(AAX_CFieldIndex field, void* pData, uint32_t nBytes) const override
    {
        AAX_CEffectParameters::ResetFieldData(field, pData, nBytes);
        if (field == 0 && pData && nBytes >= sizeof(void*)) {
            const CGainParameters* pThis = this;
            std::memcpy(pData, &pThis, sizeof pThis);
        }
        return AAX_SUCCESS;
    }

    AAX_Result GenerateCoefficients() override
    {
        const AAX_Result result = AAX_CEffectParameters::GenerateCoefficients();
        if (result != AAX_SUCCESS)
            return result;
        const int64_t nBatch = m_nNextBatch++;
        return Controller()->PostPacket(7, &nBatch, sizeof nBatch);
    }

    // Block 0: the batch number the render last saw.
    AAX_Result GetCustomData(AAX_CTypeID id, uint32_t nBytes, void* pData, uint32_t* outWritten) const override
    {
        if (id != 0 || nBytes < 8 || !pData)
            return AAX_ERROR_UNIMPLEMENTED;
        const int64_t nSeen = m_nSeenBatch;
        std::memcpy(pData, &nSeen, 8);
        if (outWritten)
            *outWritten = 8;
        return AAX_SUCCESS;
    }

protected:
    AAX_Result EffectInit() override
    {
        m_ParameterManager.AddParameter(new AAX_CParameter<float>("1", "Gain", 1.0f, AAX_CLinearTaperDelegate<float, 0>(0.0f, 2.0f),
                                                                  AAX_CNumberDisplayDelegate<float, 2, 0>(), true));
        m_ParameterManager.AddParameter(new AAX_CParameter<float>("2", "Meter", 0.0f, AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                                                  AAX_CNumberDisplayDelegate<float, 2, 0>(), false));
        float rate = 0;
        Controller()->GetSampleRate(&rate);
        Controller()->SetSignalLatency(int32_t(rate / 1000.0f));
        return AAX_SUCCESS;
    }

private:
    int64_t m_nNextBatch = 0;
};

// Reports, through GetViewSize, how often the view was made and parameters were pushed.
class CCountingGUI : public AAX_CEffectGUI {
public:
    static IACFUnknown* Create() { return static_cast<AAX_IEffectGUI*>(new CCountingGUI); }

    AAX_Result ParameterUpdated(AAX_CParamID) override
    {
        ++m_nUpdates;
        return AAX_SUCCESS;
    }
    AAX_Result GetViewSize(AAX_Point* outSize) const override
    {
        outSize->vert = float(m_nViews);
        outSize->horz = float(m_nUpdates);
        return AAX_SUCCESS;
    }

protected:
    void CreateViewContents() override {}
    void CreateViewContainer() override
    {
        if (GetViewContainerType() == AAX_eViewContainer_Type_HWND && GetViewContainerPtr())
            ++m_nViews;
    }
    void DeleteViewContainer() override { --m_nViews; }

private:
    int m_nViews = 0;
    int m_nUpdates = 0;
};

void Render(void* const instancesBegin[], const void* instancesEnd)
{
    for (void* const* pp = instancesBegin; pp != static_cast<void* const*>(instancesEnd); ++pp) {
        void* const* ctx = static_cast<void* const*>(*pp);
        auto* pBlock = static_cast<CGainParameters* const*>(ctx[0]);
        if (!pBlock || !*pBlock)
            continue;
        CGainParameters& params = **pBlock;
        const auto* ppIn = static_cast<float* const*>(ctx[1]);
        const auto* ppOut = static_cast<float* const*>(ctx[2]);
        const int32_t nFrames = *static_cast<const int32_t*>(ctx[3]);
        float* pTaps = static_cast<float*>(ctx[4]);
        params.m_nSeenBatch = *static_cast<const int64_t*>(ctx[7]);
        int32_t stem = AAX_eStemFormat_None;
        params.Controller()->GetInputStemFormat(&stem);
        const float gain = params.Gain();
        for (int32_t c = 0; c < AAX_StemFormatChannelCount(stem); ++c)
            for (int32_t i = 0; i < nFrames; ++i) {
                ppOut[c][i] = ppIn[c][i] * gain;
                pTaps[c] = std::max(pTaps[c], std::fabs(ppOut[c][i]));
            }
        params.SetParameterNormalizedValue("2", double(std::min(pTaps[0], 1.0f)));
    }
}

void DescribeComponent(AAX_VComponentDescriptor& component, int32_t stem)
{
    component.Clear();
    AAX_VPropertyMap* pProperties = component.NewPropertyMap();
    if (!pProperties)
        return;
    pProperties->AddProperty(AAX_eProperty_InputStemFormat, stem);
    pProperties->AddProperty(AAX_eProperty_OutputStemFormat, stem);
    component.AddProcessProc_Native(Render, pProperties, nullptr, nullptr, nullptr);
    component.AddAudioIn(1);
    component.AddAudioOut(2);
    component.AddAudioBufferLength(3);
    const AAX_CTypeID meters[] = {AAX_FourCC("grML"), AAX_FourCC("grMR")};
    component.AddMeters(4, meters, 2);
    component.AddMIDINode(5, AAX_eMIDINodeType_LocalInput, "Test MIDI In", 0xFFFF);
    component.AddMIDINode(6, AAX_eMIDINodeType_Transport, "Transport", 0xFFFF);
    component.AddPrivateData(0, 8, 0);
    component.AddDataInPort(7, 8, 1);
}

}  // namespace

TEST_MODULE_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* pUnkHost, IACFUnknown** ppDefinition)
{
    try {
        AAX_VCollection collection(pUnkHost);
        AAX_VEffectDescriptor* pEffect = collection.NewDescriptor();
        if (!pEffect)
            return AAX_ERROR_NULL_OBJECT;
        AAX_VComponentDescriptor* pComponent = pEffect->NewComponentDescriptor();
        if (!pComponent)
            return AAX_ERROR_NULL_OBJECT;
        pEffect->AddName("Test Gain");
        DescribeComponent(*pComponent, AAX_eStemFormat_Mono);
        pEffect->AddComponent(pComponent);
        DescribeComponent(*pComponent, AAX_eStemFormat_Stereo);
        pEffect->AddComponent(pComponent);
        pEffect->AddProcPtr(CGainParameters::Create, 0);
        pEffect->AddProcPtr(CCountingGUI::Create, 1);
        collection.AddEffect("test.Gain", pEffect);
        return collection.GetPlugInDefinition(ppDefinition);
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}

TEST_MODULE_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown*, uint32_t, IACFUnknown** ppComponent)
{
    *ppComponent = nullptr;
    return ACF_OK;
}

TEST_MODULE_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown*, const acfUID&, const acfIID&, void** ppOut)
{
    *ppOut = nullptr;
    return AAX_ERROR_UNIMPLEMENTED;
}

TEST_MODULE_EXPORT ACFRESULT ACFCanUnloadNow(IACFUnknown*)
{
    return CACFUnknown::GetActiveObjectCount();
}

TEST_MODULE_EXPORT ACFRESULT ACFStartup(IACFUnknown* pUnkHost)
{
    AAX_CHostServices::Set(pUnkHost);
    return ACF_OK;
}

TEST_MODULE_EXPORT ACFRESULT ACFShutdown(IACFUnknown*)
{
    AAX_CHostServices::Set(nullptr);
    return ACF_OK;
}

TEST_MODULE_EXPORT ACFRESULT ACFGetSDKVersion(uint64_t* outVersion)
{
    *outVersion = 0x0000020300BF7318ull;
    return ACF_OK;
}
