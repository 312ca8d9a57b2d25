#pragma once
// A container that shows one of its child pages at a time, chosen by a control (the switch
// tag); changing the page cross-fades old into new over the animation time.
// Ownership: owns its pages like any container. Threading: GUI thread.

#include "vstgui/vstgui.h"

class CTSRASwitchView : public VSTGUI::CViewContainer {
public:
    static constexpr const char* kAnimationName = "CTSRASwitchView::setCurrentViewIndex";

    explicit CTSRASwitchView(const VSTGUI::CRect& size);

    // Shows page index (an index not below the page count is ignored).
    void setCurrentViewIndex(int32_t nIndex);
    int32_t getCurrentViewIndex() const { return m_nCurrentIndex; }
    void setAnimationTime(uint32_t uMs) { m_nAnimationTime = uMs; }
    uint32_t getAnimationTime() const { return m_nAnimationTime; }
    void setSwitchTag(int32_t nTag) { m_nSwitchTag = nTag; }
    int32_t getSwitchTag() const { return m_nSwitchTag; }

private:
    uint32_t m_nAnimationTime = 120;
    int32_t m_nCurrentIndex = -1;
    int32_t m_nSwitchTag = -1;
};

// Cross-fade (style 0) or push-in (1..4: from the left, right, top, bottom) of two views.
class CExchangeViewAnimation : public VSTGUI::Animation::IAnimationTarget {
public:
    CExchangeViewAnimation(VSTGUI::CView* pOld, VSTGUI::CView* pNew, int32_t nStyle = 0);
    ~CExchangeViewAnimation() override;
    void animationStart(VSTGUI::CView* pView, VSTGUI::IdStringPtr name) override;
    void animationTick(VSTGUI::CView* pView, VSTGUI::IdStringPtr name, float fPos) override;
    void animationFinished(VSTGUI::CView* pView, VSTGUI::IdStringPtr name, bool bWasCanceled) override;

private:
    VSTGUI::CView* m_pOld;
    VSTGUI::CView* m_pNew;
    int32_t m_nStyle;
    float m_fOldAlpha = 1.0f;
    VSTGUI::CRect m_OldRect;
    VSTGUI::CRect m_NewRect;
};
