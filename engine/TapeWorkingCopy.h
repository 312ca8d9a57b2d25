#pragma once
// A member worked on as a local through a loop and written back to its owner when the scope
// ends. The compiler keeps a local in registers, where it would reload a member after every
// store through a float pointer that might alias it.

namespace tape {

template <class T> class CWorkingCopy {
public:
    explicit CWorkingCopy(T& owner) : m_Owner(owner), m_Copy(owner) {}
    ~CWorkingCopy() { m_Owner = m_Copy; }
    CWorkingCopy(const CWorkingCopy&) = delete;
    CWorkingCopy& operator=(const CWorkingCopy&) = delete;

    T& operator*() { return m_Copy; }
    T* operator->() { return &m_Copy; }

private:
    T& m_Owner;
    T m_Copy;
};

}  // namespace tape
