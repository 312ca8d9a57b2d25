#pragma once
// Shared palette and drawing helpers of the artwork program. Everything is drawn with cairo at
// the exact pixel sizes the editor's description declares; frames of a strip stack downwards.

#include <cairo.h>

#include <cstdint>
#include <string>

namespace art {

struct Rgb {
    double r, g, b;
};

// The service-panel palette.
constexpr Rgb kInk{0x22 / 255.0, 0x22 / 255.0, 0x22 / 255.0};
constexpr Rgb kPencil{0x64 / 255.0, 0x64 / 255.0, 0x64 / 255.0};
constexpr Rgb kCream{0xFF / 255.0, 0xFD / 255.0, 0xF2 / 255.0};
constexpr Rgb kPaper{0xF7 / 255.0, 0xF5 / 255.0, 0xEE / 255.0};
constexpr Rgb kOxide{0x6B / 255.0, 0x3E / 255.0, 0x26 / 255.0};
constexpr Rgb kChrome{0x4A / 255.0, 0x5A / 255.0, 0x6A / 255.0};
constexpr Rgb kMetal{0xB8 / 255.0, 0x96 / 255.0, 0x2E / 255.0};
constexpr Rgb kWarnRed{0xB0 / 255.0, 0x3A / 255.0, 0x2E / 255.0};
constexpr Rgb kLamp{0xF2 / 255.0, 0xA6 / 255.0, 0x2B / 255.0};

constexpr double kPi = 3.14159265358979323846;

// Degrees on screen (y downwards, clockwise) to radians.
inline double radians(double degrees) { return degrees * kPi / 180.0; }

void setRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
Rgb mix(Rgb a, Rgb b, double t);

// Rounded rectangle path.
void roundRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// The bold condensed face every printed word uses; size in pixels.
void useFace(cairo_t* cr, double size, bool bold = true);

// Text centred on (cx, cy) by its ink extents (so caps and descenders sit visually centred).
void centredText(cairo_t* cr, const std::string& text, double cx, double cy);
// Text centred horizontally on cx with its baseline at y.
void baselineText(cairo_t* cr, const std::string& text, double cx, double y);
double textWidth(cairo_t* cr, const std::string& text);

// Deterministic noise so a redraw gives the same bytes.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_uState(seed) {}
    double next();  // uniform 0 ... 1
private:
    uint32_t m_uState;
};

// Writes the surface as PNG; throws on failure.
void writePng(cairo_surface_t* surface, const std::string& path);

}  // namespace art
