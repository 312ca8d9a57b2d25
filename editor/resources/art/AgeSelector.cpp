// The age selector: a groove with a fader handle resting at one of five stops, one per fifth of
// the view (the switch picks by horizontal position). The right edge stays clear because the
// hiss knob sits just beside it.
#include "Art.h"
#include "ArtKit.h"

namespace art {
namespace {

const char* const kStops[5] = {"byp", "usedish", "used", "wornish", "worn"};
constexpr double kGrooveY = 50.0;

// Stops sit inside their fifths but lean left, away from the hiss knob.
double stopX(int i) { return 36.0 + 75.0 * i; }

void drawAge(cairo_t* cr, int chosen) {
    // Stop names above the groove; the chosen one in ink, the others in pencil.
    for (int i = 0; i < 5; ++i) {
        useFace(cr, 14);
        setRgb(cr, i == chosen ? kInk : kPencil, i == chosen ? 1.0 : 0.85);
        baselineText(cr, kStops[i], stopX(i), 20);
        // Stop ticks under the groove, growing with wear.
        cairo_rectangle(cr, stopX(i) - 1, kGrooveY + 16, 2, 6 + 2 * i);
        setRgb(cr, i == 4 ? kWarnRed : kInk, 0.85);
        cairo_fill(cr);
    }
    // A wedge under the ticks: more age to the right.
    cairo_move_to(cr, stopX(0), kGrooveY + 36);
    cairo_line_to(cr, stopX(4), kGrooveY + 30);
    cairo_line_to(cr, stopX(4), kGrooveY + 38);
    cairo_close_path(cr);
    setRgb(cr, kPencil, 0.6);
    cairo_fill(cr);
    // The groove.
    roundRect(cr, stopX(0) - 8, kGrooveY - 4, stopX(4) - stopX(0) + 16, 8, 4);
    setRgb(cr, kInk);
    cairo_fill(cr);
    roundRect(cr, stopX(0) - 6, kGrooveY - 1, stopX(4) - stopX(0) + 12, 2, 1);
    setRgb(cr, {0.45, 0.45, 0.44});
    cairo_fill(cr);
    // Handle: a bakelite cap with a cream index line, shadow to the lower right.
    const double hx = stopX(chosen), hw = 22, hh = 30;
    roundRect(cr, hx - hw / 2 + 2, kGrooveY - hh / 2 + 3, hw, hh, 4);
    setRgb(cr, kInk, 0.3);
    cairo_fill(cr);
    cairo_pattern_t* cap = cairo_pattern_create_linear(hx - hw / 2, 0, hx + hw / 2, 0);
    cairo_pattern_add_color_stop_rgb(cap, 0.0, 0.33, 0.33, 0.32);
    cairo_pattern_add_color_stop_rgb(cap, 0.45, 0.12, 0.12, 0.12);
    cairo_pattern_add_color_stop_rgb(cap, 1.0, 0.05, 0.05, 0.05);
    roundRect(cr, hx - hw / 2, kGrooveY - hh / 2, hw, hh, 4);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    for (double dy : {-9.0, -5.0, 5.0, 9.0}) {  // grip ridges
        cairo_rectangle(cr, hx - hw / 2 + 3, kGrooveY + dy, hw - 6, 1);
        setRgb(cr, {0.5, 0.5, 0.48}, 0.7);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, hx - hw / 2 + 2, kGrooveY - 1.5, hw - 4, 3);
    setRgb(cr, kCream);
    cairo_fill(cr);
}

}  // namespace

void drawAgeSelector(const std::string& dir) {
    const int w = 390, h = 100;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h * 5);
    cairo_t* cr = cairo_create(surface);
    for (int chosen = 0; chosen < 5; ++chosen) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, chosen * h, w, h);
        cairo_clip(cr);
        cairo_translate(cr, 0, chosen * h);
        drawAge(cr, chosen);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    writePng(surface, dir + "/ageslider.png");
    cairo_surface_destroy(surface);
}

}  // namespace art
