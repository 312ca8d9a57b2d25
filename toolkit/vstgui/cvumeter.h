#pragma once
// A level meter of nbLed segments: the "on" bitmap shows the lit part and the "off" bitmap the
// rest. The shown value falls by at most the decrease step per draw, so peaks decay.

#include "ccontrol.h"

namespace VSTGUI {

class CVuMeter : public CControl
{
public:
    CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed, int32_t style = kVertical);
    ~CVuMeter() override;

    void draw(CDrawContext* context) override;
    void setViewSize(const CRect& rect, bool invalid = true) override;

    virtual void setDecreaseStepValue(float value) { m_fDecreaseValue = value; }
    float getDecreaseStepValue() const { return m_fDecreaseValue; }
    virtual void setNbLed(int32_t nbLed) { m_nNbLed = nbLed; }
    int32_t getNbLed() const { return m_nNbLed; }
    virtual void setOnBitmap(CBitmap* bitmap) { setBackground(bitmap); }
    CBitmap* getOnBitmap() const { return getBackground(); }
    virtual void setOffBitmap(CBitmap* bitmap);
    CBitmap* getOffBitmap() const { return m_pOffBitmap; }
    virtual void setStyle(int32_t style) { m_nStyle = style; }
    int32_t getStyle() const { return m_nStyle; }

protected:
    CBitmap* m_pOffBitmap = nullptr;
    int32_t m_nNbLed;
    int32_t m_nStyle;
    float m_fDecreaseValue = 0.1f;
    CRect m_RectOn;
    CRect m_RectOff;
};

}  // namespace VSTGUI
