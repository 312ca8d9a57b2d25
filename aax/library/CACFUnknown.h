#pragma once
// Reference counting and interface queries for the module's host-visible objects, and the
// module-wide count of live objects (what ACFCanUnloadNow reports).
//
// A concrete object derives from its interfaces and from CACFUnknown, answers
// InternalQueryInterface for its own interface IDs and puts ACF_DECLARE_STANDARD_UNKNOWN() in
// its class to route the IACFUnknown operations here. The count starts at 0; the release
// that brings it back to 0 deletes the object. Threading: counts are atomic.

#include "ACFUnknown.h"

#include <atomic>

class CACFUnknown {
public:
    CACFUnknown();
    virtual ~CACFUnknown();
    CACFUnknown(const CACFUnknown&) = delete;
    CACFUnknown& operator=(const CACFUnknown&) = delete;

    static int32_t GetActiveObjectCount();

protected:
    uint32_t InternalAddRef();
    uint32_t InternalRelease();
    // Base behaviour: the base interface ID gives GetUnknown() with one more reference; any
    // other ID gives null and ACF_E_NOINTERFACE. Overrides answer their own IDs first.
    virtual ACFRESULT InternalQueryInterface(const acfIID& iid, void** ppOut);
    // This object as the base interface.
    virtual IACFUnknown* GetUnknown() = 0;

private:
    std::atomic<uint32_t> m_nRefCount{0};
};

#define ACF_DECLARE_STANDARD_UNKNOWN()                                                               \
    ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) override { return InternalQueryInterface(iid, ppOut); } \
    uint32_t AddRef() override { return InternalAddRef(); }                                          \
    uint32_t Release() override { return InternalRelease(); }
