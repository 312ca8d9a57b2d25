#pragma once
// The host's automation delegate for one instance. Set-value requests are queued and answered
// on the parameter thread: UpdateParameterNormalizedValue for each, then GenerateCoefficients.
// Touch and release states and the values the parameters report back are kept per registered
// identifier.
//
// Threading: RegisterParameter/UnregisterParameter on the main thread (they may allocate);
// every Post... and GetTouchState from any thread including the audio thread: they never
// block and never allocate. The answers run either on the delegate's own parameter thread
// (Start/Stop) or, when that is not running, on whoever calls ProcessPending.

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFEffectParameters.h"
#include "CHostObject.h"
#include "CHostRequestQueue.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class CHostAutomationDelegate : public THostObject<AAX_IACFAutomationDelegate> {
public:
    static constexpr size_t kMaxParameters = 1024;
    static constexpr size_t kQueueCapacity = 4096;

    CHostAutomationDelegate() = default;
    ~CHostAutomationDelegate() override;

    AAX_Result RegisterParameter(AAX_CParamID inID) override;
    AAX_Result UnregisterParameter(AAX_CParamID inID) override;
    AAX_Result PostSetValueRequest(AAX_CParamID inID, double inNormalizedValue) override;
    AAX_Result PostCurrentValue(AAX_CParamID inID, double inNormalizedValue) override;
    AAX_Result PostTouchRequest(AAX_CParamID inID) override;
    AAX_Result PostReleaseRequest(AAX_CParamID inID) override;
    AAX_Result GetTouchState(AAX_CParamID inID, AAX_CBoolean* outTouched) override;

    // Who answers the requests (not owned; must outlive the answering). Null drops them.
    void SetTarget(AAX_IACFEffectParameters_V4* pTarget) { m_pTarget = pTarget; }

    // Runs the parameter thread; it also calls TimerWakeup every timer period.
    void Start(std::chrono::milliseconds timerPeriod = std::chrono::milliseconds(20));
    void Stop();
    bool IsRunning() const { return m_Thread.joinable(); }
    // Answers everything queued on the calling thread (only while the thread is not running).
    // Returns the number of requests answered.
    size_t ProcessPending();
    // Waits until every request posted before the call has been answered.
    void Flush();

    bool IsRegistered(AAX_CParamID id) const;
    // The value a parameter last reported (-1 if it never did) and how often it reported.
    double LastCurrentValue(AAX_CParamID id) const;
    uint32_t CurrentValueCount(AAX_CParamID id) const;
    uint64_t PostedCount() const { return m_nPosted; }
    uint64_t AnsweredCount() const { return m_nAnswered; }
    uint64_t DroppedCount() const { return m_nDropped; }
    uint64_t FailedCount() const { return m_nFailed; }
    uint64_t CoefficientCount() const { return m_nCoefficients; }

private:
    struct SSlot {
        std::atomic<bool> m_bUsed{false};
        char m_ID[SHostSetValueRequest::kMaxIDBytes] = {};
        std::atomic<int32_t> m_nTouchDepth{0};
        std::atomic<double> m_fCurrentValue{-1.0};
        std::atomic<uint32_t> m_nCurrentValueCount{0};
    };

    SSlot* FindSlot(AAX_CParamID id) const;
    size_t Drain();
    void Run(std::chrono::milliseconds timerPeriod);

    std::array<SSlot, kMaxParameters> m_Slots;
    std::atomic<size_t> m_nSlotsUsed{0};  // slots ever taken; a slot keeps its identifier
    std::mutex m_RegisterMutex;
    THostRequestQueue<kQueueCapacity> m_Queue;
    std::atomic<AAX_IACFEffectParameters_V4*> m_pTarget{nullptr};

    std::atomic<uint64_t> m_nPosted{0};
    std::atomic<uint64_t> m_nAnswered{0};
    std::atomic<uint64_t> m_nDropped{0};
    std::atomic<uint64_t> m_nFailed{0};
    std::atomic<uint64_t> m_nCoefficients{0};

    std::thread m_Thread;
    std::atomic<bool> m_bStop{false};
    std::mutex m_WakeMutex;
    std::condition_variable m_Answered;  // requests answered (Flush waits on it)
};
