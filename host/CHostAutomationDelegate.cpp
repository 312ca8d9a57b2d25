#include "CHostAutomationDelegate.h"

#include <cstring>

CHostAutomationDelegate::~CHostAutomationDelegate()
{
    Stop();
}

CHostAutomationDelegate::SSlot* CHostAutomationDelegate::FindSlot(AAX_CParamID id) const
{
    if (!id)
        return nullptr;
    const size_t nUsed = m_nSlotsUsed.load(std::memory_order_acquire);
    for (size_t i = 0; i < nUsed; ++i) {
        const SSlot& slot = m_Slots[i];
        if (slot.m_bUsed.load(std::memory_order_acquire) && std::strcmp(slot.m_ID, id) == 0)
            return const_cast<SSlot*>(&slot);
    }
    return nullptr;
}

AAX_Result CHostAutomationDelegate::RegisterParameter(AAX_CParamID inID)
{
    if (!inID || std::strlen(inID) >= SHostSetValueRequest::kMaxIDBytes)
        return AAX_ERROR_INVALID_ARGUMENT;
    std::lock_guard<std::mutex> lock(m_RegisterMutex);
    const size_t nUsed = m_nSlotsUsed.load(std::memory_order_relaxed);
    for (size_t i = 0; i < nUsed; ++i)
        if (std::strcmp(m_Slots[i].m_ID, inID) == 0) {
            // A slot keeps its identifier for life, so readers never see it change.
            m_Slots[i].m_nTouchDepth = 0;
            m_Slots[i].m_bUsed.store(true, std::memory_order_release);
            return AAX_SUCCESS;
        }
    if (nUsed == kMaxParameters)
        return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
    SSlot& slot = m_Slots[nUsed];
    std::strcpy(slot.m_ID, inID);
    slot.m_bUsed.store(true, std::memory_order_release);
    m_nSlotsUsed.store(nUsed + 1, std::memory_order_release);
    return AAX_SUCCESS;
}

AAX_Result CHostAutomationDelegate::UnregisterParameter(AAX_CParamID inID)
{
    std::lock_guard<std::mutex> lock(m_RegisterMutex);
    SSlot* pSlot = FindSlot(inID);
    if (!pSlot)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    pSlot->m_bUsed.store(false, std::memory_order_release);
    return AAX_SUCCESS;
}

AAX_Result CHostAutomationDelegate::PostSetValueRequest(AAX_CParamID inID, double inNormalizedValue)
{
    if (!FindSlot(inID))
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (!m_Queue.Push(inID, inNormalizedValue)) {
        ++m_nDropped;
        return AAX_ERROR_FIFO_FULL;
    }
    ++m_nPosted;
    return AAX_SUCCESS;
}

AAX_Result CHostAutomationDelegate::PostCurrentValue(AAX_CParamID inID, double inNormalizedValue)
{
    SSlot* pSlot = FindSlot(inID);
    if (!pSlot)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    pSlot->m_fCurrentValue.store(inNormalizedValue);
    ++pSlot->m_nCurrentValueCount;
    return AAX_SUCCESS;
}

AAX_Result CHostAutomationDelegate::PostTouchRequest(AAX_CParamID inID)
{
    SSlot* pSlot = FindSlot(inID);
    if (!pSlot)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    ++pSlot->m_nTouchDepth;
    return AAX_SUCCESS;
}

AAX_Result CHostAutomationDelegate::PostReleaseRequest(AAX_CParamID inID)
{
    SSlot* pSlot = FindSlot(inID);
    if (!pSlot)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    int32_t nDepth = pSlot->m_nTouchDepth.load();
    while (nDepth > 0 && !pSlot->m_nTouchDepth.compare_exchange_weak(nDepth, nDepth - 1)) {
    }
    return AAX_SUCCESS;
}

AAX_Result CHostAutomationDelegate::GetTouchState(AAX_CParamID inID, AAX_CBoolean* outTouched)
{
    if (!outTouched)
        return AAX_ERROR_NULL_ARGUMENT;
    const SSlot* pSlot = FindSlot(inID);
    if (!pSlot)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    *outTouched = pSlot->m_nTouchDepth.load() > 0;
    return AAX_SUCCESS;
}

bool CHostAutomationDelegate::IsRegistered(AAX_CParamID id) const
{
    return FindSlot(id) != nullptr;
}

double CHostAutomationDelegate::LastCurrentValue(AAX_CParamID id) const
{
    const SSlot* pSlot = FindSlot(id);
    return pSlot ? pSlot->m_fCurrentValue.load() : -1.0;
}

uint32_t CHostAutomationDelegate::CurrentValueCount(AAX_CParamID id) const
{
    const SSlot* pSlot = FindSlot(id);
    return pSlot ? pSlot->m_nCurrentValueCount.load() : 0;
}

size_t CHostAutomationDelegate::Drain()
{
    AAX_IACFEffectParameters_V4* pTarget = m_pTarget.load();
    SHostSetValueRequest request;
    size_t nCount = 0;
    while (m_Queue.Pop(request)) {
        if (!pTarget || pTarget->UpdateParameterNormalizedValue(request.m_ID, request.m_fValue, 0) != AAX_SUCCESS)
            ++m_nFailed;
        ++nCount;
    }
    if (nCount > 0 && pTarget) {
        pTarget->GenerateCoefficients();
        ++m_nCoefficients;
    }
    if (nCount > 0) {
        {
            std::lock_guard<std::mutex> lock(m_WakeMutex);
            m_nAnswered += nCount;
        }
        m_Answered.notify_all();
    }
    return nCount;
}

size_t CHostAutomationDelegate::ProcessPending()
{
    return IsRunning() ? 0 : Drain();
}

void CHostAutomationDelegate::Run(std::chrono::milliseconds timerPeriod)
{
    auto nextTimer = std::chrono::steady_clock::now() + timerPeriod;
    while (!m_bStop.load()) {
        // Posting never signals (it must not block), so an idle thread looks again shortly.
        if (Drain() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (std::chrono::steady_clock::now() >= nextTimer) {
            if (AAX_IACFEffectParameters_V4* pTarget = m_pTarget.load())
                pTarget->TimerWakeup();
            nextTimer += timerPeriod;
        }
    }
}

void CHostAutomationDelegate::Start(std::chrono::milliseconds timerPeriod)
{
    if (IsRunning())
        return;
    m_bStop = false;
    m_Thread = std::thread([this, timerPeriod] { Run(timerPeriod); });
}

void CHostAutomationDelegate::Stop()
{
    if (!IsRunning())
        return;
    m_bStop = true;
    m_Thread.join();
}

void CHostAutomationDelegate::Flush()
{
    if (!IsRunning()) {
        Drain();
        return;
    }
    const uint64_t nTarget = m_nPosted.load();
    std::unique_lock<std::mutex> lock(m_WakeMutex);
    m_Answered.wait(lock, [&] { return m_nAnswered.load() >= nTarget || !IsRunning(); });
}
