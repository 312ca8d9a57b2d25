#pragma once
// A menu button: shows the current entry's title; a click pops up the list of entries inside
// the frame (as the frame's modal view), and choosing one sets the value to its index.
//
// The value is the index of the current entry (min 0, max = number of entries - 1).
// Ownership: the menu owns its items.

#include "cparamdisplay.h"

#include <vector>

namespace VSTGUI {

class CMenuItem : public CBaseObject
{
public:
    enum Flags : int32_t { kNoFlags = 0, kDisabled = 1 << 0, kChecked = 1 << 1, kSeparator = 1 << 2, kTitle = 1 << 3 };
    explicit CMenuItem(const UTF8String& title, int32_t flags = kNoFlags) : m_Title(title), m_nFlags(flags) {}

    const UTF8String& getTitle() const { return m_Title; }
    void setTitle(const UTF8String& title) { m_Title = title; }
    bool isEnabled() const { return !(m_nFlags & kDisabled); }
    void setEnabled(bool state) { m_nFlags = state ? (m_nFlags & ~kDisabled) : (m_nFlags | kDisabled); }
    bool isChecked() const { return (m_nFlags & kChecked) != 0; }
    void setChecked(bool state) { m_nFlags = state ? (m_nFlags | kChecked) : (m_nFlags & ~kChecked); }
    bool isSeparator() const { return (m_nFlags & kSeparator) != 0; }
    bool isTitle() const { return (m_nFlags & kTitle) != 0; }

private:
    UTF8String m_Title;
    int32_t m_nFlags;
};

class COptionMenu : public CParamDisplay
{
public:
    COptionMenu(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background = nullptr,
                CBitmap* bgWhenClick = nullptr, int32_t style = 0);
    COptionMenu();
    ~COptionMenu() override;

    // A title "-" makes a separator. index -1 appends. Returns the new item (owned by the menu).
    CMenuItem* addEntry(UTF8StringPtr title, int32_t index = -1, int32_t itemFlags = CMenuItem::kNoFlags);
    // Takes over the caller's reference to item.
    CMenuItem* addEntry(CMenuItem* item, int32_t index = -1);
    CMenuItem* addSeparator(int32_t index = -1);
    bool removeEntry(int32_t index);
    bool removeAllEntry();
    int32_t getNbEntries() const { return static_cast<int32_t>(m_Items.size()); }
    CMenuItem* getEntry(int32_t index) const;
    CMenuItem* getCurrent() const { return getEntry(getCurrentIndex()); }
    int32_t getCurrentIndex(bool countSeparator = true) const;
    bool setCurrent(int32_t index, bool countSeparator = true);
    bool checkEntry(int32_t index, bool state);

    void setValue(float val) override;
    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CParamDisplay::onWheel;

    // Opens the entry list over the frame; false when the menu is not in an open frame.
    bool popup();
    bool isPopupOpen() const { return m_pPopup != nullptr; }
    // Chooses an entry as a click in the list would (reports one edit).
    void choose(int32_t index);

    // Called by the popup list.
    void popupClosed();

protected:
    std::string getDisplayText() override;
    void updateRange();

    std::vector<CMenuItem*> m_Items;
    CBitmap* m_pBgWhenClick = nullptr;
    CView* m_pPopup = nullptr;
};

}  // namespace VSTGUI
