#pragma once
// The loaded module: found, loaded with dlopen and registered through the substitute host,
// with the effect this command drives picked out of its description.
//
// Threading: the main thread. The module stays loaded as long as this object lives; every
// CEffectSession made from it must be destroyed first.

#include "CHostModule.h"

#include <string>

inline constexpr const char* kEffectID = "tessera.BrindleWarbler";

class CModuleHost {
public:
    // Throws CCliError when the module cannot be loaded or does not describe the effect.
    explicit CModuleHost(const std::string& path, const std::string& effectID = kEffectID);
    ~CModuleHost();
    CModuleHost(const CModuleHost&) = delete;
    CModuleHost& operator=(const CModuleHost&) = delete;

    const std::string& Path() const { return m_Path; }
    const SHostDescription& Description() const { return m_Module.Description(); }
    const SHostEffect& Effect() const { return *m_pEffect; }
    // The component whose input has nChannels channels; throws CCliError when there is none.
    size_t ComponentFor(int nChannels) const;

private:
    std::string m_Path;
    CHostModule m_Module;
    const SHostEffect* m_pEffect = nullptr;
};

// Where the module is: the explicit path when given, else $BRINDLEWARBLER_MODULE, else
// BrindleWarbler.so beside the executable, else where `cmake --install` puts it relative to
// the executable (../lib/brindlewarbler/), else the one the build made (relative to the build
// tree's executable). Throws CCliError naming the places tried when none exists.
std::string LocateModule(const std::string& explicitPath);

// Channel count of a component's input stem format (0 when it has none).
int ComponentInputChannels(const SHostComponent& component);
int ComponentOutputChannels(const SHostComponent& component);
