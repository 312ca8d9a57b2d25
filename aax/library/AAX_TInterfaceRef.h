#pragma once
// One counted reference to a host interface, obtained by query and released on destruction.
// The wrappers hold their host interface this way.

#include "ACFUnknown.h"

template <class I>
class AAX_TInterfaceRef {
public:
    explicit AAX_TInterfaceRef(IACFUnknown* pUnknown) : m_p(ACF_Query<I>(pUnknown)) {}
    ~AAX_TInterfaceRef()
    {
        if (m_p)
            m_p->Release();
    }
    AAX_TInterfaceRef(const AAX_TInterfaceRef&) = delete;
    AAX_TInterfaceRef& operator=(const AAX_TInterfaceRef&) = delete;

    I* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    I* operator->() const { return m_p; }

private:
    I* m_p;
};
