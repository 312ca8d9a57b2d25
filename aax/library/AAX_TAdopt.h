#pragma once
// Wraps an object a host "New..." operation returned (with one reference for the caller):
// the wrapper takes its own reference and the caller's is given back. Null when the host gave
// nothing or the object lacks the wrapper's interface.

#include "ACFUnknown.h"

#include <memory>

template <class W>
std::unique_ptr<W> AAX_AdoptNew(IACFUnknown* pNew)
{
    if (!pNew)
        return nullptr;
    auto pWrapper = std::make_unique<W>(pNew);
    pNew->Release();
    if (!pWrapper->IsValid())
        return nullptr;
    return pWrapper;
}
