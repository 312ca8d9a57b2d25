#pragma once
// A control that shows its value as text over a back colour or bitmap, with an optional frame.
// Base of the text label, text edit, option menu and XY pad.

#include "ccolor.h"
#include "ccontrol.h"
#include "cfont.h"

#include <functional>

namespace VSTGUI {

class CParamDisplay : public CControl
{
public:
    // Turns a value into text; return false to fall back to "%.*f" with the precision.
    using ValueToStringFunction = std::function<bool(float value, std::string& text, CParamDisplay* display)>;

    explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;

    virtual void setFont(CFontRef font);
    CFontRef getFont() const { return m_pFont; }
    void setFontColor(const CColor& c) { m_FontColor = c; setDirty(true); }
    CColor getFontColor() const { return m_FontColor; }
    void setBackColor(const CColor& c) { m_BackColor = c; setDirty(true); }
    CColor getBackColor() const { return m_BackColor; }
    void setFrameColor(const CColor& c) { m_FrameColor = c; setDirty(true); }
    CColor getFrameColor() const { return m_FrameColor; }
    void setShadowColor(const CColor& c) { m_ShadowColor = c; setDirty(true); }
    CColor getShadowColor() const { return m_ShadowColor; }
    void setFrameWidth(CCoord w) { m_fFrameWidth = w; setDirty(true); }
    CCoord getFrameWidth() const { return m_fFrameWidth; }
    void setRoundRectRadius(CCoord r) { m_fRoundRectRadius = r; setDirty(true); }
    CCoord getRoundRectRadius() const { return m_fRoundRectRadius; }
    void setHoriAlign(CHoriTxtAlign a) { m_HoriAlign = a; setDirty(true); }
    CHoriTxtAlign getHoriAlign() const { return m_HoriAlign; }
    void setTextInset(const CPoint& p) { m_TextInset = p; setDirty(true); }
    const CPoint& getTextInset() const { return m_TextInset; }
    void setAntialias(bool state) { m_bAntialias = state; }
    bool getAntialias() const { return m_bAntialias; }
    virtual void setStyle(int32_t style) { m_nStyle = style; setDirty(true); }
    int32_t getStyle() const { return m_nStyle; }
    void setPrecision(uint8_t precision) { m_nPrecision = std::min<uint8_t>(precision, 32); setDirty(true); }
    uint8_t getPrecision() const { return m_nPrecision; }
    void setValueToStringFunction(const ValueToStringFunction& fn) { m_ValueToString = fn; }

protected:
    virtual std::string getDisplayText();
    void drawBack(CDrawContext* context);
    void drawText(CDrawContext* context, const std::string& text, const CRect& rect);

    CFontRef m_pFont = nullptr;
    CColor m_FontColor = kWhiteCColor;
    CColor m_BackColor = kBlackCColor;
    CColor m_FrameColor = kBlackCColor;
    CColor m_ShadowColor = kRedCColor;
    CCoord m_fFrameWidth = 1;
    CCoord m_fRoundRectRadius = 6;
    CHoriTxtAlign m_HoriAlign = kCenterText;
    CPoint m_TextInset;
    bool m_bAntialias = true;
    int32_t m_nStyle;
    uint8_t m_nPrecision = 2;
    ValueToStringFunction m_ValueToString;
};

}  // namespace VSTGUI
