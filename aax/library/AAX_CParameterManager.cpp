#include "AAX_CParameterManager.h"

#include <cstring>
#include <string_view>

void AAX_CParameterManager::AddParameter(AAX_IParameter* pParameter)
{
    if (!pParameter)
        return;
    const std::string id = pParameter->Identifier();
    if (m_ParametersByID.count(id)) {
        m_Rejected.push_back(pParameter);
        return;
    }
    pParameter->SetAutomationDelegate(m_pAutomationDelegate);
    m_Parameters.push_back(pParameter);
    m_ParametersByID.emplace(id, pParameter);
}

void AAX_CParameterManager::RemoveAll()
{
    for (AAX_IParameter* pParameter : m_Parameters)
        delete pParameter;
    for (AAX_IParameter* pParameter : m_Rejected)
        delete pParameter;
    m_Parameters.clear();
    m_ParametersByID.clear();
    m_Rejected.clear();
}

AAX_IParameter* AAX_CParameterManager::GetParameter(int32_t index) const
{
    if (index < 0 || index >= NumParameters())
        return nullptr;
    return m_Parameters[size_t(index)];
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID(AAX_CParamID id) const
{
    if (!id)
        return nullptr;
    const auto it = m_ParametersByID.find(std::string_view(id));
    return it != m_ParametersByID.end() ? it->second : nullptr;
}

int32_t AAX_CParameterManager::GetParameterIndex(AAX_CParamID id) const
{
    if (!id)
        return -1;
    for (size_t i = 0; i < m_Parameters.size(); ++i)
        if (std::strcmp(m_Parameters[i]->Identifier(), id) == 0)
            return int32_t(i);
    return -1;
}
