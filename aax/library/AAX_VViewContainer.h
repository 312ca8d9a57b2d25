#pragma once
// Wrapper of the host's view container. Without one: type NULL, no window, and
// AAX_ERROR_NULL_OBJECT from every other operation.

#include "AAX_IACFViewContainer.h"
#include "AAX_TInterfaceRef.h"

class AAX_VViewContainer {
public:
    explicit AAX_VViewContainer(IACFUnknown* pContainer) : m_I(pContainer) {}
    bool IsValid() const { return bool(m_I); }

    int32_t GetType() const;
    void* GetPtr() const;
    AAX_Result GetModifiers(uint32_t* outModifiers) const;
    AAX_Result SetViewSize(const AAX_Point& size);
    AAX_Result HandleParameterMouseDown(AAX_CParamID id, uint32_t modifiers);
    AAX_Result HandleParameterMouseDrag(AAX_CParamID id, uint32_t modifiers);
    AAX_Result HandleParameterMouseUp(AAX_CParamID id, uint32_t modifiers);

private:
    AAX_TInterfaceRef<AAX_IACFViewContainer> m_I;
};
