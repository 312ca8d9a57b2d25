// The seven entry points the host looks up, with C linkage. Each turns an escaping exception
// into AAX_RESULT_ENTRY_POINT_EXCEPTION. Only these leave the module (BrindleWarbler.map).
#include "AAX_CHostServices.h"
#include "AAX_CheckedResult.h"
#include "AAX_Exports.h"
#include "CACFUnknown.h"
#include "Tessera_Describe.h"

#define TESSERA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
constexpr uint64_t kSDKVersion = 0x0000020300BF7318ull;
}

TESSERA_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* pUnkHost, IACFUnknown** ppPluginDefinition)
{
    try {
        AAX_VCollection collection(pUnkHost);
        AAX_CheckedResult result = GetEffectDescriptions(collection);
        if (ppPluginDefinition) {
            *ppPluginDefinition = nullptr;
            result = collection.GetPlugInDefinition(ppPluginDefinition);
        }
        return ACF_OK;
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}

TESSERA_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown*, uint32_t, IACFUnknown** ppComponent)
{
    try {
        if (ppComponent)
            *ppComponent = nullptr;
        return ACF_OK;
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}

TESSERA_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown*, const acfUID&, const acfIID&, void** ppOut)
{
    try {
        if (ppOut)
            *ppOut = nullptr;
        return AAX_ERROR_UNIMPLEMENTED;
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}

TESSERA_EXPORT ACFRESULT ACFCanUnloadNow(IACFUnknown*)
{
    try {
        return CACFUnknown::GetActiveObjectCount();
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}

TESSERA_EXPORT ACFRESULT ACFStartup(IACFUnknown* pUnkHost)
{
    try {
        // The first host wins; a null host while services exist releases them.
        if (pUnkHost && !AAX_CHostServices::IsSet())
            AAX_CHostServices::Set(pUnkHost);
        else if (!pUnkHost && AAX_CHostServices::IsSet())
            AAX_CHostServices::Set(nullptr);
        return ACF_OK;
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}

TESSERA_EXPORT ACFRESULT ACFShutdown(IACFUnknown*)
{
    try {
        if (AAX_CHostServices::IsSet())
            AAX_CHostServices::Set(nullptr);
        return ACF_OK;
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}

TESSERA_EXPORT ACFRESULT ACFGetSDKVersion(uint64_t* outVersion)
{
    try {
        if (outVersion)
            *outVersion = kSDKVersion;
        return ACF_OK;
    } catch (...) {
        return AAX_RESULT_ENTRY_POINT_EXCEPTION;
    }
}
