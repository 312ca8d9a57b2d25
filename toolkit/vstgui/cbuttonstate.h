#pragma once
// Mouse buttons, modifier keys, mouse-event results and key codes.

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,  // the system key
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
};

class CButtonState
{
public:
    CButtonState(int32_t state = 0) : m_nState(state) {}  // NOLINT: implicit like VSTGUI's

    int32_t getButtonState() const { return m_nState & (kLButton | kMButton | kRButton | kButton4 | kButton5); }
    int32_t getModifierState() const { return m_nState & (kShift | kControl | kAlt | kApple); }
    // True for the left button alone.
    bool isLeftButton() const { return getButtonState() == kLButton; }
    bool isRightButton() const { return getButtonState() == kRButton; }
    bool isDoubleClick() const { return (m_nState & kDoubleClick) != 0; }

    operator int32_t() const { return m_nState; }
    int32_t operator&(int32_t mask) const { return m_nState & mask; }
    CButtonState& operator|=(int32_t mask)
    {
        m_nState |= mask;
        return *this;
    }
    bool operator==(const CButtonState& o) const { return m_nState == o.m_nState; }
    bool operator!=(const CButtonState& o) const { return m_nState != o.m_nState; }

private:
    int32_t m_nState;
};

enum CMouseEventResult {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseMoveEventHandledButDontNeedMoreEvents,
};

enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY };

enum VirtualKey : unsigned char {
    VKEY_BACK = 1,
    VKEY_TAB,
    VKEY_CLEAR,
    VKEY_RETURN,
    VKEY_PAUSE,
    VKEY_ESCAPE,
    VKEY_SPACE,
    VKEY_NEXT,
    VKEY_END,
    VKEY_HOME,
    VKEY_LEFT,
    VKEY_UP,
    VKEY_RIGHT,
    VKEY_DOWN,
    VKEY_PAGEUP,
    VKEY_PAGEDOWN,
    VKEY_SELECT,
    VKEY_PRINT,
    VKEY_ENTER,
    VKEY_SNAPSHOT,
    VKEY_INSERT,
    VKEY_DELETE,
    VKEY_HELP,
    VKEY_SHIFT = 54,
    VKEY_CONTROL,
    VKEY_ALT,
};

enum KeyModifier : unsigned char {
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3,
};

// A key event: character for printable keys, virt (VirtualKey) for the others.
struct VstKeyCode
{
    int32_t character = 0;
    unsigned char virt = 0;
    unsigned char modifier = 0;
};

}  // namespace VSTGUI
