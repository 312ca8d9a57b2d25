#pragma once
// The editor's rotary knob: a frame strip (CAnimKnob) that can rest only on the items of a
// list control (switch mode), with Alt as the reset key and Control as the fine key when the
// alternate modifiers are on. Mouse tracking is the toolkit knob's. Threading: GUI thread.

#include "vstgui/vstgui.h"

class CKnobWP : public VSTGUI::CAnimKnob {
public:
    CKnobWP(const VSTGUI::CRect& size, VSTGUI::IControlListener* pListener, int32_t nTag, int32_t nSubPixmaps,
            VSTGUI::CCoord fHeightOfOneImage, VSTGUI::CBitmap* pBackground, const VSTGUI::CPoint& offset);

    void draw(VSTGUI::CDrawContext* pContext) override;
    int32_t getZoomModifier() const override;
    int32_t getDefaultValueModifier() const override;

    void setSwitchMode(bool bState) { m_bSwitchMode = bState; }
    bool getSwitchMode() const { return m_bSwitchMode; }
    // Number of steps between the first and the last item (items - 1).
    void setSwitchSteps(float fSteps) { m_fSwitchSteps = fSteps; }
    float getSwitchSteps() const { return m_fSwitchSteps; }
    void setAltModifiers(bool bState) { m_bAltModifiers = bState; }
    bool getAltModifiers() const { return m_bAltModifiers; }

    // Vertical offset into the strip of the frame shown for a value (0..1).
    int32_t stripOffsetFor(float fValue) const;

private:
    bool m_bSwitchMode = false;
    bool m_bAltModifiers = false;
    float m_fSwitchSteps = 1.0f;
};
