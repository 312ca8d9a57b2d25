#pragma once
// CTextLabel shows a fixed text; CTextEdit lets the user type it. A text edit starts editing on
// a click (it takes the keyboard focus), takes printable characters, Backspace and Delete,
// commits with Return/Enter or when it loses the focus, and cancels with Escape. Each commit
// that changes the text is reported to the listener as one edit.

#include "cparamdisplay.h"

namespace VSTGUI {

class CTextLabel : public CParamDisplay
{
public:
    explicit CTextLabel(const CRect& size, UTF8StringPtr txt = nullptr, CBitmap* background = nullptr,
                        int32_t style = 0);

    virtual void setText(UTF8StringPtr txt);
    void setText(const UTF8String& txt) { setText(txt.c_str()); }
    const UTF8String& getText() const { return m_Text; }

protected:
    std::string getDisplayText() override { return m_Text; }
    UTF8String m_Text;
};

class CTextEdit : public CTextLabel
{
public:
    CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt = nullptr,
              CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;

    // Report every keystroke instead of only the commit.
    void setImmediateTextChange(bool state) { m_bImmediate = state; }
    bool getImmediateTextChange() const { return m_bImmediate; }
    bool isEditingText() const { return m_bEditing; }
    const UTF8String& getEditText() const { return m_EditText; }

protected:
    void commit();

    bool m_bImmediate = false;
    bool m_bEditing = false;
    UTF8String m_EditText;
};

}  // namespace VSTGUI
