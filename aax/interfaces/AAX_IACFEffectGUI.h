#pragma once
// What the host calls on one plug-in instance's editor object. Threading: GUI thread.

#include "AAX.h"
#include "ACFUnknown.h"
#include "AAX_IString.h"

class AAX_IACFEffectGUI : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0E0002);

    // iController also answers the same instance's effect-parameters interface.
    virtual AAX_Result Initialize(IACFUnknown* iController) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived(AAX_CTypeID inType, const void* inData, uint32_t inBytes) = 0;
    // Null withdraws the container.
    virtual AAX_Result SetViewContainer(IACFUnknown* inViewContainer) = 0;
    virtual AAX_Result GetViewSize(AAX_Point* outSize) const = 0;
    virtual AAX_Result Draw(AAX_Rect* inDrawArea) = 0;
    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result ParameterUpdated(AAX_CParamID inID) = 0;
    virtual AAX_Result GetCustomLabel(AAX_CTypeID inSelector, AAX_IString* outLabel) const = 0;
    virtual AAX_Result SetControlHighlightInfo(AAX_CParamID inID, AAX_CBoolean inHighlighted, int32_t inColor) = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
