#pragma once
// The editor's sliders: the toolkit's vertical and horizontal sliders, which can rest only on
// the items of a list control (switch mode) and take Alt to reset and Control for fine moves
// when the alternate modifiers are on. Threading: GUI thread.

#include "vstgui/vstgui.h"

#include "SwitchSteps.h"

template <class TBase>
class TSliderWP : public TBase {
public:
    TSliderWP(const VSTGUI::CRect& size, VSTGUI::IControlListener* pListener, int32_t nTag,
              const VSTGUI::CPoint& offsetHandle, int32_t nRangeHandle, VSTGUI::CBitmap* pHandle,
              VSTGUI::CBitmap* pBackground, const VSTGUI::CPoint& offset, int32_t nStyle)
        : TBase(size, pListener, nTag, offsetHandle, nRangeHandle, pHandle, pBackground, offset, nStyle)
    {
    }

    void draw(VSTGUI::CDrawContext* pContext) override
    {
        if (m_bSwitchMode)
            this->m_fValue = tsraSnapToStep(this->m_fValue, m_fSwitchSteps);
        TBase::draw(pContext);
    }
    int32_t getZoomModifier() const override { return m_bAltModifiers ? VSTGUI::kControl : TBase::getZoomModifier(); }
    int32_t getDefaultValueModifier() const override
    {
        return m_bAltModifiers ? VSTGUI::kAlt : TBase::getDefaultValueModifier();
    }

    void setSwitchMode(bool bState) { m_bSwitchMode = bState; }
    bool getSwitchMode() const { return m_bSwitchMode; }
    void setSwitchSteps(float fSteps) { m_fSwitchSteps = fSteps; }
    float getSwitchSteps() const { return m_fSwitchSteps; }
    void setAltModifiers(bool bState) { m_bAltModifiers = bState; }
    bool getAltModifiers() const { return m_bAltModifiers; }

private:
    bool m_bSwitchMode = false;
    float m_fSwitchSteps = 1.0f;
    bool m_bAltModifiers = false;
};

using CVerticalSliderWP = TSliderWP<VSTGUI::CVerticalSlider>;
using CHorizontalSliderWP = TSliderWP<VSTGUI::CHorizontalSlider>;
