#pragma once
// The host's top-level X11 window that an editor opens in (the view container's native
// window), on the toolkit's shared run loop. Closing it (window manager or an interrupt)
// ends Run.
//
// Threading: the GUI thread only.

#include "vstgui/platform/x11runloop.h"

#include <functional>
#include <string>

class CEditorWindow : public VSTGUI::IX11EventClient {
public:
    // Throws CCliError when no X server can be reached.
    CEditorWindow(const std::string& title, int nWidth, int nHeight);
    ~CEditorWindow();
    CEditorWindow(const CEditorWindow&) = delete;
    CEditorWindow& operator=(const CEditorWindow&) = delete;

    unsigned long getWindow() const override { return m_nWindow; }
    void handleEvent(XEvent& event) override;
    void paint() override {}

    void Resize(int nWidth, int nHeight);
    // Runs the loop until the window is closed; idle runs after
    // every loop turn (at least every 20 ms).
    void Run(const std::function<void()>& idle);
    bool IsClosed() const { return m_bClosed; }
    // Ends Run after this turn; the window is destroyed with this object.
    void Close() { m_bCloseRequested = true; }

private:
    Display* m_pDisplay = nullptr;
    unsigned long m_nWindow = 0;
    unsigned long m_nDeleteAtom = 0;
    bool m_bClosed = false;
    bool m_bCloseRequested = false;
};
