#include "ModuleDriver.h"

#include "TsraRand.h"

#include <cmath>
#include <memory>
#include <stdexcept>

CHostModule& LoadedModule(const char* pPath)
{
    static std::unique_ptr<CHostModule> s_pModule;
    if (!s_pModule) {
        auto pModule = std::make_unique<CHostModule>();
        if (!pModule->Load(pPath))
            throw std::runtime_error(std::string("cannot load ") + pPath + ": " + pModule->Error());
        if (pModule->Register() != ACF_OK)
            throw std::runtime_error(std::string("cannot register ") + pPath);
        s_pModule = std::move(pModule);
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

std::string ControlID(int nIndex)
{
    return std::to_string(nIndex + 1);
}

double NormalizedFromReal(CHostInstance& instance, int nIndex, double fReal)
{
    AAX_IParameter* p = nullptr;
    instance.Parameters()->GetParameter(ControlID(nIndex).c_str(), &p);
    double n = 0.0;
    if (p && !p->GetNormalizedValueFromFloat(float(fReal), &n))
        p->GetNormalizedValueFromInt32(int32_t(fReal), &n);
    return n;
}

void SetReal(CHostInstance& instance, int nIndex, double fReal)
{
    const std::string id = ControlID(nIndex);
    if (instance.Parameters()->SetParameterNormalizedValue(id.c_str(), NormalizedFromReal(instance, nIndex, fReal)) !=
        AAX_SUCCESS)
        throw std::runtime_error("the host change of parameter " + id + " was refused");
    instance.Automation().ProcessPending();
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
    if (Params().SetParameterNormalizedValue(pID, fNormalised) != AAX_SUCCESS)
        throw std::runtime_error(std::string("the host change of parameter ") + pID + " was refused");
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
    if (result != AAX_SUCCESS)
        throw std::runtime_error("render failed: " + std::to_string(result));
}
