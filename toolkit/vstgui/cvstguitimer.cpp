#include "cvstguitimer.h"

#include "platform/timerqueue.h"

namespace VSTGUI {

IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer(CBaseObject* timerObject, uint32_t fireTime, bool doStart)
    : m_pTarget(timerObject), m_nFireTime(fireTime)
{
    if (doStart)
        start();
}

CVSTGUITimer::CVSTGUITimer(const CallbackFunc& callback, uint32_t fireTime, bool doStart)
    : m_Callback(callback), m_nFireTime(fireTime)
{
    if (doStart)
        start();
}

CVSTGUITimer::~CVSTGUITimer() { stop(); }

bool CVSTGUITimer::start()
{
    TimerQueue& q = TimerQueue::current();
    if (q.isScheduled(this))
        return false;
    q.schedule(this, q.now() + (m_nFireTime ? m_nFireTime : 1));
    return true;
}

bool CVSTGUITimer::stop()
{
    TimerQueue& q = TimerQueue::current();
    if (!q.isScheduled(this))
        return false;
    q.unschedule(this);
    return true;
}

bool CVSTGUITimer::isRunning() const { return TimerQueue::current().isScheduled(this); }

bool CVSTGUITimer::setFireTime(uint32_t newFireTime)
{
    m_nFireTime = newFireTime;
    if (isRunning()) {
        stop();
        start();
    }
    return true;
}

void CVSTGUITimer::fire()
{
    CBaseObjectGuard guard(this);
    if (m_Callback)
        m_Callback(this);
    else if (m_pTarget)
        m_pTarget->notify(this, kMsgTimer);
}

}  // namespace VSTGUI
