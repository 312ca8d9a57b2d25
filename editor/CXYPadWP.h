#pragma once
// A two-axis pad whose axes belong to two controls (X and Y tags). In joystick mode it draws
// the diamond through the middles of its edges and accepts positions only inside it.
// The value packs both axes (CXYPad::calculateValue). Threading: GUI thread.

#include "vstgui/vstgui.h"

class CXYPadWP : public VSTGUI::CXYPad {
public:
    static constexpr int32_t kDefaultXTag = 32773;
    static constexpr int32_t kDefaultYTag = 32774;

    explicit CXYPadWP(const VSTGUI::CRect& size);

    void draw(VSTGUI::CDrawContext* pContext) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    void setValue(float fValue) override;

    // True inside (or on) the diamond through (0, .5), (.5, 0), (1, .5), (.5, 1).
    static bool insideDiamond(float x, float y);

    bool isDragging() const { return m_bDragging; }
    void setAxisTags(int32_t nX, int32_t nY) { m_nXTag = nX; m_nYTag = nY; }
    int32_t getXTag() const { return m_nXTag; }
    int32_t getYTag() const { return m_nYTag; }
    void setJoystickMode(bool bState) { m_bJoystickMode = bState; }
    bool getJoystickMode() const { return m_bJoystickMode; }
    void setCentreOnSync(bool bState) { m_bCentreOnSync = bState; }
    bool getCentreOnSync() const { return m_bCentreOnSync; }

private:
    bool trackJoystick(const VSTGUI::CPoint& where);

    bool m_bDragging = false;
    int32_t m_nXTag = kDefaultXTag;
    int32_t m_nYTag = kDefaultYTag;
    bool m_bJoystickMode = false;
    bool m_bCentreOnSync = false;
    float m_fAreaX[4] = {0.0f, 0.5f, 1.0f, 0.5f};
    float m_fAreaY[4] = {0.5f, 0.0f, 0.5f, 1.0f};
    float m_fLastX = 0.0f;
    float m_fLastY = 0.0f;
};
