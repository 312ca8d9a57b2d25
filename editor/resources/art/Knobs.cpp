// Black ribbed bakelite knobs lit from the top left, a cream pointer line; 128 frames turn the
// pointer through 270 degrees from the lower left (value 0) over the top to the lower right.
#include "Art.h"
#include "ArtKit.h"

#include <cmath>

namespace art {
namespace {

struct KnobStyle {
    Rgb body;       // bakelite
    Rgb pointer;    // pointer line
    int ribs;       // grip ribs round the skirt
    bool capped;    // a brushed metal cap (the alternative style)
};

void drawKnobFrame(cairo_t* cr, double size, double value, const KnobStyle& s) {
    const double c = size / 2.0;
    const double r = knobBodyRadius(size);
    const double angle = radians(kKnobAngleStart + kKnobAngleRange * value);

    // Soft shadow falling to the lower right.
    for (int i = 4; i >= 1; --i) {
        cairo_arc(cr, c + size * 0.03, c + size * 0.045, r + i * size * 0.012, 0, 2 * kPi);
        setRgb(cr, kInk, 0.07);
        cairo_fill(cr);
    }

    // Skirt with ribs: the ribs turn with the knob, the light does not.
    cairo_arc(cr, c, c, r, 0, 2 * kPi);
    setRgb(cr, s.body);
    cairo_fill(cr);
    cairo_set_line_width(cr, std::max(1.0, size * 0.02));
    for (int i = 0; i < s.ribs; ++i) {
        const double a = angle + 2 * kPi * i / s.ribs;
        const double lit = 0.5 + 0.5 * std::cos(a - radians(225.0));  // facing the top-left lamp
        cairo_move_to(cr, c + std::cos(a) * r * 0.80, c + std::sin(a) * r * 0.80);
        cairo_line_to(cr, c + std::cos(a) * r * 0.98, c + std::sin(a) * r * 0.98);
        setRgb(cr, mix(s.body, {0.75, 0.75, 0.72}, 0.15 + 0.45 * lit));
        cairo_stroke(cr);
    }
    // Rim highlight and shade.
    cairo_pattern_t* rim = cairo_pattern_create_linear(c - r, c - r, c + r, c + r);
    cairo_pattern_add_color_stop_rgba(rim, 0.0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(rim, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(rim, 1.0, 0, 0, 0, 0.45);
    cairo_arc(cr, c, c, r - 0.5, 0, 2 * kPi);
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, std::max(1.0, size * 0.025));
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);

    // Domed top.
    const double top = r * 0.74;
    cairo_pattern_t* dome = cairo_pattern_create_radial(c - top * 0.4, c - top * 0.45, top * 0.05, c, c, top);
    if (s.capped) {
        cairo_pattern_add_color_stop_rgb(dome, 0.0, 0.95, 0.94, 0.90);
        cairo_pattern_add_color_stop_rgb(dome, 0.6, 0.70, 0.69, 0.66);
        cairo_pattern_add_color_stop_rgb(dome, 1.0, 0.45, 0.44, 0.42);
    } else {
        const Rgb hi = mix(s.body, {1, 1, 1}, 0.32);
        cairo_pattern_add_color_stop_rgb(dome, 0.0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(dome, 0.55, s.body.r * 1.4, s.body.g * 1.4, s.body.b * 1.4);
        cairo_pattern_add_color_stop_rgb(dome, 1.0, s.body.r * 0.6, s.body.g * 0.6, s.body.b * 0.6);
    }
    cairo_arc(cr, c, c, top, 0, 2 * kPi);
    cairo_set_source(cr, dome);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(dome);
    setRgb(cr, kInk, 0.6);
    cairo_set_line_width(cr, std::max(0.8, size * 0.012));
    cairo_stroke(cr);

    // Pointer: a cream line from near the centre to the skirt's edge, with a dark outline.
    const double x0 = c + std::cos(angle) * r * 0.22, y0 = c + std::sin(angle) * r * 0.22;
    const double x1 = c + std::cos(angle) * r * 0.95, y1 = c + std::sin(angle) * r * 0.95;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    setRgb(cr, kInk, 0.8);
    cairo_set_line_width(cr, std::max(2.6, size * 0.075));
    cairo_stroke(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    setRgb(cr, s.pointer);
    cairo_set_line_width(cr, std::max(1.6, size * 0.045));
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void drawKnobStrip(const std::string& path, int size, int frames, const KnobStyle& style) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size * frames);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < frames; ++i) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, i * size, size, size);
        cairo_clip(cr);
        cairo_translate(cr, 0, i * size);
        drawKnobFrame(cr, size, static_cast<double>(i) / (frames - 1), style);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    writePng(surface, path);
    cairo_surface_destroy(surface);
}

}  // namespace

void drawKnobs(const std::string& dir) {
    const KnobStyle bakelite{{0.10, 0.10, 0.10}, kCream, 24, false};
    drawKnobStrip(dir + "/kbon1.png", 80, 128, bakelite);
    drawKnobStrip(dir + "/kbon1small.png", 30, 128, {{0.10, 0.10, 0.10}, kCream, 14, false});
    // Styles the template does not use, kept for other layouts.
    drawKnobStrip(dir + "/knobv1.png", 80, 101, {{0.30, 0.17, 0.11}, kInk, 30, true});
    drawKnobStrip(dir + "/knobvst.png", 42, 80, {{0.16, 0.18, 0.21}, kCream, 18, false});
}

}  // namespace art
