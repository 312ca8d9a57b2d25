#pragma once
// A periodic timer: on every period it calls its target's notify(timer, kMsgTimer), or its
// callback. It fires on the GUI thread that started it, from that thread's run loop (see
// platform/timerqueue.h).
//
// Ownership: reference counted; the target is not owned. Stopping or deleting a timer from
// its own callback is allowed.

#include "platform/timerqueue.h"
#include "vstguibase.h"

#include <functional>

namespace VSTGUI {

class CVSTGUITimer : public CBaseObject, public ITimerQueueClient
{
public:
    using CallbackFunc = std::function<void(CVSTGUITimer*)>;
    static IdStringPtr kMsgTimer;

    CVSTGUITimer(CBaseObject* timerObject, uint32_t fireTime = 100, bool doStart = false);
    CVSTGUITimer(const CallbackFunc& callback, uint32_t fireTime = 100, bool doStart = true);
    ~CVSTGUITimer() override;

    bool start();
    bool stop();
    bool isRunning() const;
    // Takes effect at once on a running timer (the next firing is one new period away).
    bool setFireTime(uint32_t newFireTime);
    uint32_t getFireTime() const override { return m_nFireTime; }

    // Called by the timer queue.
    void fire() override;

private:
    CBaseObject* m_pTarget = nullptr;
    CallbackFunc m_Callback;
    uint32_t m_nFireTime;
};

}  // namespace VSTGUI
