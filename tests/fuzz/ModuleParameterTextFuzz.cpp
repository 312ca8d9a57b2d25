// Arbitrary text typed into each of the module's parameters: whatever the module accepts must
// be a finite normalised value that the parameter can take and display again.
#include "Tessera_Parameters.h"

#include "AAX_CString.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct SInstance {
    Tessera_Parameters* m_pParameters = new Tessera_Parameters;
    std::vector<std::string> m_IDs;

    SInstance()
    {
        m_pParameters->AddRef();
        if (m_pParameters->Initialize(nullptr) != AAX_SUCCESS)
            std::abort();
        int32_t nCount = 0;
        m_pParameters->GetNumberOfParameters(&nCount);
        for (int32_t i = 0; i < nCount; ++i) {
            AAX_CString id;
            m_pParameters->GetParameterIDFromIndex(i, &id);
            m_IDs.push_back(id.StdString());
        }
        if (m_IDs.empty())
            std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // One instance for the run: parsing text changes nothing, and taking a value is undone.
    static SInstance s_Instance;
    Tessera_Parameters& p = *s_Instance.m_pParameters;
    const AAX_CString text(std::string(reinterpret_cast<const char*>(pData), nSize));
    for (const std::string& id : s_Instance.m_IDs) {
        double value = -1.0;
        if (p.GetParameterValueFromString(id.c_str(), &value, text) != AAX_SUCCESS)
            continue;
        if (!std::isfinite(value) || value < 0.0 || value > 1.0)
            std::abort();
        AAX_CString shown;
        if (p.GetParameterStringFromValue(id.c_str(), value, &shown, 32) != AAX_SUCCESS)
            std::abort();

        double before = -1.0, after = -1.0;
        p.GetParameterNormalizedValue(id.c_str(), &before);
        if (p.SetParameterNormalizedValue(id.c_str(), value) != AAX_SUCCESS)
            std::abort();
        p.GetParameterNormalizedValue(id.c_str(), &after);
        if (!std::isfinite(after) || after < 0.0 || after > 1.0)
            std::abort();
        if (p.GetParameterValueString(id.c_str(), &shown, 32) != AAX_SUCCESS)
            std::abort();
        p.SetParameterNormalizedValue(id.c_str(), before);
    }
    return 0;
}
