#include "CTSRASwitchView.h"

using namespace VSTGUI;

CTSRASwitchView::CTSRASwitchView(const CRect& size) : CViewContainer(size) {}

void CTSRASwitchView::setCurrentViewIndex(int32_t nIndex)
{
    if (nIndex < 0 || static_cast<uint32_t>(nIndex) >= getNbViews())
        return;
    CView* pNew = getView(static_cast<uint32_t>(nIndex));
    CView* pOld = m_nCurrentIndex >= 0 ? getView(static_cast<uint32_t>(m_nCurrentIndex)) : nullptr;
    if (pNew == pOld)
        return;
    bool bDone = false;
    if (m_nAnimationTime > 0 && getFrame() && getFrame()->isOpen()) {
        Animation::Animator* pAnimator = getFrame()->getAnimator();
        if (pAnimator->hasAnimation(this, kAnimationName))
            pAnimator->removeAnimation(this, kAnimationName);
        if (isAttached()) {
            if (!pOld)
                pNew->setVisible(true);
            else
                pAnimator->addAnimation(this, kAnimationName, new CExchangeViewAnimation(pOld, pNew),
                                        new Animation::LinearTimingFunction(m_nAnimationTime));
            bDone = true;
        }
    }
    if (!bDone) {
        if (pOld)
            pOld->setVisible(false);
        pNew->setVisible(true);
        pNew->setAlphaValue(1.0f);
    }
    m_nCurrentIndex = nIndex;
    invalid();
}

CExchangeViewAnimation::CExchangeViewAnimation(CView* pOld, CView* pNew, int32_t nStyle)
    : m_pOld(pOld), m_pNew(pNew), m_nStyle(nStyle)
{
    m_pOld->remember();
    m_pNew->remember();
    m_OldRect = pOld->getViewSize();
    m_NewRect = pNew->getViewSize();
}

CExchangeViewAnimation::~CExchangeViewAnimation()
{
    m_pOld->forget();
    m_pNew->forget();
}

void CExchangeViewAnimation::animationStart(CView*, IdStringPtr)
{
    m_pNew->setVisible(true);
    m_fOldAlpha = m_pOld->getAlphaValue();
    if (m_nStyle == 0)
        m_pNew->setAlphaValue(0.0f);
}

void CExchangeViewAnimation::animationTick(CView*, IdStringPtr, float fPos)
{
    if (m_nStyle == 0) {
        m_pOld->setAlphaValue(m_fOldAlpha - m_fOldAlpha * fPos);
        m_pNew->setAlphaValue(fPos);
        return;
    }
    // Push-in: the new view slides in from one side while the old one moves out.
    const CCoord w = m_NewRect.getWidth(), h = m_NewRect.getHeight();
    CCoord dx = 0, dy = 0;
    switch (m_nStyle) {
    case 1: dx = -w; break;
    case 2: dx = w; break;
    case 3: dy = -h; break;
    default: dy = h; break;
    }
    const CCoord k = 1.0 - fPos;
    CRect n(m_NewRect), o(m_OldRect);
    n.offset(dx * k, dy * k);
    o.offset(-dx * fPos, -dy * fPos);
    m_pNew->setViewSize(n);
    m_pOld->setViewSize(o);
}

void CExchangeViewAnimation::animationFinished(CView* pView, IdStringPtr, bool)
{
    m_pOld->setVisible(false);
    if (m_nStyle != 0) {
        m_pOld->setViewSize(m_OldRect);
        m_pNew->setViewSize(m_NewRect);
    } else {
        m_pOld->setAlphaValue(0.0f);
    }
    m_pNew->invalid();
    if (pView)
        pView->invalid();
}
