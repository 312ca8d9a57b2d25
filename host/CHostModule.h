#pragma once
// A module loaded with dlopen: its seven entry points, its start-up with the host services,
// and the description it gives at registration.
//
// Threading: the host's main (loader) thread.

#include "AAX_Exports.h"
#include "CHostDescription.h"
#include "CHostServices.h"

#include <string>

class CHostModule {
public:
    CHostModule();
    ~CHostModule();
    CHostModule(const CHostModule&) = delete;
    CHostModule& operator=(const CHostModule&) = delete;

    // Loads the library, finds all seven entry points and calls ACFStartup with the host
    // services. False with Error() set when any step fails (the library is then closed).
    bool Load(const std::string& path);
    // ACFRegisterPlugin with a fresh collection; the result of the call.
    ACFRESULT Register();
    // ACFShutdown, then closes the library if no module object is alive any more. False
    // (library kept open) while objects are alive.
    bool Unload();

    bool IsLoaded() const { return m_pLibrary != nullptr; }
    const std::string& Error() const { return m_Error; }
    const SHostDescription& Description() const { return m_pCollection->Description(); }
    // The definition the module handed back from registration (null before).
    IACFUnknown* PlugInDefinition() const { return m_pDefinition; }
    ACFRESULT CanUnloadNow() const;
    ACFRESULT GetSDKVersion(uint64_t* outVersion) const;
    ACFRESULT RegisterComponent(uint32_t index, IACFUnknown** outComponent) const;
    ACFRESULT GetClassFactory(const acfUID& classID, const acfIID& iid, void** outFactory) const;
    CHostServices& Services() { return *m_pServices; }

private:
    void Close();

    void* m_pLibrary = nullptr;
    std::string m_Error;
    CHostPtr<CHostServices> m_pServices;
    CHostPtr<CHostCollection> m_pCollection;
    IACFUnknown* m_pDefinition = nullptr;  // one reference
    ACFRegisterPluginProc m_pRegisterPlugin = nullptr;
    ACFRegisterComponentProc m_pRegisterComponent = nullptr;
    ACFGetClassFactoryProc m_pGetClassFactory = nullptr;
    ACFCanUnloadNowProc m_pCanUnloadNow = nullptr;
    ACFStartupProc m_pStartup = nullptr;
    ACFShutdownProc m_pShutdown = nullptr;
    ACFGetSDKVersionProc m_pGetSDKVersion = nullptr;
};
