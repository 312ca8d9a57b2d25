#pragma once
// Basic types and the reference-counted object that every toolkit class derives from.
//
// Ownership: an object starts with one reference, owned by whoever created it; remember() adds
// one, forget() drops one and deletes the object at zero. Threading: not thread safe; toolkit
// objects live on the GUI thread.

#include <cstddef>
#include <cstdint>
#include <string>

namespace VSTGUI {

using IdStringPtr = const char*;
using UTF8StringPtr = const char*;
using UTF8String = std::string;
using CViewAttributeID = size_t;

enum CMessageResult { kMessageUnknown = 0, kMessageNotified = 1 };

class CBaseObject
{
public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() = default;

    void remember() { ++m_nRefCount; }
    void forget()
    {
        if (--m_nRefCount == 0)
            delete this;
    }
    int32_t getNbReference() const { return m_nRefCount; }

    // Messages from timers and other senders; answer kMessageNotified when handled.
    virtual CMessageResult notify(CBaseObject* /*sender*/, IdStringPtr /*message*/) { return kMessageUnknown; }

private:
    int32_t m_nRefCount = 1;
};

// Keeps an object alive for a scope (e.g. while it handles an event that may remove it).
class CBaseObjectGuard
{
public:
    explicit CBaseObjectGuard(CBaseObject* obj) : m_pObject(obj)
    {
        if (m_pObject)
            m_pObject->remember();
    }
    ~CBaseObjectGuard()
    {
        if (m_pObject)
            m_pObject->forget();
    }
    CBaseObjectGuard(const CBaseObjectGuard&) = delete;
    CBaseObjectGuard& operator=(const CBaseObjectGuard&) = delete;

private:
    CBaseObject* m_pObject;
};

// Holds one reference; copying remembers, destruction forgets.
template <class T>
class SharedPointer
{
public:
    SharedPointer() = default;
    SharedPointer(T* p) : m_p(p)  // NOLINT: implicit like VSTGUI's
    {
        if (m_p)
            m_p->remember();
    }
    SharedPointer(const SharedPointer& o) : SharedPointer(o.m_p) {}
    SharedPointer& operator=(const SharedPointer& o)
    {
        reset(o.m_p);
        return *this;
    }
    ~SharedPointer() { reset(nullptr); }
    void reset(T* p)
    {
        if (p)
            p->remember();
        if (m_p)
            m_p->forget();
        m_p = p;
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }

private:
    T* m_p = nullptr;
};

}  // namespace VSTGUI
