#pragma once
// The effect-parameters object of one instance (factory 0). Owns the engine, turns its
// controls into host parameters, and carries host changes to the engine in numbered batches
// that the render applies once the host has delivered their number (context field 7).
//
// Ownership: owns the engine, the batch flow and the MIDI event list.
// Threading:
//   main thread      construction, EffectInit (through Initialize), destruction;
//   parameter thread UpdateParameterNormalizedValue, GenerateCoefficients, TimerWakeup,
//                    GetCustomData; owns m_DirtyParameters and m_nStateCounter;
//   audio thread     TakeQueuedParameterChanges, ApplyQueuedParameterChanges,
//                    NoteEngineProcessed, FinishParameterChanges, PublishMeterParameters,
//                    the engine.
// The bypass flag is the only other value both threads touch.

#include "AAXMIDIEventList.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CParameterBatchFlow.h"
#include "CPlugIn.h"

#include <array>
#include <atomic>
#include <memory>
#include <set>
#include <string>

class Tessera_Parameters : public AAX_CEffectParameters {
public:
    static constexpr int32_t kMeterTableSize = 1034;
    static constexpr uint32_t kCustomDataEngine = 0;  // block 0: engine pointer, meter table pointer

    // Factory 0: a new object, or null when it cannot be allocated.
    static IACFUnknown* Create();

    Tessera_Parameters();
    ~Tessera_Parameters() override;

    // Forgets pending changes along with the parameters they point at.
    AAX_Result Uninitialize() override;
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID inID, double inValue, int32_t inSource) override;
    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData(AAX_CFieldIndex inField, void* outData, uint32_t inBytes) const override;
    AAX_Result TimerWakeup() override;
    // Block 0 writes two pointers (engine, meter table) and needs room for both.
    AAX_Result GetCustomData(AAX_CTypeID inBlockID, uint32_t inBytes, void* outData, uint32_t* outWritten) const override;

    // Render side (audio thread).
    uint32_t TakeQueuedParameterChanges(ParameterBatchEntry** ppEntries, int64_t nCurrentBatch)
    {
        return m_BatchFlow.Take(nCurrentBatch, ppEntries);
    }
    // Until the engine has processed audio, changes apply at once: the instance starts at the
    // host's values. After that smoothed controls glide.
    void ApplyQueuedParameterChanges(ParameterBatchEntry* const* ppEntries, uint32_t nCount);
    void NoteEngineProcessed() { m_bEngineStarted = true; }
    void FinishParameterChanges(ParameterBatchEntry* const* ppEntries, uint32_t nCount)
    {
        m_BatchFlow.Finish(ppEntries, nCount);
    }
    void PublishMeterParameters();

    CPlugIn* PlugIn() const { return m_pPlugIn.get(); }
    bool IsBypassed() const { return m_bBypassed.load(std::memory_order_relaxed); }
    AAXMIDIEventList* MidiEventList() const { return m_pMidiEventList.get(); }

protected:
    AAX_Result EffectInit() override;

private:
    void AddSynchronizedParameter(AAX_IParameter* pParameter);
    void AddControlParameter(uint32_t uIndex, const ControlRecord& record);
    void AddJoystickParameters();
    void ReleaseFinishedBatches() { m_BatchFlow.ReleaseFinished(); }

    std::set<std::string, std::less<>> m_SynchronizedIDs;
    int64_t m_nStateCounter = 0;
    std::set<AAX_IParameter*> m_DirtyParameters;
    AAX_CParameterBatchFlow m_BatchFlow;  // m_QueuedBatches, m_FinishedBatches, m_FinishedEntries
    std::unique_ptr<CPlugIn> m_pPlugIn;
    std::atomic<bool> m_bBypassed{false};
    bool m_bEngineStarted = false;  // audio thread
    std::array<int32_t, kMeterTableSize> m_MeterTable;
    int32_t* m_pMeterTable;
    std::unique_ptr<AAXMIDIEventList> m_pMidiEventList;
    // Entries are filled from the start and never freed: publishing scans only these.
    int32_t m_nMeterEntries = 0;
    // The identifier of each table entry's parameter, so publishing formats nothing.
    std::array<char[12], kMeterTableSize> m_MeterIDs;
};
