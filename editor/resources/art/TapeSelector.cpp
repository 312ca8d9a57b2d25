// The tape bay: four cassette shells standing side by side, one per quarter of the view (the
// switch picks by horizontal position). The chosen shell is lit and its lamp glows; the others
// are printed faintly on the paper.
#include "Art.h"
#include "ArtKit.h"

#include <cmath>

namespace art {
namespace {

struct TapeKind {
    const char* numeral;
    const char* word;
    Rgb colour;
    Rgb shell;
};

const TapeKind kKinds[4] = {
    {"I", "NORMAL", kOxide, {0.16, 0.15, 0.14}},
    {"II", "CHROME", kChrome, {0.20, 0.22, 0.25}},
    {"IV", "METAL", kMetal, {0.12, 0.12, 0.12}},
    {"BYPASS", "", kPencil, {0.55, 0.55, 0.53}},
};

constexpr double kColumn = 103.0;   // 412 / 4
constexpr double kShellW = 86.0;
constexpr double kShellH = 200.0;
constexpr double kShellTop = 44.0;

void drawReel(cairo_t* cr, double cx, double cy, double radius, double tape, bool lit) {
    // Wound tape.
    cairo_arc(cr, cx, cy, tape, 0, 2 * kPi);
    setRgb(cr, {0.24, 0.16, 0.11}, lit ? 1.0 : 0.5);
    cairo_fill(cr);
    // Hub with six teeth.
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    setRgb(cr, kCream, lit ? 1.0 : 0.8);
    cairo_fill(cr);
    setRgb(cr, kInk, lit ? 0.9 : 0.5);
    cairo_set_line_width(cr, 1);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = 2 * kPi * i / 6;
        cairo_move_to(cr, cx + std::cos(a) * radius * 0.45, cy + std::sin(a) * radius * 0.45);
        cairo_line_to(cr, cx + std::cos(a) * radius * 0.85, cy + std::sin(a) * radius * 0.85);
    }
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// One upright shell whose label runs across it, centred on cx.
void drawShell(cairo_t* cr, double cx, const TapeKind& kind, bool lit) {
    const double x = cx - kShellW / 2, y = kShellTop + (lit ? 0 : 6);
    const double a = lit ? 1.0 : 0.45;
    if (lit) {  // shadow on the paper
        roundRect(cr, x + 4, y + 5, kShellW, kShellH, 7);
        setRgb(cr, kInk, 0.25);
        cairo_fill(cr);
    }
    roundRect(cr, x, y, kShellW, kShellH, 7);
    setRgb(cr, lit ? kind.shell : mix(kind.shell, kPaper, 0.55));
    cairo_fill_preserve(cr);
    setRgb(cr, kInk, a);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Screw heads.
    for (double sx : {x + 8, x + kShellW - 8}) {
        for (double sy : {y + 8, y + kShellH - 8}) {
            cairo_arc(cr, sx, sy, 2.2, 0, 2 * kPi);
            setRgb(cr, {0.7, 0.7, 0.68}, a);
            cairo_fill(cr);
        }
    }
    // Paper label.
    const double lx = x + 9, ly = y + 14, lw = kShellW - 18, lh = kShellH - 40;
    cairo_rectangle(cr, lx, ly, lw, lh);
    setRgb(cr, lit ? kCream : mix(kCream, kPaper, 0.4));
    cairo_fill(cr);
    // Colour band carrying the type.
    cairo_rectangle(cr, lx, ly + 8, lw, 44);
    setRgb(cr, kind.colour, lit ? 1.0 : 0.5);
    cairo_fill(cr);
    const bool bypass = kind.numeral[1] == 'Y';
    setRgb(cr, kCream, lit ? 1.0 : 0.85);
    useFace(cr, bypass ? 17 : 32);
    centredText(cr, kind.numeral, cx, ly + 30);
    setRgb(cr, kInk, lit ? 1.0 : 0.45);
    useFace(cr, 14);
    centredText(cr, kind.word, cx, ly + 64);
    // Window with the two reels, stacked because the shell stands on its side.
    const double wy = ly + 78, wh = lh - 86;
    roundRect(cr, lx + 10, wy, lw - 20, wh, 4);
    setRgb(cr, {0.12, 0.11, 0.10}, lit ? 0.95 : 0.35);
    cairo_fill(cr);
    if (!bypass) {
        drawReel(cr, cx, wy + wh * 0.27, 7, 15, lit);
        drawReel(cr, cx, wy + wh * 0.73, 7, 11, lit);
    } else {  // a head-cleaning cassette: felt pad, no tape
        cairo_rectangle(cr, cx - 6, wy + 8, 12, wh - 16);
        setRgb(cr, {0.9, 0.9, 0.88}, lit ? 0.9 : 0.4);
        cairo_fill(cr);
    }
    // Ruled lines of the label.
    setRgb(cr, kPencil, lit ? 0.5 : 0.25);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, lx + 4, ly + 74.5);
    cairo_line_to(cr, lx + lw - 4, ly + 74.5);
    cairo_stroke(cr);
    // Head opening at the bottom edge.
    cairo_move_to(cr, x + 14, y + kShellH);
    cairo_line_to(cr, x + 20, y + kShellH - 16);
    cairo_line_to(cr, x + kShellW - 20, y + kShellH - 16);
    cairo_line_to(cr, x + kShellW - 14, y + kShellH);
    setRgb(cr, lit ? mix(kind.shell, kInk, 0.5) : mix(kind.shell, kPaper, 0.4));
    cairo_fill(cr);
}

void drawLamp(cairo_t* cr, double cx, double cy, bool lit) {
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 2, cx, cy, 16);
        cairo_pattern_add_color_stop_rgba(glow, 0, kLamp.r, kLamp.g, kLamp.b, 0.55);
        cairo_pattern_add_color_stop_rgba(glow, 1, kLamp.r, kLamp.g, kLamp.b, 0.0);
        cairo_arc(cr, cx, cy, 16, 0, 2 * kPi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    cairo_arc(cr, cx, cy, 6, 0, 2 * kPi);
    setRgb(cr, lit ? kLamp : mix(kLamp, kInk, 0.75));
    cairo_fill_preserve(cr);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_arc(cr, cx - 2, cy - 2, 1.8, 0, 2 * kPi);
    setRgb(cr, {1, 1, 1}, lit ? 0.8 : 0.25);
    cairo_fill(cr);
}

void drawBay(cairo_t* cr, int chosen) {
    for (int i = 0; i < 4; ++i) {
        const double cx = kColumn * i + kColumn / 2;
        drawShell(cr, cx, kKinds[i], i == chosen);
        drawLamp(cr, cx, 276, i == chosen);
        // Key caption under each lamp.
        useFace(cr, 13);
        setRgb(cr, kInk, i == chosen ? 1.0 : 0.6);
        centredText(cr, i == 3 ? "BYPASS" : (std::string("TYPE ") + kKinds[i].numeral), cx, 302);
    }
    // The chosen column is underlined like a pressed key.
    const double cx = kColumn * chosen + kColumn / 2;
    cairo_rectangle(cr, cx - 30, 314, 60, 3);
    setRgb(cr, kInk);
    cairo_fill(cr);
}

}  // namespace

void drawTapeSelector(const std::string& dir) {
    const int w = 412, h = 350;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h * 4);
    cairo_t* cr = cairo_create(surface);
    for (int chosen = 0; chosen < 4; ++chosen) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, chosen * h, w, h);
        cairo_clip(cr);
        cairo_translate(cr, 0, chosen * h);
        drawBay(cr, chosen);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    writePng(surface, dir + "/typeselectfull.png");
    cairo_surface_destroy(surface);
}

}  // namespace art
