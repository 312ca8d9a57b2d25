#pragma once
// One open LV2 UI: the editor in an X11 child of the host's window (ui:parent), or in a
// top-level window of its own when the host gives none (shown and hidden through
// ui:showInterface). The host drives it through idle(): X events, the editor's timer and
// the redraws, without waiting.
//
// The editor reads its control records from an engine of its own that never processes
// audio; values travel only through the ports (CBwLv2UiPorts), so the UI may live in another
// process than the plug-in.
//
// Ownership: owns the engine, the ports, the editor and the top-level window if it made
// one; the host's parent window and features are not owned.
// Threading: the host's UI thread only; several instances share the process's X11 run loop.

#include "CBwLv2UiPorts.h"
#include "CModDelayModule.h"
#include "CTsraVSTEditor.h"
#include "vstgui/platform/x11runloop.h"

#include <lv2/ui/ui.h>

class CBwLv2Ui final : private VSTGUI::IX11EventClient {
public:
    static constexpr int kWidth = 900;
    static constexpr int kHeight = 568;

    CBwLv2Ui(LV2UI_Write_Function pWrite, LV2UI_Controller pController, const LV2_Feature* const* ppFeatures);
    ~CBwLv2Ui();
    CBwLv2Ui(const CBwLv2Ui&) = delete;
    CBwLv2Ui& operator=(const CBwLv2Ui&) = delete;

    // Opens the window and the editor; false when no X server or parent can be reached.
    bool open();
    // The X window the host embeds (the editor's frame window).
    LV2UI_Widget widget() const;

    void portEvent(uint32_t uPort, uint32_t uSize, uint32_t uFormat, const void* pBuffer);
    // Non-zero once the user closed the top-level window.
    int idle();
    int show();
    int hide();

    const CTsraVSTEditor& editor() const { return m_Editor; }

private:
    // The top-level window's events (the close button); the frame has its own client.
    unsigned long getWindow() const override { return m_nTopLevel; }
    void handleEvent(XEvent& event) override;
    void paint() override {}

    bool openTopLevel();
    void setFixedSize(unsigned long nWindow) const;

    CModDelayModule m_Engine;  // control records and editor answers only
    CBwLv2UiPorts m_Ports;
    CTsraVSTEditor m_Editor;
    unsigned long m_nParent = 0;        // the host's window, or our top-level
    unsigned long m_nTopLevel = 0;      // ours, when the host gave no parent
    unsigned long m_nDeleteAtom = 0;
    const LV2UI_Resize* m_pResize = nullptr;
    Display* m_pDisplay = nullptr;      // a reference on the run loop's connection
    bool m_bClosed = false;
};
