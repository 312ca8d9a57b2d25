#pragma once
// The seven entry points a module exports with C linkage, as the host looks them up.
// An exception escaping an entry point's body is turned into AAX_RESULT_ENTRY_POINT_EXCEPTION.

#include "AAX.h"
#include "ACFUnknown.h"

extern "C" {
// Describes the module to the host's collection; hands back the plug-in definition.
using ACFRegisterPluginProc = ACFRESULT (*)(IACFUnknown* pUnkHost, IACFUnknown** ppPluginDefinition);
using ACFRegisterComponentProc = ACFRESULT (*)(IACFUnknown* pUnkHost, uint32_t index, IACFUnknown** ppComponent);
using ACFGetClassFactoryProc = ACFRESULT (*)(IACFUnknown* pUnkHost, const acfUID& classID, const acfIID& iid, void** ppOut);
// The number of live component objects; 0 means the module may be unloaded.
using ACFCanUnloadNowProc = ACFRESULT (*)(IACFUnknown* pUnkHost);
// pUnkHost answers the host services (null releases the module's services wrapper).
using ACFStartupProc = ACFRESULT (*)(IACFUnknown* pUnkHost);
using ACFShutdownProc = ACFRESULT (*)(IACFUnknown* pUnkHost);
using ACFGetSDKVersionProc = ACFRESULT (*)(uint64_t* outVersion);
}

// Their exported names.
inline constexpr const char* kACFRegisterPluginName = "ACFRegisterPlugin";
inline constexpr const char* kACFRegisterComponentName = "ACFRegisterComponent";
inline constexpr const char* kACFGetClassFactoryName = "ACFGetClassFactory";
inline constexpr const char* kACFCanUnloadNowName = "ACFCanUnloadNow";
inline constexpr const char* kACFStartupName = "ACFStartup";
inline constexpr const char* kACFShutdownName = "ACFShutdown";
inline constexpr const char* kACFGetSDKVersionName = "ACFGetSDKVersion";
