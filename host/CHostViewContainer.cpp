#include "CHostViewContainer.h"

AAX_Result CHostViewContainer::GetModifiers(uint32_t* outModifiers)
{
    if (!outModifiers)
        return AAX_ERROR_NULL_ARGUMENT;
    *outModifiers = m_nModifiers;
    return AAX_SUCCESS;
}

AAX_Result CHostViewContainer::SetViewSize(const AAX_Point& inSize)
{
    if (!(inSize.horz >= 0.0f && inSize.vert >= 0.0f))
        return AAX_ERROR_INVALID_VIEW_SIZE;
    m_SizeRequests.push_back(inSize);
    return AAX_SUCCESS;
}

AAX_Result CHostViewContainer::RecordMouse(SHostMouseEvent::EKind kind, AAX_CParamID id, uint32_t modifiers)
{
    m_MouseEvents.push_back({kind, id ? id : "", modifiers});
    return m_nMouseResult;
}

AAX_Result CHostViewContainer::HandleParameterMouseDown(AAX_CParamID inID, uint32_t inModifiers)
{
    return RecordMouse(SHostMouseEvent::kDown, inID, inModifiers);
}

AAX_Result CHostViewContainer::HandleParameterMouseDrag(AAX_CParamID inID, uint32_t inModifiers)
{
    return RecordMouse(SHostMouseEvent::kDrag, inID, inModifiers);
}

AAX_Result CHostViewContainer::HandleParameterMouseUp(AAX_CParamID inID, uint32_t inModifiers)
{
    return RecordMouse(SHostMouseEvent::kUp, inID, inModifiers);
}
