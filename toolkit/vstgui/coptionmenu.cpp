#include "coptionmenu.h"

#include "cdrawcontext.h"
#include "cframe.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

constexpr CCoord kRowHeight = 18;

// The entry list shown while the menu is open; rows in entry order.
class OptionMenuList : public CView
{
public:
    OptionMenuList(const CRect& size, COptionMenu* menu) : CView(size), m_pMenu(menu) { m_pMenu->remember(); }
    ~OptionMenuList() override
    {
        m_pMenu->popupClosed();
        m_pMenu->forget();
    }

    void draw(CDrawContext* context) override
    {
        context->setFillColor(kWhiteCColor);
        context->drawRect(m_ViewSize, kDrawFilled);
        context->setFont(m_pMenu->getFont());
        for (int32_t i = 0; i < m_pMenu->getNbEntries(); ++i) {
            const CMenuItem* item = m_pMenu->getEntry(i);
            CRect row(m_ViewSize.left, m_ViewSize.top + i * kRowHeight, m_ViewSize.right,
                      m_ViewSize.top + (i + 1) * kRowHeight);
            if (item->isSeparator()) {
                context->setFrameColor(kGreyCColor);
                context->drawLine(CPoint(row.left + 2, row.top + kRowHeight / 2),
                                  CPoint(row.right - 2, row.top + kRowHeight / 2));
                continue;
            }
            const bool current = i == m_pMenu->getCurrentIndex();
            if (current) {
                context->setFillColor(CColor(51, 102, 204));
                context->drawRect(row, kDrawFilled);
            }
            context->setFontColor(!item->isEnabled() ? kGreyCColor : current ? kWhiteCColor : kBlackCColor);
            row.inset(6, 0);
            context->drawString(((item->isChecked() ? "* " : "") + item->getTitle()).c_str(), row, kLeftText);
        }
        context->setFrameColor(kBlackCColor);
        context->setLineWidth(1);
        context->drawRect(m_ViewSize, kDrawStroked);
        setDirty(false);
    }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
    {
        if (!(buttons & kLButton))
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
        const auto row = static_cast<int32_t>(std::floor((where.y - m_ViewSize.top) / kRowHeight));
        CBaseObjectGuard guard(this);
        close();
        const CMenuItem* item = m_pMenu->getEntry(row);
        if (item && item->isEnabled() && !item->isSeparator() && !item->isTitle())
            m_pMenu->choose(row);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }

    CMouseEventResult onMouseCancel() override
    {
        close();
        return kMouseEventHandled;
    }

    int32_t onKeyDown(VstKeyCode& key) override
    {
        if (key.virt == VKEY_ESCAPE) {
            close();
            return 1;
        }
        return -1;
    }

private:
    void close()
    {
        m_pMenu->popupClosed();
        if (CFrame* frame = getFrame(); frame && frame->getModalView() == this)
            frame->setModalView(nullptr);
    }

    COptionMenu* m_pMenu;
};

}  // namespace

COptionMenu::COptionMenu(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                         CBitmap* bgWhenClick, int32_t style)
    : CParamDisplay(size, background, style), m_pBgWhenClick(bgWhenClick)
{
    m_pListener = listener;
    m_nTag = tag;
    if (m_pBgWhenClick)
        m_pBgWhenClick->remember();
    setDefaultValue(0.f);
    updateRange();
}

COptionMenu::COptionMenu() : COptionMenu(CRect(0, 0, 0, 0), nullptr, -1) {}

COptionMenu::~COptionMenu()
{
    for (CMenuItem* item : m_Items)
        item->forget();
    if (m_pBgWhenClick)
        m_pBgWhenClick->forget();
}

void COptionMenu::updateRange()
{
    m_fMin = 0.f;
    m_fMax = m_Items.empty() ? 0.f : static_cast<float>(m_Items.size() - 1);
}

CMenuItem* COptionMenu::addEntry(UTF8StringPtr title, int32_t index, int32_t itemFlags)
{
    const UTF8String t(title ? title : "");
    if (t == "-")
        itemFlags |= CMenuItem::kSeparator;
    return addEntry(new CMenuItem(t, itemFlags), index);
}

CMenuItem* COptionMenu::addEntry(CMenuItem* item, int32_t index)
{
    if (!item)
        return nullptr;
    if (index < 0 || index >= getNbEntries())
        m_Items.push_back(item);
    else
        m_Items.insert(m_Items.begin() + index, item);
    updateRange();
    setDirty(true);
    return item;
}

CMenuItem* COptionMenu::addSeparator(int32_t index) { return addEntry("-", index, CMenuItem::kSeparator); }

bool COptionMenu::removeEntry(int32_t index)
{
    if (index < 0 || index >= getNbEntries())
        return false;
    m_Items[index]->forget();
    m_Items.erase(m_Items.begin() + index);
    updateRange();
    setDirty(true);
    return true;
}

bool COptionMenu::removeAllEntry()
{
    for (CMenuItem* item : m_Items)
        item->forget();
    m_Items.clear();
    updateRange();
    m_fValue = 0.f;
    setDirty(true);
    return true;
}

CMenuItem* COptionMenu::getEntry(int32_t index) const
{
    return index >= 0 && index < getNbEntries() ? m_Items[index] : nullptr;
}

int32_t COptionMenu::getCurrentIndex(bool countSeparator) const
{
    const auto index = static_cast<int32_t>(std::floor(getValue() + 0.5f));
    if (countSeparator)
        return index;
    int32_t n = 0;
    for (int32_t i = 0; i < index && i < getNbEntries(); ++i)
        if (!m_Items[i]->isSeparator())
            ++n;
    return n;
}

bool COptionMenu::setCurrent(int32_t index, bool countSeparator)
{
    if (!countSeparator) {
        int32_t n = -1;
        for (int32_t i = 0; i < getNbEntries(); ++i)
            if (!m_Items[i]->isSeparator() && ++n == index) {
                index = i;
                break;
            }
    }
    if (index < 0 || index >= getNbEntries())
        return false;
    setValue(static_cast<float>(index));
    return true;
}

bool COptionMenu::checkEntry(int32_t index, bool state)
{
    CMenuItem* item = getEntry(index);
    if (!item)
        return false;
    item->setChecked(state);
    return true;
}

void COptionMenu::setValue(float val)
{
    // Entries are whole positions.
    CParamDisplay::setValue(std::floor(val + 0.5f));
}

std::string COptionMenu::getDisplayText()
{
    const CMenuItem* item = getCurrent();
    return item ? item->getTitle() : std::string();
}

void COptionMenu::draw(CDrawContext* context)
{
    if (m_pPopup && m_pBgWhenClick) {
        m_pBgWhenClick->draw(context, m_ViewSize);
        drawText(context, getDisplayText(), m_ViewSize);
        setDirty(false);
        return;
    }
    CParamDisplay::draw(context);
}

void COptionMenu::choose(int32_t index)
{
    const CMenuItem* item = getEntry(index);
    if (!item || item->isSeparator())
        return;
    beginEdit();
    if (m_nStyle & kCheckStyle)
        for (int32_t i = 0; i < getNbEntries(); ++i)
            m_Items[i]->setChecked(i == index);
    setValue(static_cast<float>(index));
    valueChanged();
    endEdit();
    invalid();
}

bool COptionMenu::popup()
{
    CFrame* frame = getFrame();
    if (!frame || !frame->isOpen() || m_Items.empty() || m_pPopup)
        return false;
    // Below the menu when it fits, else above; always inside the frame.
    CPoint topLeft(m_ViewSize.left, m_ViewSize.bottom);
    localToFrame(topLeft);
    CCoord width = std::max<CCoord>(getWidth(), 80);
    const CCoord height = kRowHeight * getNbEntries();
    if (topLeft.y + height > frame->getHeight())
        topLeft.y = std::max<CCoord>(0, topLeft.y - getHeight() - height);
    if (topLeft.x + width > frame->getWidth())
        topLeft.x = std::max<CCoord>(0, frame->getWidth() - width);
    auto* list = new OptionMenuList(CRect(topLeft, CPoint(width, height)), this);
    if (!frame->setModalView(list)) {
        list->forget();
        return false;
    }
    m_pPopup = list;
    invalid();
    return true;
}

void COptionMenu::popupClosed()
{
    m_pPopup = nullptr;
    invalid();
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    popup();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COptionMenu::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    if (!getMouseEnabled() || distance == 0 || m_Items.empty())
        return false;
    // Down moves to the next entry, skipping separators.
    const int32_t dir = distance > 0 ? -1 : 1;
    for (int32_t i = getCurrentIndex() + dir; i >= 0 && i < getNbEntries(); i += dir)
        if (!m_Items[i]->isSeparator() && m_Items[i]->isEnabled()) {
            choose(i);
            break;
        }
    return true;
}

}  // namespace VSTGUI
