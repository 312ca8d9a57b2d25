#pragma once
// Font descriptions and the standard fonts.

#include "cgeometry.h"
#include "vstguibase.h"

namespace VSTGUI {

enum CTxtFace : int32_t {
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
    kStrikethroughFace = 1 << 4,
};

enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

class CFontDesc : public CBaseObject
{
public:
    CFontDesc(const UTF8String& name = "", const CCoord& size = 0, int32_t style = 0)
        : m_Name(name), m_fSize(size), m_nStyle(style)
    {
    }
    const UTF8String& getName() const { return m_Name; }
    CCoord getSize() const { return m_fSize; }
    int32_t getStyle() const { return m_nStyle; }
    void setName(const UTF8String& name) { m_Name = name; }
    void setSize(CCoord size) { m_fSize = size; }
    void setStyle(int32_t style) { m_nStyle = style; }

private:
    UTF8String m_Name;
    CCoord m_fSize;
    int32_t m_nStyle;
};

using CFontRef = CFontDesc*;

// Static descriptions owned by the toolkit; views may remember and forget them.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

// Frees cairo's and fontconfig's process-wide font caches, so that leak checkers see a clean
// exit. Call once at the very end (e.g. after all tests); no text may be drawn afterwards.
void releaseFontCaches();

}  // namespace VSTGUI
