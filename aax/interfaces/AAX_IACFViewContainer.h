#pragma once
// The host window an editor opens in, with size requests and parameter mouse hand-over.
// Threading: GUI thread.

#include "AAX.h"
#include "ACFUnknown.h"

class AAX_IACFViewContainer : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0C0004);

    virtual int32_t GetType() = 0;  // AAX_EViewContainer_Type
    virtual void* GetPtr() = 0;     // the native window (an X11 Window id here)
    virtual AAX_Result GetModifiers(uint32_t* outModifiers) = 0;
    virtual AAX_Result SetViewSize(const AAX_Point& inSize) = 0;
    // 0 means the host took the event; anything else leaves it to the view.
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID inID, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID inID, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp(AAX_CParamID inID, uint32_t inModifiers) = 0;

protected:
    ~AAX_IACFViewContainer() = default;
};
