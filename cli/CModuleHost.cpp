#include "CModuleHost.h"

#include "CliError.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

// Both relative to the executable's folder, so no absolute build path ends up in a package.
#ifndef BW_INSTALLED_MODULE_PATH
#define BW_INSTALLED_MODULE_PATH ""
#endif
#ifndef BW_BUILD_MODULE_PATH
#define BW_BUILD_MODULE_PATH ""
#endif

namespace {

int StemChannels(const SHostComponent& component, int32_t property)
{
    for (const SHostProperties& map : component.m_PropertyMaps)
        if (auto it = map.find(property); it != map.end())
            return it->second == AAX_eStemFormat_None ? 0 : AAX_StemFormatChannelCount(it->second);
    for (const SHostProcessProc& proc : component.m_ProcessProcs)
        if (auto it = proc.m_Properties.find(property); it != proc.m_Properties.end())
            return it->second == AAX_eStemFormat_None ? 0 : AAX_StemFormatChannelCount(it->second);
    return 0;
}

std::string ExecutableFolder()
{
    std::vector<char> buf(4096);
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0)
        return "";
    std::string path(buf.data(), size_t(n));
    return path.substr(0, path.rfind('/'));
}

}  // namespace

int ComponentInputChannels(const SHostComponent& component) { return StemChannels(component, AAX_eProperty_InputStemFormat); }
int ComponentOutputChannels(const SHostComponent& component) { return StemChannels(component, AAX_eProperty_OutputStemFormat); }

std::string LocateModule(const std::string& explicitPath)
{
    if (!explicitPath.empty()) {
        if (access(explicitPath.c_str(), R_OK) != 0)
            throw CCliError("cannot find the module '" + explicitPath + "' given with --module");
        return explicitPath;
    }
    std::vector<std::string> tried;
    if (const char* pEnv = std::getenv("BRINDLEWARBLER_MODULE"); pEnv && *pEnv) {
        if (access(pEnv, R_OK) != 0)
            throw CCliError(std::string("cannot find the module '") + pEnv + "' named by BRINDLEWARBLER_MODULE");
        return pEnv;
    }
    const std::string folder = ExecutableFolder();
    if (folder.empty())
        throw CCliError("cannot tell where this program is, so not where BrindleWarbler.so is; give --module PATH");
    for (const char* pRelative : {"BrindleWarbler.so", BW_INSTALLED_MODULE_PATH, BW_BUILD_MODULE_PATH}) {
        if (!*pRelative)
            continue;
        const std::string candidate = folder + "/" + pRelative;
        if (access(candidate.c_str(), R_OK) == 0)
            return candidate;
        tried.push_back(candidate);
    }
    std::string list;
    for (const std::string& t : tried)
        list += (list.empty() ? "" : ", ") + t;
    throw CCliError("cannot find BrindleWarbler.so (looked at " + list + "); build it or give --module PATH");
}

CModuleHost::CModuleHost(const std::string& path, const std::string& effectID) : m_Path(path)
{
    if (!m_Module.Load(path))
        throw CCliError("cannot load the module '" + path + "': " + m_Module.Error());
    if (const ACFRESULT result = m_Module.Register(); result != ACF_OK)
        throw CCliError("the module '" + path + "' failed to register (result " + std::to_string(result) + ")");
    m_pEffect = m_Module.Description().FindEffect(effectID);
    if (!m_pEffect)
        throw CCliError("the module '" + path + "' does not describe the effect " + effectID);
}

CModuleHost::~CModuleHost()
{
    m_Module.Unload();
}

size_t CModuleHost::ComponentFor(int nChannels) const
{
    const std::vector<SHostComponent>& components = m_pEffect->m_Components;
    for (size_t i = 0; i < components.size(); ++i)
        if (ComponentInputChannels(components[i]) == nChannels && !components[i].m_ProcessProcs.empty())
            return i;
    throw CCliError("the module has no component for " + std::to_string(nChannels) + "-channel input");
}
