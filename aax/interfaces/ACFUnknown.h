#pragma once
// The component model both sides share: 128-bit interface IDs and reference-counted objects
// that answer interface queries. An object handed across the module boundary is kept alive by
// references: QueryInterface adds one to what it returns; the receiver releases it.
//
// Interface IDs other than the base one are this project's own values.

#include <cstdint>

using ACFRESULT = int32_t;
constexpr ACFRESULT ACF_OK = 0;
constexpr ACFRESULT ACF_E_NOINTERFACE = ACFRESULT(0x80000004);
constexpr ACFRESULT ACF_E_UNEXPECTED = ACFRESULT(0x8000FFFF);

struct acfUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];

    friend constexpr bool operator==(const acfUID& a, const acfUID& b)
    {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
            return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i])
                return false;
        return true;
    }
};
using acfIID = acfUID;

// Interface IDs of this project: one family, told apart by the first word.
constexpr acfIID ACF_MakeIID(uint32_t n)
{
    return acfIID{n, 0x5A57, 0x4257, {0x8B, 0x72, 0x1E, 0x54, 0x53, 0x52, 0x41, 0x00}};
}

class IACFUnknown {
public:
    // {00000000-0000-0000-C000-000000000046}
    static constexpr acfIID kIID{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    // On success *ppOut holds the interface with one more reference; otherwise it is null and
    // the result is ACF_E_NOINTERFACE.
    virtual ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) = 0;
    virtual uint32_t AddRef() = 0;   // returns the new count
    virtual uint32_t Release() = 0;  // deletes the object at zero; returns the new count

protected:
    ~IACFUnknown() = default;  // objects go away through Release, never through delete
};

// Typed query: the interface or null; the caller owns the reference it gets.
template <class I>
I* ACF_Query(IACFUnknown* pUnknown)
{
    void* p = nullptr;
    if (!pUnknown || pUnknown->QueryInterface(I::kIID, &p) != ACF_OK)
        return nullptr;
    return static_cast<I*>(p);
}
