#include "cfont.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

namespace VSTGUI {
namespace {
// Static storage, so that a module unloaded with dlclose leaves nothing behind. The extra
// reference keeps views that remember and forget them from ever deleting them.
struct StaticFont : CFontDesc
{
    StaticFont(const char* name, CCoord size) : CFontDesc(name, size) { remember(); }
};
StaticFont s_SystemFont("Sans", 12);
StaticFont s_VeryBig("Sans", 18);
StaticFont s_Big("Sans", 14);
StaticFont s_Normal("Sans", 12);
StaticFont s_Small("Sans", 11);
StaticFont s_Smaller("Sans", 10);
StaticFont s_VerySmall("Sans", 9);
StaticFont s_Symbol("Symbol", 12);
}  // namespace

const CFontRef kSystemFont = &s_SystemFont;
const CFontRef kNormalFontVeryBig = &s_VeryBig;
const CFontRef kNormalFontBig = &s_Big;
const CFontRef kNormalFont = &s_Normal;
const CFontRef kNormalFontSmall = &s_Small;
const CFontRef kNormalFontSmaller = &s_Smaller;
const CFontRef kNormalFontVerySmall = &s_VerySmall;
const CFontRef kSymbolFont = &s_Symbol;

}  // namespace VSTGUI

namespace VSTGUI {

void releaseFontCaches()
{
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace VSTGUI
