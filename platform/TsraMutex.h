#pragma once
// Stand-in for the target's OS mutex that remembers its owner: the owning thread may "take" it
// again without blocking (nothing is counted), and only the owner's release acts.
//
// Threading: any thread. Lock waits without time limit.

#include <atomic>
#include <mutex>
#include <thread>

class CTsraMutex {
public:
    CTsraMutex() = default;
    CTsraMutex(const CTsraMutex&) = delete;
    CTsraMutex& operator=(const CTsraMutex&) = delete;

    // Takes the mutex and returns true; returns false at once, without taking, when the calling
    // thread already owns it.
    bool Lock();
    // Releases it when the calling thread is the owner; otherwise does nothing.
    void Unlock();
    bool IsOwner() const;

private:
    std::mutex m_Mutex;
    std::atomic<std::thread::id> m_Owner{};
};

// Scoped use: releases at scope end only what this guard took.
class CTsraMutexLock {
public:
    explicit CTsraMutexLock(CTsraMutex& m) : m_rMutex(m), m_bTaken(m.Lock()) {}
    ~CTsraMutexLock()
    {
        if (m_bTaken)
            m_rMutex.Unlock();
    }
    CTsraMutexLock(const CTsraMutexLock&) = delete;
    CTsraMutexLock& operator=(const CTsraMutexLock&) = delete;

private:
    CTsraMutex& m_rMutex;
    bool m_bTaken;
};
