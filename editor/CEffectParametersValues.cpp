#include "CEffectParametersValues.h"

#include "AAX_IParameter.h"

#include <string>

namespace {
std::string idFor(int32_t nControlIndex) { return std::to_string(nControlIndex + 1); }
}  // namespace

void CEffectParametersValues::beginEdit(int32_t nControlIndex)
{
    if (m_pParameters)
        m_pParameters->TouchParameter(idFor(nControlIndex).c_str());
}

void CEffectParametersValues::endEdit(int32_t nControlIndex)
{
    if (m_pParameters)
        m_pParameters->ReleaseParameter(idFor(nControlIndex).c_str());
}

void CEffectParametersValues::setNormalised(int32_t nControlIndex, double dValue)
{
    if (m_pParameters)
        m_pParameters->SetParameterNormalizedValue(idFor(nControlIndex).c_str(), dValue);
}

bool CEffectParametersValues::getNormalised(int32_t nControlIndex, double& dValue) const
{
    return m_pParameters && m_pParameters->GetParameterNormalizedValue(idFor(nControlIndex).c_str(), &dValue) == 0;
}

void CEffectParametersValues::setPlain(int32_t nControlIndex, float fValue, bool bWhole)
{
    AAX_IParameter* pParameter = nullptr;
    if (!m_pParameters || m_pParameters->GetParameter(idFor(nControlIndex).c_str(), &pParameter) != 0 || !pParameter)
        return;
    if (bWhole)
        pParameter->SetValueWithInt32(static_cast<int32_t>(fValue));
    else
        pParameter->SetValueWithFloat(fValue);
}
