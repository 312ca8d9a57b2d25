// The small switches: the LFO shape selector (sine | random), the NR compander toggle and the
// mono/stereo dropout button. Each frame shows a clearly different state.
#include "Art.h"
#include "ArtKit.h"

#include <cmath>

namespace art {
namespace {

cairo_surface_t* strip(int w, int h, int frames) {
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h * frames);
}

void finish(cairo_surface_t* surface, cairo_t* cr, const std::string& path) {
    cairo_destroy(cr);
    writePng(surface, path);
    cairo_surface_destroy(surface);
}

// Two halves of a rocker: the chosen half is pressed in (dark, cream glyph).
void drawLfoFrame(cairo_t* cr, int chosen) {
    const double w = 80, h = 24;
    roundRect(cr, 0.75, 0.75, w - 1.5, h - 1.5, 5);
    setRgb(cr, kCream);
    cairo_fill_preserve(cr);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_save(cr);
    roundRect(cr, 1.5, 1.5, w - 3, h - 3, 4);
    cairo_clip(cr);
    cairo_rectangle(cr, chosen * w / 2, 0, w / 2, h);
    setRgb(cr, kInk);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_move_to(cr, w / 2, 1);
    cairo_line_to(cr, w / 2, h - 1);
    setRgb(cr, kInk);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Sine glyph on the left half.
    for (int i = 0; i <= 40; ++i) {
        const double x = 8 + 24.0 * i / 40, y = h / 2 - 6 * std::sin(2 * kPi * i / 40);
        if (i == 0) cairo_move_to(cr, x, y); else cairo_line_to(cr, x, y);
    }
    setRgb(cr, chosen == 0 ? kCream : kInk);
    cairo_stroke(cr);
    // Random (sample-and-hold) glyph on the right half.
    const double steps[6] = {0.2, -0.6, 0.7, -0.1, 0.5, -0.7};
    for (int i = 0; i < 6; ++i) {
        const double x = 48 + 4.0 * i, y = h / 2 - 7 * steps[i];
        if (i == 0) cairo_move_to(cr, x, y); else cairo_line_to(cr, x, y);
        cairo_line_to(cr, x + 4, y);
    }
    setRgb(cr, chosen == 1 ? kCream : kInk);
    cairo_stroke(cr);
}

// A toggle lever on a plate with a lamp: off has the lever down and the lamp dark.
void drawToggleFrame(cairo_t* cr, bool on) {
    const double cx = 40, cy = 44;
    roundRect(cr, 14, 10, 52, 64, 6);
    setRgb(cr, kInk, 0.25);
    cairo_fill(cr);
    roundRect(cr, 12, 8, 52, 64, 6);
    cairo_pattern_t* plate = cairo_pattern_create_linear(12, 8, 64, 72);
    cairo_pattern_add_color_stop_rgb(plate, 0, 0.86, 0.85, 0.82);
    cairo_pattern_add_color_stop_rgb(plate, 1, 0.62, 0.61, 0.58);
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // ON / OFF marks on the plate.
    useFace(cr, 9);
    setRgb(cr, on ? kInk : kPencil);
    centredText(cr, "ON", 24, 18);
    setRgb(cr, on ? kPencil : kInk);
    centredText(cr, "OFF", 23, 64);
    // Lamp.
    cairo_arc(cr, 53, 17, 4.5, 0, 2 * kPi);
    setRgb(cr, on ? kWarnRed : mix(kWarnRed, kInk, 0.7));
    cairo_fill_preserve(cr);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (on) {
        cairo_arc(cr, 52, 16, 1.5, 0, 2 * kPi);
        setRgb(cr, {1, 0.9, 0.85});
        cairo_fill(cr);
    }
    // Bushing nut.
    cairo_arc(cr, cx, cy, 9, 0, 2 * kPi);
    setRgb(cr, {0.72, 0.72, 0.70});
    cairo_fill_preserve(cr);
    setRgb(cr, kInk);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 4, 0, 2 * kPi);
    setRgb(cr, kInk);
    cairo_fill(cr);
    // Lever, seen from the front: up for on, down for off.
    const double tipY = on ? cy - 26 : cy + 26;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, tipY);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - 1, cy);
    cairo_line_to(cr, cx - 1, tipY);
    setRgb(cr, {0.85, 0.85, 0.83});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, tipY, 6, 0, 2 * kPi);
    setRgb(cr, kInk);
    cairo_fill(cr);
    cairo_arc(cr, cx - 2, tipY - 2, 2, 0, 2 * kPi);
    setRgb(cr, {1, 1, 1}, 0.5);
    cairo_fill(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// A round push button: out and cream for mono, pressed and dark with two channels for stereo.
void drawStereoFrame(cairo_t* cr, bool stereo) {
    const double c = 25, r = 19;
    cairo_arc(cr, c + 1.5, c + 2, r + 1, 0, 2 * kPi);
    setRgb(cr, kInk, stereo ? 0.15 : 0.3);
    cairo_fill(cr);
    cairo_arc(cr, c, c, r + 1.5, 0, 2 * kPi);
    setRgb(cr, kInk);
    cairo_fill(cr);
    cairo_pattern_t* cap = cairo_pattern_create_radial(c - 6, c - 7, 2, c, c, r);
    if (stereo) {
        cairo_pattern_add_color_stop_rgb(cap, 0, 0.35, 0.35, 0.34);
        cairo_pattern_add_color_stop_rgb(cap, 1, 0.10, 0.10, 0.10);
    } else {
        cairo_pattern_add_color_stop_rgb(cap, 0, 1.0, 0.99, 0.95);
        cairo_pattern_add_color_stop_rgb(cap, 1, 0.80, 0.78, 0.72);
    }
    cairo_arc(cr, c, c, stereo ? r - 1.5 : r, 0, 2 * kPi);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    useFace(cr, stereo ? 9 : 10.5);
    setRgb(cr, stereo ? kCream : kInk);
    centredText(cr, stereo ? "STEREO" : "MONO", c, c + 1);
    // One dot for a shared dropout, two for one per channel.
    setRgb(cr, stereo ? kLamp : kPencil);
    if (stereo) {
        cairo_arc(cr, c - 4, c - 9, 2, 0, 2 * kPi);
        cairo_new_sub_path(cr);
        cairo_arc(cr, c + 4, c - 9, 2, 0, 2 * kPi);
    } else {
        cairo_arc(cr, c, c - 9, 2, 0, 2 * kPi);
    }
    cairo_fill(cr);
}

}  // namespace

void drawSmallSwitches(const std::string& dir) {
    {
        cairo_surface_t* s = strip(80, 24, 2);
        cairo_t* cr = cairo_create(s);
        for (int i = 0; i < 2; ++i) {
            cairo_save(cr);
            cairo_translate(cr, 0, 24 * i);
            drawLfoFrame(cr, i);
            cairo_restore(cr);
        }
        finish(s, cr, dir + "/sineselect.png");
    }
    {
        cairo_surface_t* s = strip(80, 80, 2);
        cairo_t* cr = cairo_create(s);
        for (int i = 0; i < 2; ++i) {
            cairo_save(cr);
            cairo_translate(cr, 0, 80 * i);
            drawToggleFrame(cr, i == 1);
            cairo_restore(cr);
        }
        finish(s, cr, dir + "/drawnswitch.png");
    }
    {
        cairo_surface_t* s = strip(50, 50, 2);
        cairo_t* cr = cairo_create(s);
        for (int i = 0; i < 2; ++i) {
            cairo_save(cr);
            cairo_translate(cr, 0, 50 * i);
            drawStereoFrame(cr, i == 1);
            cairo_restore(cr);
        }
        finish(s, cr, dir + "/stereobutton.png");
    }
}

}  // namespace art
