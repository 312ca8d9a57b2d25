#include "ctextlabel.h"

#include "cdrawcontext.h"
#include "cframe.h"

namespace VSTGUI {

CTextLabel::CTextLabel(const CRect& size, UTF8StringPtr txt, CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), m_Text(txt ? txt : "")
{
}

void CTextLabel::setText(UTF8StringPtr txt)
{
    const UTF8String t(txt ? txt : "");
    if (t == m_Text)
        return;
    m_Text = t;
    setDirty(true);
}

CTextEdit::CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt,
                     CBitmap* background, int32_t style)
    : CTextLabel(size, txt, background, style)
{
    m_pListener = listener;
    m_nTag = tag;
    setWantsFocus(true);
}

void CTextEdit::draw(CDrawContext* context)
{
    if (!m_bEditing) {
        CTextLabel::draw(context);
        return;
    }
    drawBack(context);
    drawText(context, m_EditText, m_ViewSize);
    // A caret after the text.
    context->setFont(m_pFont);
    CRect r(m_ViewSize);
    r.inset(m_TextInset.x, m_TextInset.y);
    const CCoord w = context->getStringWidth(m_EditText.c_str());
    CCoord x = r.left + w;
    if (m_HoriAlign == kCenterText)
        x = r.left + (r.getWidth() + w) / 2;
    else if (m_HoriAlign == kRightText)
        x = r.right;
    context->setFrameColor(m_FontColor);
    context->setLineWidth(1);
    context->drawLine(CPoint(x + 1, r.top + 2), CPoint(x + 1, r.bottom - 3));
    setDirty(false);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    if (CFrame* frame = getFrame(); frame && frame->getFocusView() != this)
        frame->setFocusView(this);
    else if (!m_bEditing)
        takeFocus();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus()
{
    if (m_bEditing)
        return;
    m_bEditing = true;
    m_EditText = m_Text;
    beginEdit();
    invalid();
}

void CTextEdit::looseFocus()
{
    if (m_bEditing)
        commit();
}

void CTextEdit::commit()
{
    m_bEditing = false;
    if (m_EditText != m_Text) {
        setText(m_EditText);
        valueChanged();
    }
    endEdit();
    invalid();
}

int32_t CTextEdit::onKeyDown(VstKeyCode& keyCode)
{
    if (!m_bEditing)
        return -1;
    switch (keyCode.virt) {
    case VKEY_RETURN:
    case VKEY_ENTER:
        if (CFrame* frame = getFrame(); frame && frame->getFocusView() == this)
            frame->setFocusView(nullptr);  // commits through looseFocus
        else
            commit();
        return 1;
    case VKEY_ESCAPE:
        m_EditText = m_Text;
        if (CFrame* frame = getFrame(); frame && frame->getFocusView() == this)
            frame->setFocusView(nullptr);
        else
            commit();
        return 1;
    case VKEY_BACK:
    case VKEY_DELETE:
        // Remove the last UTF-8 character.
        while (!m_EditText.empty() && (static_cast<unsigned char>(m_EditText.back()) & 0xC0) == 0x80)
            m_EditText.pop_back();
        if (!m_EditText.empty())
            m_EditText.pop_back();
        break;
    default:
        if (keyCode.virt != 0 && keyCode.virt != VKEY_SPACE)
            return -1;
        if (keyCode.virt == VKEY_SPACE)
            m_EditText += ' ';
        else if (keyCode.character >= 0x20 && keyCode.character < 0x80)
            m_EditText += static_cast<char>(keyCode.character);
        else if (keyCode.character >= 0x80 && keyCode.character < 0x800) {
            m_EditText += static_cast<char>(0xC0 | (keyCode.character >> 6));
            m_EditText += static_cast<char>(0x80 | (keyCode.character & 0x3F));
        } else if (keyCode.character >= 0x800 && keyCode.character < 0x10000) {
            m_EditText += static_cast<char>(0xE0 | (keyCode.character >> 12));
            m_EditText += static_cast<char>(0x80 | ((keyCode.character >> 6) & 0x3F));
            m_EditText += static_cast<char>(0x80 | (keyCode.character & 0x3F));
        } else
            return -1;
        break;
    }
    if (m_bImmediate && m_EditText != m_Text) {
        setText(m_EditText);
        valueChanged();
    }
    invalid();
    return 1;
}

}  // namespace VSTGUI
