#pragma once
// The editor opened offscreen and fed a session's parameter values exactly as the host feeds
// the module's editor (ParameterUpdated for every parameter). The module's own frames open in
// windows, so pictures and view listings come from this program's copy of the editor.
// Main thread only; one at a time (it switches the toolkit to offscreen frames and a manual
// clock for its lifetime).

#include "CModDelayModule.h"
#include "CTsraVSTEditor.h"

class CEffectSession;

class COffscreenEditor {
public:
    // Throws CCliError when the description is missing or the editor does not open.
    explicit COffscreenEditor(const CEffectSession& session);
    ~COffscreenEditor();
    COffscreenEditor(const COffscreenEditor&) = delete;
    COffscreenEditor& operator=(const COffscreenEditor&) = delete;

    VSTGUI::CFrame* Frame() const { return m_Editor.getFrame(); }
    // One timer period passes, so meters and animations settle before a picture.
    void Settle();

private:
    CModDelayModule m_Engine;  // answers the editor's record and text queries; never processes
    CTsraVSTEditor m_Editor;
};
