#pragma once
// Reference counting and interface queries for the host's own objects. A host object starts
// with one reference, its creator's; CHostPtr gives that reference back on destruction.
//
// QueryInterface answers every interface in the list (the base ID gives the first one), and
// then whatever QueryExtra adds (a gateway that forwards to other objects).

#include "ACFUnknown.h"

#include <atomic>
#include <memory>

template <class... Interfaces>
class THostObject : public Interfaces... {
public:
    THostObject() = default;
    virtual ~THostObject() = default;
    THostObject(const THostObject&) = delete;
    THostObject& operator=(const THostObject&) = delete;

    ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) override
    {
        if (!ppOut)
            return ACF_E_UNEXPECTED;
        *ppOut = Find<Interfaces...>(iid);
        if (*ppOut) {
            AddRef();
            return ACF_OK;
        }
        *ppOut = QueryExtra(iid);
        return *ppOut ? ACF_OK : ACF_E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++m_nRefCount; }
    uint32_t Release() override
    {
        const uint32_t nCount = --m_nRefCount;
        if (nCount == 0)
            delete this;
        return nCount;
    }
    // This object as the base interface (no reference added).
    IACFUnknown* Unknown() { return static_cast<IACFUnknown*>(static_cast<First<Interfaces...>*>(this)); }

protected:
    // Further interfaces, with a reference added; null when unknown.
    virtual void* QueryExtra(const acfIID&) { return nullptr; }

private:
    template <class I, class...>
    struct FirstOf {
        using Type = I;
    };
    template <class... Is>
    using First = typename FirstOf<Is...>::Type;

    template <class I, class... Rest>
    void* Find(const acfIID& iid)
    {
        if (iid == I::kIID)
            return static_cast<I*>(this);
        if constexpr (sizeof...(Rest) > 0)
            return Find<Rest...>(iid);
        else
            return iid == IACFUnknown::kIID ? static_cast<void*>(Unknown()) : nullptr;
    }

    std::atomic<uint32_t> m_nRefCount{1};
};

struct CHostReleaser {
    template <class T>
    void operator()(T* p) const
    {
        if (p)
            p->Release();
    }
};

// Owns one reference to a host object.
template <class T>
using CHostPtr = std::unique_ptr<T, CHostReleaser>;

template <class T, class... Args>
CHostPtr<T> MakeHostObject(Args&&... args)
{
    return CHostPtr<T>(new T(std::forward<Args>(args)...));
}
