#include "CHostModule.h"

#include <dlfcn.h>

namespace {

template <class Proc>
bool Resolve(void* pLibrary, const char* pName, Proc& outProc, std::string& error)
{
    outProc = reinterpret_cast<Proc>(dlsym(pLibrary, pName));
    if (!outProc)
        error = std::string("missing entry point ") + pName;
    return outProc != nullptr;
}

}  // namespace

CHostModule::CHostModule() : m_pServices(MakeHostObject<CHostServices>()), m_pCollection(MakeHostObject<CHostCollection>())
{
}

CHostModule::~CHostModule()
{
    if (IsLoaded())
        Unload();
}

bool CHostModule::Load(const std::string& path)
{
    if (IsLoaded()) {
        m_Error = "a module is already loaded";
        return false;
    }
    m_pLibrary = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_pLibrary) {
        const char* pError = dlerror();
        m_Error = pError ? pError : "dlopen failed";
        return false;
    }
    const bool bResolved = Resolve(m_pLibrary, kACFRegisterPluginName, m_pRegisterPlugin, m_Error) &&
                           Resolve(m_pLibrary, kACFRegisterComponentName, m_pRegisterComponent, m_Error) &&
                           Resolve(m_pLibrary, kACFGetClassFactoryName, m_pGetClassFactory, m_Error) &&
                           Resolve(m_pLibrary, kACFCanUnloadNowName, m_pCanUnloadNow, m_Error) &&
                           Resolve(m_pLibrary, kACFStartupName, m_pStartup, m_Error) &&
                           Resolve(m_pLibrary, kACFShutdownName, m_pShutdown, m_Error) &&
                           Resolve(m_pLibrary, kACFGetSDKVersionName, m_pGetSDKVersion, m_Error);
    if (!bResolved) {
        Close();
        return false;
    }
    const ACFRESULT result = m_pStartup(m_pServices->Unknown());
    if (result != ACF_OK) {
        m_Error = "ACFStartup failed: " + std::to_string(result);
        Close();
        return false;
    }
    m_Error.clear();
    return true;
}

ACFRESULT CHostModule::Register()
{
    if (!IsLoaded())
        return ACF_E_UNEXPECTED;
    if (m_pDefinition) {
        m_pDefinition->Release();
        m_pDefinition = nullptr;
    }
    m_pCollection = MakeHostObject<CHostCollection>();
    return m_pRegisterPlugin(m_pCollection->Unknown(), &m_pDefinition);
}

bool CHostModule::Unload()
{
    if (!IsLoaded())
        return true;
    if (m_pDefinition) {
        m_pDefinition->Release();
        m_pDefinition = nullptr;
    }
    m_pShutdown(m_pServices->Unknown());
    if (m_pCanUnloadNow(m_pServices->Unknown()) != 0) {
        m_Error = "module objects are still alive";
        return false;
    }
    Close();
    return true;
}

void CHostModule::Close()
{
    if (m_pLibrary)
        dlclose(m_pLibrary);
    m_pLibrary = nullptr;
    m_pRegisterPlugin = nullptr;
    m_pRegisterComponent = nullptr;
    m_pGetClassFactory = nullptr;
    m_pCanUnloadNow = nullptr;
    m_pStartup = nullptr;
    m_pShutdown = nullptr;
    m_pGetSDKVersion = nullptr;
}

ACFRESULT CHostModule::CanUnloadNow() const
{
    return IsLoaded() ? m_pCanUnloadNow(m_pServices->Unknown()) : 0;
}

ACFRESULT CHostModule::GetSDKVersion(uint64_t* outVersion) const
{
    return IsLoaded() ? m_pGetSDKVersion(outVersion) : ACF_E_UNEXPECTED;
}

ACFRESULT CHostModule::RegisterComponent(uint32_t index, IACFUnknown** outComponent) const
{
    return IsLoaded() ? m_pRegisterComponent(m_pServices->Unknown(), index, outComponent) : ACF_E_UNEXPECTED;
}

ACFRESULT CHostModule::GetClassFactory(const acfUID& classID, const acfIID& iid, void** outFactory) const
{
    return IsLoaded() ? m_pGetClassFactory(m_pServices->Unknown(), classID, iid, outFactory) : ACF_E_UNEXPECTED;
}
