#pragma once
// The window an editor opens in: a native window handle, which here is an X11 Window id
// (the X11 window itself belongs to whoever runs the host). Records size requests and the
// parameter mouse events offered to the host. Threading: GUI thread.

#include "AAX_IACFViewContainer.h"
#include "CHostObject.h"

#include <string>
#include <vector>

struct SHostMouseEvent {
    enum EKind { kDown, kDrag, kUp };
    EKind m_eKind;
    std::string m_ID;
    uint32_t m_nModifiers;
};

class CHostViewContainer : public THostObject<AAX_IACFViewContainer> {
public:
    explicit CHostViewContainer(unsigned long nWindowID = 0, int32_t type = AAX_eViewContainer_Type_HWND)
        : m_nWindowID(nWindowID), m_nType(type)
    {
    }

    int32_t GetType() override { return m_nType; }
    void* GetPtr() override { return reinterpret_cast<void*>(m_nWindowID); }
    AAX_Result GetModifiers(uint32_t* outModifiers) override;
    AAX_Result SetViewSize(const AAX_Point& inSize) override;
    AAX_Result HandleParameterMouseDown(AAX_CParamID inID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseDrag(AAX_CParamID inID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseUp(AAX_CParamID inID, uint32_t inModifiers) override;

    unsigned long WindowID() const { return m_nWindowID; }
    void SetModifiers(uint32_t modifiers) { m_nModifiers = modifiers; }
    // What the host answers to mouse events: 0 takes them.
    void SetMouseResult(AAX_Result result) { m_nMouseResult = result; }
    const std::vector<AAX_Point>& SizeRequests() const { return m_SizeRequests; }
    const std::vector<SHostMouseEvent>& MouseEvents() const { return m_MouseEvents; }

private:
    AAX_Result RecordMouse(SHostMouseEvent::EKind kind, AAX_CParamID id, uint32_t modifiers);

    unsigned long m_nWindowID;
    int32_t m_nType;
    uint32_t m_nModifiers = 0;
    AAX_Result m_nMouseResult = AAX_ERROR_UNIMPLEMENTED;
    std::vector<AAX_Point> m_SizeRequests;
    std::vector<SHostMouseEvent> m_MouseEvents;
};
