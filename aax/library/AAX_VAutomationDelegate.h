#pragma once
// Wrapper of the host's automation delegate; AAX_ERROR_NULL_OBJECT when the host has none.

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_TInterfaceRef.h"

class AAX_VAutomationDelegate : public AAX_IAutomationDelegate {
public:
    explicit AAX_VAutomationDelegate(IACFUnknown* pHost) : m_I(pHost) {}
    bool IsValid() const { return bool(m_I); }

    AAX_Result RegisterParameter(AAX_CParamID id) override;
    AAX_Result UnregisterParameter(AAX_CParamID id) override;
    AAX_Result PostSetValueRequest(AAX_CParamID id, double normalizedValue) const override;
    AAX_Result PostCurrentValue(AAX_CParamID id, double normalizedValue) const override;
    AAX_Result PostTouchRequest(AAX_CParamID id) override;
    AAX_Result PostReleaseRequest(AAX_CParamID id) override;
    AAX_Result GetTouchState(AAX_CParamID id, AAX_CBoolean* outTouched) override;

private:
    AAX_TInterfaceRef<AAX_IACFAutomationDelegate> m_I;
};
