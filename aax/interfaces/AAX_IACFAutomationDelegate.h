#pragma once
// Host side of parameter automation. Parameters register their identifiers and send touch,
// release and set-value requests; the host answers a set-value request later by calling the
// effect-parameters object's UpdateParameterNormalizedValue.
//
// Threading: registration on the main thread; touch, release and set-value requests from any
// thread including the audio thread (meter parameters), so they must not block or allocate.

#include "AAX.h"
#include "ACFUnknown.h"

class AAX_IACFAutomationDelegate : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0C0002);

    virtual AAX_Result RegisterParameter(AAX_CParamID inID) = 0;
    virtual AAX_Result UnregisterParameter(AAX_CParamID inID) = 0;
    virtual AAX_Result PostSetValueRequest(AAX_CParamID inID, double inNormalizedValue) = 0;
    // Reports the value the parameter now holds (after an update or a display change).
    virtual AAX_Result PostCurrentValue(AAX_CParamID inID, double inNormalizedValue) = 0;
    virtual AAX_Result PostTouchRequest(AAX_CParamID inID) = 0;
    virtual AAX_Result PostReleaseRequest(AAX_CParamID inID) = 0;
    virtual AAX_Result GetTouchState(AAX_CParamID inID, AAX_CBoolean* outTouched) = 0;

protected:
    ~AAX_IACFAutomationDelegate() = default;
};
