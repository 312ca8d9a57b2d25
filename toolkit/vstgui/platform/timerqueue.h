#pragma once
// The clock and the due list behind CVSTGUITimer. Each GUI thread has its own queue; timers
// fire only when the thread's run loop (X11) or a test (offscreen) asks the queue to.
//
// Part of the shared library vstgui_runloop: the host and every module in the process share
// one queue per thread, as they share the window system's message loop on the target.
//
// The clock is the system's monotonic clock unless a manual clock is switched on; then time
// moves only through advance(), which fires every timer due on the way, in time order, with
// the clock set to each due time. Threading: one queue per thread, used by that thread only.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VSTGUI {

// What the queue fires (CVSTGUITimer).
class ITimerQueueClient
{
public:
    virtual uint32_t getFireTime() const = 0;  // period in ms
    virtual void fire() = 0;

protected:
    ~ITimerQueueClient() = default;
};

class TimerQueue
{
public:
    static TimerQueue& current();

    uint64_t now() const;  // milliseconds
    void useManualClock(uint64_t startMs);
    void useSystemClock();
    bool isManual() const { return m_bManual; }

    // Manual clock only: moves the clock ms forward, firing what falls due on the way.
    void advance(uint64_t ms);
    // Fires each timer whose time has come, once; a late timer skips the periods it missed.
    void fireDue();
    // Milliseconds until the next timer falls due; -1 when none is running.
    int64_t msUntilNextDue() const;

    void schedule(ITimerQueueClient* timer, uint64_t dueMs);
    void unschedule(ITimerQueueClient* timer);
    bool isScheduled(const ITimerQueueClient* timer) const;
    size_t scheduledCount() const { return m_Entries.size(); }

private:
    struct Entry
    {
        ITimerQueueClient* timer;
        uint64_t due;
    };
    Entry* earliest(uint64_t limit);
    void fire(Entry& e);

    std::vector<Entry> m_Entries;
    bool m_bManual = false;
    uint64_t m_nManualNow = 0;
};

}  // namespace VSTGUI
