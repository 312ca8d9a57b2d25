#pragma once
// The editor's values as the module's host parameters: parameter "N + 1" is control N, edits
// go out as touch, normalised value and release through the effect-parameters object.
//
// Ownership: the effect-parameters object is not owned. Threading: the GUI thread.

#include "AAX_IEffectParameters.h"
#include "IEditorValues.h"

class CEffectParametersValues : public IEditorValues {
public:
    explicit CEffectParametersValues(AAX_IEffectParameters* pParameters = nullptr) : m_pParameters(pParameters) {}

    void setParameters(AAX_IEffectParameters* p) { m_pParameters = p; }
    AAX_IEffectParameters* parameters() const { return m_pParameters; }

    void beginEdit(int32_t nControlIndex) override;
    void endEdit(int32_t nControlIndex) override;
    void setNormalised(int32_t nControlIndex, double dValue) override;
    bool getNormalised(int32_t nControlIndex, double& dValue) const override;
    void setPlain(int32_t nControlIndex, float fValue, bool bWhole) override;

private:
    AAX_IEffectParameters* m_pParameters;
};
