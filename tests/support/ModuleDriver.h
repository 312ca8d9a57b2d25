#pragma once
// Drives a module .so the way the host does: one loaded module per program, instances created
// through factory 0, parameters set through the host's automation (answered on the calling
// thread, which acts as the parameter thread), renders on a host audio thread.
// Shared by the tests and the benchmarks, so it reports failure by throwing
// std::runtime_error, never through a test framework.

#include "AAX_IParameter.h"
#include "CHostAudioThread.h"
#include "CHostInstance.h"
#include "CHostModule.h"
#include "CModDelayModule.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kEffectID = "tessera.BrindleWarbler";
inline constexpr size_t kMonoComponent = 0;
inline constexpr size_t kStereoComponent = 1;
inline constexpr float kSampleRate = 48000.0f;
inline constexpr int32_t kMaxFrames = 512;

// Loads and registers the module at that path once per program (it stays loaded).
CHostModule& LoadedModule(const char* pPath);
const SHostEffect& Effect(CHostModule& module);

// Host identifiers: control nIndex is "nIndex + 1".
std::string ControlID(int nIndex);
// The normalised value that gives control nIndex the real value fReal (switches: the entry).
double NormalizedFromReal(CHostInstance& instance, int nIndex, double fReal);
// A host change by real value, as automation makes it: the request, then its answer.
void SetReal(CHostInstance& instance, int nIndex, double fReal);

// Channel buffers for one render call.
struct SAudio {
    std::vector<std::vector<float>> m_In, m_Out;
    SAudio(int nChannels, int nFrames);
    // A sine per channel (different frequency and level per channel), starting at frame nStart.
    void FillSine(int64_t nStart, float fLevel = 0.4f);
    std::vector<const float*> InPointers() const;
    std::vector<float*> OutPointers();
    int Frames() const { return int(m_In.empty() ? 0 : m_In[0].size()); }
};

class CTestInstance {
public:
    // Creates and initialises the instance; nMainSeed, when given, seeds the calling thread's
    // runtime generator first (the engine draws its noise tables while it is built).
    CTestInstance(const SHostEffect& effect, size_t nComponent, std::optional<uint32_t> nMainSeed = std::nullopt,
                  float fSampleRate = kSampleRate, int32_t nMaxFrames = kMaxFrames);
    CHostInstance& Host() { return m_Instance; }
    AAX_IACFEffectParameters_V4& Params() { return *m_Instance.Parameters(); }
    CModDelayModule& Engine() const { return *m_pEngine; }
    const int32_t* MeterTable() const { return m_pMeterTable; }
    AAX_IParameter* Parameter(const char* pID);
    // A host change: the set-value request, then the parameter thread's answer (update and
    // GenerateCoefficients), both on the calling thread.
    void Set(const char* pID, double fNormalised);
    // One render call on the audio thread; a seed is applied on that thread first.
    void Render(CHostAudioThread& audio, SAudio& io, std::optional<uint32_t> nSeed = std::nullopt);

private:
    CHostInstance m_Instance;
    CModDelayModule* m_pEngine = nullptr;
    const int32_t* m_pMeterTable = nullptr;
};
