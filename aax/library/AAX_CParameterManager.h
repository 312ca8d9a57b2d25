#pragma once
// The parameters of one instance: owned, in registration order and by identifier (byte-wise).
// The first registration of an identifier wins. Threading: registration on the main thread;
// look-ups from any thread once registration is over.

#include "AAX_IParameter.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class AAX_CParameterManager {
public:
    AAX_CParameterManager() = default;
    ~AAX_CParameterManager() { RemoveAll(); }
    AAX_CParameterManager(const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator=(const AAX_CParameterManager&) = delete;

    // The delegate handed to every parameter added from now on (not owned).
    void SetAutomationDelegate(AAX_IAutomationDelegate* pDelegate) { m_pAutomationDelegate = pDelegate; }
    // Takes ownership. A null pointer is ignored; a parameter with a known identifier is not
    // added (the first registration wins) but kept until RemoveAll, so the caller's pointer
    // stays valid and nothing leaks.
    void AddParameter(AAX_IParameter* pParameter);
    void RemoveAll();

    int32_t NumParameters() const { return int32_t(m_Parameters.size()); }
    AAX_IParameter* GetParameter(int32_t index) const;
    AAX_IParameter* GetParameterByID(AAX_CParamID id) const;
    int32_t GetParameterIndex(AAX_CParamID id) const;  // -1 when absent

private:
    AAX_IAutomationDelegate* m_pAutomationDelegate = nullptr;
    std::vector<AAX_IParameter*> m_Parameters;
    std::map<std::string, AAX_IParameter*, std::less<>> m_ParametersByID;  // finds by const char* without a copy
    std::vector<AAX_IParameter*> m_Rejected;
};
