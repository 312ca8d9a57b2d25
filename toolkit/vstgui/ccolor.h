#pragma once
// 8-bit RGBA colour and the standard colours.

#include <cstdint>

namespace VSTGUI {

struct CColor
{
    uint8_t red = 255;
    uint8_t green = 255;
    uint8_t blue = 255;
    uint8_t alpha = 255;

    constexpr CColor() = default;
    constexpr CColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) : red(r), green(g), blue(b), alpha(a) {}

    constexpr bool operator==(const CColor& o) const
    {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    constexpr bool operator!=(const CColor& o) const { return !(*this == o); }
    double normRed() const { return red / 255.0; }
    double normGreen() const { return green / 255.0; }
    double normBlue() const { return blue / 255.0; }
    double normAlpha() const { return alpha / 255.0; }
};

constexpr CColor MakeCColor(uint8_t r = 0, uint8_t g = 0, uint8_t b = 0, uint8_t a = 255) { return {r, g, b, a}; }

extern const CColor kTransparentCColor;
extern const CColor kBlackCColor;
extern const CColor kWhiteCColor;
extern const CColor kGreyCColor;
extern const CColor kRedCColor;
extern const CColor kGreenCColor;
extern const CColor kBlueCColor;
extern const CColor kYellowCColor;
extern const CColor kCyanCColor;
extern const CColor kMagentaCColor;

}  // namespace VSTGUI
