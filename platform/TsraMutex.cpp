#include "TsraMutex.h"

bool CTsraMutex::Lock()
{
    if (IsOwner())
        return false;
    m_Mutex.lock();
    m_Owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
    return true;
}

void CTsraMutex::Unlock()
{
    if (!IsOwner())
        return;
    m_Owner.store(std::thread::id{}, std::memory_order_relaxed);
    m_Mutex.unlock();
}

bool CTsraMutex::IsOwner() const
{
    // Only the owner itself can have stored its own id, so a relaxed read suffices.
    return m_Owner.load(std::memory_order_relaxed) == std::this_thread::get_id();
}
