#pragma once
// Drawing on a cairo surface: colours, lines, rectangles, ellipses, arcs, polygons, bitmaps and
// text, with a clip rectangle, a translation stack and a global alpha.
//
// Ownership: the context references the surface it draws on (cairo's own reference counting).
// Threading: GUI thread; one context per paint.

#include "ccolor.h"
#include "cfont.h"
#include "cgeometry.h"
#include "vstguibase.h"

#include <map>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {

class CBitmap;

enum CDrawStyle { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };
enum CDrawModeFlags { kAliasing = 0, kAntiAliasing = 1 };
using CDrawMode = int32_t;

class CLineStyle
{
public:
    enum LineCap { kLineCapButt = 0, kLineCapRound, kLineCapSquare };
    enum LineJoin { kLineJoinMiter = 0, kLineJoinRound, kLineJoinBevel };
    CLineStyle(LineCap cap = kLineCapButt, LineJoin join = kLineJoinMiter, std::vector<CCoord> dashes = {})
        : m_Cap(cap), m_Join(join), m_Dashes(std::move(dashes))
    {
    }
    LineCap getLineCap() const { return m_Cap; }
    LineJoin getLineJoin() const { return m_Join; }
    const std::vector<CCoord>& getDashLengths() const { return m_Dashes; }

private:
    LineCap m_Cap;
    LineJoin m_Join;
    std::vector<CCoord> m_Dashes;
};
extern const CLineStyle kLineSolid;
extern const CLineStyle kLineOnOffDash;

// Colour stops from 0 to 1.
class CGradient : public CBaseObject
{
public:
    using ColorStopMap = std::multimap<double, CColor>;
    static CGradient* create(const ColorStopMap& stops) { return new CGradient(stops); }
    static CGradient* create(double start1, double start2, const CColor& c1, const CColor& c2)
    {
        return new CGradient({{start1, c1}, {start2, c2}});
    }
    void addColorStop(double start, const CColor& color) { m_Stops.emplace(start, color); }
    const ColorStopMap& getColorStops() const { return m_Stops; }

private:
    explicit CGradient(ColorStopMap stops) : m_Stops(std::move(stops)) {}
    ColorStopMap m_Stops;
};

// Translation applied to drawing, as VSTGUI's graphics transform (translation only).
struct CGraphicsTransform
{
    CCoord dx = 0;
    CCoord dy = 0;
    CGraphicsTransform& translate(CCoord x, CCoord y)
    {
        dx += x;
        dy += y;
        return *this;
    }
};

class CDrawContext : public CBaseObject
{
public:
    explicit CDrawContext(cairo_surface_t* surface);
    ~CDrawContext() override;

    // Scoped translation; restores the previous state (clip included) on destruction.
    class Transform
    {
    public:
        Transform(CDrawContext& context, const CGraphicsTransform& t);
        ~Transform();
        Transform(const Transform&) = delete;
        Transform& operator=(const Transform&) = delete;

    private:
        CDrawContext& m_Context;
    };

    void setFillColor(const CColor& color) { m_State.fillColor = color; }
    CColor getFillColor() const { return m_State.fillColor; }
    void setFrameColor(const CColor& color) { m_State.frameColor = color; }
    CColor getFrameColor() const { return m_State.frameColor; }
    void setFontColor(const CColor& color) { m_State.fontColor = color; }
    CColor getFontColor() const { return m_State.fontColor; }
    void setLineWidth(CCoord width) { m_State.lineWidth = width; }
    CCoord getLineWidth() const { return m_State.lineWidth; }
    void setLineStyle(const CLineStyle& style) { m_State.lineStyle = style; }
    const CLineStyle& getLineStyle() const { return m_State.lineStyle; }
    void setDrawMode(CDrawMode mode) { m_State.drawMode = mode; }
    CDrawMode getDrawMode() const { return m_State.drawMode; }
    // size 0 keeps the font's size; style -1 keeps its style.
    void setFont(const CFontRef font, const CCoord& size = 0, int32_t style = -1);
    // The current font; valid until the next call.
    CFontRef getFont() const;

    // Clip rectangle in current (translated) coordinates; replaces the previous clip.
    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    void resetClipRect();

    void setGlobalAlpha(float alpha) { m_State.globalAlpha = alpha; }
    float getGlobalAlpha() const { return m_State.globalAlpha; }
    void saveGlobalState();
    void restoreGlobalState();
    CPoint getOffset() const { return m_State.offset; }

    void drawLine(const CPoint& start, const CPoint& end);
    void moveTo(const CPoint& p) { m_PenPos = p; }
    void lineTo(const CPoint& p)
    {
        drawLine(m_PenPos, p);
        m_PenPos = p;
    }
    void drawLines(const std::vector<std::pair<CPoint, CPoint>>& lines);
    void drawPolygon(const std::vector<CPoint>& points, CDrawStyle style = kDrawStroked);
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawRoundRect(const CRect& rect, CCoord radius, CDrawStyle style = kDrawStroked);
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
    // Angles in degrees, clockwise from the positive x axis.
    void drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style = kDrawStroked);
    void drawPoint(const CPoint& p, const CColor& color);
    void clearRect(const CRect& rect);
    void fillRectWithGradient(const CRect& rect, const CGradient& gradient, bool vertical = true);

    // Draws the bitmap part that starts at offset into dest (clipped to dest).
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0), float alpha = 1.f);
    // Tiles srcRect of the bitmap over dest.
    void fillRectWithBitmap(CBitmap* bitmap, const CRect& srcRect, const CRect& dest, float alpha = 1.f);

    void drawString(UTF8StringPtr string, const CRect& rect, CHoriTxtAlign align = kCenterText, bool antialias = true);
    void drawString(UTF8StringPtr string, const CPoint& baseline, bool antialias = true);
    CCoord getStringWidth(UTF8StringPtr string);

    // Blits part of a cairo surface (what CBitmap::draw uses): surface point offset lands on
    // dest's top-left corner; nothing is drawn outside dest.
    void drawSurface(cairo_surface_t* surface, const CRect& dest, const CPoint& offset, float alpha);

    cairo_t* getCairo() const { return m_pCairo; }

private:
    struct State
    {
        CColor fillColor = kWhiteCColor;
        CColor frameColor = kBlackCColor;
        CColor fontColor = kBlackCColor;
        CCoord lineWidth = 1;
        CLineStyle lineStyle;
        CDrawMode drawMode = kAliasing;
        UTF8String fontName = "Sans";
        CCoord fontSize = 12;
        int32_t fontStyle = 0;
        float globalAlpha = 1.f;
        CRect clip;  // device coordinates
        CPoint offset;
    };
    void pushState();
    void popState();
    void setSource(const CColor& color);
    void applyStroke();
    void finishPath(CDrawStyle style);
    void selectFont();
    CCoord pixelAlign() const;

    cairo_t* m_pCairo;
    State m_State;
    std::vector<State> m_Stack;
    CPoint m_PenPos;
    mutable CFontDesc m_FontView;
};

}  // namespace VSTGUI
