#include "ModuleHarness.h"

#include "TsraRand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

CHostModule& LoadedModule(const char* pPath)
{
    static std::unique_ptr<CHostModule> s_pModule;
    if (!s_pModule) {
        s_pModule = std::make_unique<CHostModule>();
        EXPECT_TRUE(s_pModule->Load(pPath)) << s_pModule->Error();
        EXPECT_EQ(s_pModule->Register(), ACF_OK);
    }
    return *s_pModule;
}

const SHostEffect& Effect(CHostModule& module)
{
    const SHostEffect* pEffect = module.Description().FindEffect(kEffectID);
    if (!pEffect)
        throw std::runtime_error("the module describes no tessera.BrindleWarbler");
    return *pEffect;
}

SAudio::SAudio(int nChannels, int nFrames)
    : m_In(size_t(nChannels), std::vector<float>(size_t(nFrames))), m_Out(size_t(nChannels), std::vector<float>(size_t(nFrames)))
{
}

void SAudio::FillSine(int64_t nStart, float fLevel)
{
    for (size_t c = 0; c < m_In.size(); ++c)
        for (size_t i = 0; i < m_In[c].size(); ++i) {
            const double t = double(nStart + int64_t(i)) / kSampleRate;
            m_In[c][i] = fLevel / float(c + 1) * float(std::sin(2.0 * M_PI * (220.0 + 110.0 * double(c)) * t));
        }
}

std::vector<const float*> SAudio::InPointers() const
{
    std::vector<const float*> v;
    for (const auto& ch : m_In)
        v.push_back(ch.data());
    return v;
}

std::vector<float*> SAudio::OutPointers()
{
    std::vector<float*> v;
    for (auto& ch : m_Out)
        v.push_back(ch.data());
    return v;
}

CTestInstance::CTestInstance(const SHostEffect& effect, size_t nComponent, std::optional<uint32_t> nMainSeed,
                             float fSampleRate, int32_t nMaxFrames)
    : m_Instance(effect, nComponent, fSampleRate, nMaxFrames)
{
    if (nMainSeed)
        tsraSeedRand(*nMainSeed);
    if (m_Instance.Create() != AAX_SUCCESS)
        throw std::runtime_error("instance creation failed");
    void* pointers[2] = {nullptr, nullptr};
    uint32_t nWritten = 0;
    if (Params().GetCustomData(0, sizeof pointers, pointers, &nWritten) != AAX_SUCCESS || !pointers[0])
        throw std::runtime_error("no engine in custom data block 0");
    m_pEngine = static_cast<CModDelayModule*>(static_cast<CPlugIn*>(pointers[0]));
    m_pMeterTable = static_cast<const int32_t*>(pointers[1]);
}

AAX_IParameter* CTestInstance::Parameter(const char* pID)
{
    AAX_IParameter* p = nullptr;
    Params().GetParameter(pID, &p);
    return p;
}

void CTestInstance::Set(const char* pID, double fNormalised)
{
    EXPECT_EQ(Params().SetParameterNormalizedValue(pID, fNormalised), AAX_SUCCESS) << pID;
    m_Instance.Automation().ProcessPending();
}

void CTestInstance::Render(CHostAudioThread& audio, SAudio& io, std::optional<uint32_t> nSeed)
{
    const std::vector<const float*> in = io.InPointers();
    std::vector<float*> out = io.OutPointers();
    AAX_Result result = AAX_ERROR_UNKNOWN_EXCEPTION;
    audio.Call([&] {
        if (nSeed)
            tsraSeedRand(*nSeed);
        result = m_Instance.Render(in.data(), out.data(), io.Frames());
    });
    EXPECT_EQ(result, AAX_SUCCESS);
}
