#pragma once
// A row (or column) of labelled segments of which one is selected. The value is the index of
// the selected segment (min 0, max = number of segments - 1).

#include "ccolor.h"
#include "ccontrol.h"
#include "cdrawcontext.h"
#include "cfont.h"

#include <vector>

namespace VSTGUI {

class CSegmentButton : public CControl
{
public:
    enum class Style { kHorizontal, kVertical };
    struct Segment
    {
        UTF8String name;
        CBitmap* icon = nullptr;  // not drawn; kept for callers that set it
    };
    static constexpr uint32_t kPushBack = ~0u;

    explicit CSegmentButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1);
    ~CSegmentButton() override;

    void addSegment(const Segment& segment, uint32_t index = kPushBack);
    void removeSegment(uint32_t index);
    void removeAllSegments();
    uint32_t getNumSegments() const { return static_cast<uint32_t>(m_Segments.size()); }
    const Segment* getSegment(uint32_t index) const { return index < m_Segments.size() ? &m_Segments[index] : nullptr; }
    void setSelectedSegment(uint32_t index);
    uint32_t getSelectedSegment() const;

    void setStyle(Style style) { m_Style = style; setDirty(true); }
    Style getStyle() const { return m_Style; }
    void setTextColor(const CColor& c) { m_TextColor = c; setDirty(true); }
    CColor getTextColor() const { return m_TextColor; }
    void setTextColorHighlighted(const CColor& c) { m_TextColorHighlighted = c; setDirty(true); }
    CColor getTextColorHighlighted() const { return m_TextColorHighlighted; }
    void setGradient(CGradient* gradient);
    CGradient* getGradient() const { return m_pGradient; }
    void setGradientHighlighted(CGradient* gradient);
    CGradient* getGradientHighlighted() const { return m_pGradientHighlighted; }
    void setFrameColor(const CColor& c) { m_FrameColor = c; setDirty(true); }
    CColor getFrameColor() const { return m_FrameColor; }
    void setFrameWidth(CCoord w) { m_fFrameWidth = w; setDirty(true); }
    CCoord getFrameWidth() const { return m_fFrameWidth; }
    void setRoundRadius(CCoord r) { m_fRoundRadius = r; setDirty(true); }
    CCoord getRoundRadius() const { return m_fRoundRadius; }
    void setTextAlignment(CHoriTxtAlign a) { m_TextAlignment = a; setDirty(true); }
    CHoriTxtAlign getTextAlignment() const { return m_TextAlignment; }
    void setFont(CFontRef font);
    CFontRef getFont() const { return m_pFont; }

    void setValue(float val) override;
    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

    // The segment's rectangle (parent coordinates).
    CRect getSegmentRect(uint32_t index) const;

protected:
    void select(uint32_t index);
    void updateRange();

    std::vector<Segment> m_Segments;
    Style m_Style = Style::kHorizontal;
    CColor m_TextColor = kBlackCColor;
    CColor m_TextColorHighlighted = kWhiteCColor;
    CGradient* m_pGradient = nullptr;
    CGradient* m_pGradientHighlighted = nullptr;
    CColor m_FrameColor = kBlackCColor;
    CCoord m_fFrameWidth = 1;
    CCoord m_fRoundRadius = 5;
    CHoriTxtAlign m_TextAlignment = kCenterText;
    CFontRef m_pFont = nullptr;
};

}  // namespace VSTGUI
