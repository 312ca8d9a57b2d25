#pragma once
// A kick button that reports on press, on release, or both (from its custom-view name).
// Threading: GUI thread.

#include "vstgui/vstgui.h"

class CKickButtonWP : public VSTGUI::CKickButton {
public:
    enum ReportMode : uint32_t { kDownAndUp = 0, kUpOnly = 1, kDownOnly = 2 };

    CKickButtonWP(const VSTGUI::CRect& size, VSTGUI::IControlListener* pListener, int32_t nTag,
                  VSTGUI::CCoord fHeightOfOneImage, VSTGUI::CBitmap* pBackground, const VSTGUI::CPoint& offset);

    // "TsraKickButtonDU" -> down and up, "TsraKickButtonD" -> down only, anything else -> up only.
    static uint32_t reportModeFor(const char* pCustomViewName);

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;

    void setReportMode(uint32_t uMode) { m_nReportMode = uMode; }
    uint32_t getReportMode() const { return m_nReportMode; }

private:
    uint32_t m_nReportMode = kUpOnly;
};
