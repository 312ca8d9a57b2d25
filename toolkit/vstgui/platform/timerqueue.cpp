#include "timerqueue.h"

#include <algorithm>
#include <chrono>

namespace VSTGUI {

TimerQueue& TimerQueue::current()
{
    thread_local TimerQueue queue;
    return queue;
}

uint64_t TimerQueue::now() const
{
    if (m_bManual)
        return m_nManualNow;
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TimerQueue::useManualClock(uint64_t startMs)
{
    // Keep running timers at the same distance from "now".
    const uint64_t old = now();
    for (Entry& e : m_Entries)
        e.due = startMs + (e.due > old ? e.due - old : 0);
    m_bManual = true;
    m_nManualNow = startMs;
}

void TimerQueue::useSystemClock()
{
    const uint64_t old = now();
    m_bManual = false;
    const uint64_t sys = now();
    for (Entry& e : m_Entries)
        e.due = sys + (e.due > old ? e.due - old : 0);
}

TimerQueue::Entry* TimerQueue::earliest(uint64_t limit)
{
    Entry* best = nullptr;
    for (Entry& e : m_Entries)
        if (e.due <= limit && (!best || e.due < best->due))
            best = &e;
    return best;
}

void TimerQueue::fire(Entry& e)
{
    ITimerQueueClient* t = e.timer;
    // Reschedule before calling out: the callback may stop, restart or delete the timer.
    e.due += std::max<uint32_t>(t->getFireTime(), 1);
    t->fire();
}

void TimerQueue::advance(uint64_t ms)
{
    if (!m_bManual)
        useManualClock(now());
    const uint64_t target = m_nManualNow + ms;
    while (Entry* e = earliest(target)) {
        m_nManualNow = std::max(m_nManualNow, e->due);
        fire(*e);
    }
    m_nManualNow = target;
}

void TimerQueue::fireDue()
{
    const uint64_t t = now();
    std::vector<ITimerQueueClient*> due;
    for (const Entry& e : m_Entries)
        if (e.due <= t)
            due.push_back(e.timer);
    for (ITimerQueueClient* timer : due) {
        auto it = std::find_if(m_Entries.begin(), m_Entries.end(), [&](const Entry& e) { return e.timer == timer; });
        if (it == m_Entries.end() || it->due > t)
            continue;  // stopped or restarted by an earlier callback
        const uint64_t period = std::max<uint32_t>(timer->getFireTime(), 1);
        it->due = it->due + period > t ? it->due + period : t + period;
        timer->fire();
    }
}

int64_t TimerQueue::msUntilNextDue() const
{
    if (m_Entries.empty())
        return -1;
    const uint64_t t = now();
    uint64_t next = UINT64_MAX;
    for (const Entry& e : m_Entries)
        next = std::min(next, e.due);
    return next > t ? static_cast<int64_t>(next - t) : 0;
}

void TimerQueue::schedule(ITimerQueueClient* timer, uint64_t dueMs)
{
    unschedule(timer);
    m_Entries.push_back({timer, dueMs});
}

void TimerQueue::unschedule(ITimerQueueClient* timer)
{
    m_Entries.erase(std::remove_if(m_Entries.begin(), m_Entries.end(), [&](const Entry& e) { return e.timer == timer; }),
                    m_Entries.end());
}

bool TimerQueue::isScheduled(const ITimerQueueClient* timer) const
{
    return std::any_of(m_Entries.begin(), m_Entries.end(), [&](const Entry& e) { return e.timer == timer; });
}

}  // namespace VSTGUI
