#pragma once
// The editor's level meter: segments (on/off bitmaps split at the level) or an analogue
// needle drawn as one frame of a strip, fed through an envelope follower with meter
// ballistics. The timer sets the value 20 times a second; every draw lets the shown value
// fall by at most the decrease step. Threading: GUI thread.

#include "vstgui/vstgui.h"

#include "CMeterFollower.h"

class CVuMeterWP : public VSTGUI::CVuMeter {
public:
    CVuMeterWP(const VSTGUI::CRect& size, VSTGUI::CBitmap* pOnBitmap, VSTGUI::CBitmap* pOffBitmap, int32_t nNbLed,
               int32_t nStyle);

    void draw(VSTGUI::CDrawContext* pContext) override;
    void setViewSize(const VSTGUI::CRect& rect, bool bInvalid = true) override;

    // Analogue form: H is the height of one strip frame, Z the inverted meter's scale.
    void setAnalog(bool bAnalog, double fFrameHeightH, double fScaleZ, double fFrameCount);
    void setInverted(bool bInverted) { m_bInverted = bInverted; }
    bool isAnalog() const { return m_bAnalog; }
    bool isInverted() const { return m_bInverted; }
    double frameHeight() const { return m_fFrameHeightH; }
    double scaleZ() const { return m_fScaleZ; }
    double frameCount() const { return m_fFrameCount; }
    CMeterFollower& follower() { return m_Follower; }

    // Strip offset of the frame shown for a follower output e (analogue form); -1 for none.
    int32_t analogOffsetFor(float fLevel) const;
    // The level last drawn (after the follower).
    float shownLevel() const { return m_fShownLevel; }

private:
    void drawSegments(VSTGUI::CDrawContext* pContext, float fLevel);

    VSTGUI::CRect m_RectOnWP;
    VSTGUI::CRect m_RectOffWP;
    bool m_bInverted = false;
    bool m_bAnalog = false;
    double m_fFrameHeightH = 65.0;
    double m_fScaleZ = 52.0;
    double m_fFrameCount = 80.0;
    CMeterFollower m_Follower;
    float m_fShownLevel = 0.0f;
};
