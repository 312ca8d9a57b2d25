// The level meters: an edgewise meter whose black needle stands at one of nine stops on a cream
// face, the printed dB scale that sits between the two meters, and two round needle meters that
// the template does not use.
#include "Art.h"
#include "ArtKit.h"

#include <cmath>
#include <cstdio>

namespace art {
namespace {

// Stop k reads -60 + 7.5 k dB (the editor shows floor(8 e) of a 60 dB log display).
const char* stopLabel(int k) {
    static const char* labels[kMeterFrames] = {"-60", "", "-45", "", "-30", "", "-15", "", "0"};
    return labels[k];
}

void drawEdgewiseFace(cairo_t* cr, int stop) {
    const double x = 3, y = 4, w = 24, h = 233;
    // Bezel.
    roundRect(cr, x - 2, y - 2, w + 4, h + 4, 5);
    setRgb(cr, kInk);
    cairo_fill(cr);
    // Face: cream, slightly warmer at the bottom where the lamp sits.
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(face, 0.0, kCream.r, kCream.g, kCream.b);
    cairo_pattern_add_color_stop_rgb(face, 1.0, 0.99, 0.94, 0.80);
    roundRect(cr, x, y, w, h, 3);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Red zone behind the top two stops.
    cairo_rectangle(cr, x, meterStopY(8) - 8, w, meterStopY(7) - meterStopY(8) + 8);
    setRgb(cr, kWarnRed, 0.22);
    cairo_fill(cr);
    // Faint stop marks on the face itself.
    cairo_set_line_width(cr, 1);
    for (int k = 0; k < kMeterFrames; ++k) {
        const double sy = std::floor(meterStopY(k)) + 0.5;
        cairo_move_to(cr, x, sy);
        cairo_line_to(cr, x + 4, sy);
        cairo_move_to(cr, x + w - 4, sy);
        cairo_line_to(cr, x + w, sy);
        setRgb(cr, k >= 7 ? kWarnRed : kPencil, 0.8);
        cairo_stroke(cr);
    }
    // Needle: black bar with a pointed tip toward each side and its shadow.
    const double ny = meterStopY(stop);
    cairo_rectangle(cr, x + 1, ny + 1, w - 2, 2);
    setRgb(cr, kInk, 0.18);
    cairo_fill(cr);
    cairo_move_to(cr, x - 1, ny);
    cairo_line_to(cr, x + 5, ny - 3);
    cairo_line_to(cr, x + w - 5, ny - 3);
    cairo_line_to(cr, x + w + 1, ny);
    cairo_line_to(cr, x + w - 5, ny + 3);
    cairo_line_to(cr, x + 5, ny + 3);
    cairo_close_path(cr);
    setRgb(cr, {0.05, 0.05, 0.05});
    cairo_fill(cr);
    // Glass: a soft reflection down the left side.
    cairo_pattern_t* glass = cairo_pattern_create_linear(x, 0, x + w, 0);
    cairo_pattern_add_color_stop_rgba(glass, 0.0, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(glass, 0.2, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(glass, 0.4, 1, 1, 1, 0.0);
    roundRect(cr, x, y, w, h, 3);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    // Inner shadow under the bezel's top edge.
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + 10);
    cairo_pattern_add_color_stop_rgba(shade, 0.0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(shade, 1.0, 0, 0, 0, 0.0);
    cairo_rectangle(cr, x, y, w, 10);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

void drawEdgewiseStrip(const std::string& path) {
    const int w = 30;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, kMeterFrameHeight * kMeterFrames);
    cairo_t* cr = cairo_create(surface);
    for (int k = 0; k < kMeterFrames; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 0, k * kMeterFrameHeight);
        drawEdgewiseFace(cr, k);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    writePng(surface, path);
    cairo_surface_destroy(surface);
}

// The scale printed between the two meters: ticks toward both faces, the dB figures between.
void drawScale(const std::string& path) {
    const int w = 27;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, kMeterFrameHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_line_width(cr, 1);
    for (int k = 0; k < kMeterFrames; ++k) {
        const double y = std::floor(meterStopY(k)) + 0.5;
        const bool major = stopLabel(k)[0] != '\0';
        const double len = major ? 4 : 3;
        setRgb(cr, k >= 7 ? kWarnRed : kInk);
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, len, y);
        cairo_move_to(cr, w - len, y);
        cairo_line_to(cr, w, y);
        cairo_stroke(cr);
        if (major) {
            useFace(cr, 8.5);
            centredText(cr, stopLabel(k), w / 2.0, y);
        }
    }
    // Red zone bars on both edges.
    cairo_rectangle(cr, 0, meterStopY(8) - 6, 2, meterStopY(7) - meterStopY(8) + 6);
    cairo_rectangle(cr, w - 2, meterStopY(8) - 6, 2, meterStopY(7) - meterStopY(8) + 6);
    setRgb(cr, kWarnRed);
    cairo_fill(cr);
    useFace(cr, 8);
    setRgb(cr, kPencil);
    centredText(cr, "dB", w / 2.0, 6);
    // Which face is which channel.
    useFace(cr, 9);
    setRgb(cr, kInk);
    centredText(cr, "L", 5, 245);
    centredText(cr, "R", w - 5, 245);
    cairo_destroy(cr);
    writePng(surface, path);
    cairo_surface_destroy(surface);
}

// A round needle meter: frames sweep the needle from -50 to +40 degrees.
void drawRoundMeter(cairo_t* cr, double w, double h, double value, bool pencilDrawn) {
    const double cx = w / 2, cy = h * 0.92, r = std::min(w * 0.46, h * 0.78);
    roundRect(cr, 2, 2, w - 4, h - 4, 6);
    setRgb(cr, kCream);
    cairo_fill_preserve(cr);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, pencilDrawn ? 1.4 : 2);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i <= 10; ++i) {
        const double a = radians(-90 - 50 + 90.0 * i / 10);
        setRgb(cr, i >= 8 ? kWarnRed : (pencilDrawn ? kPencil : kInk));
        cairo_move_to(cr, cx + std::cos(a) * r * 0.80, cy + std::sin(a) * r * 0.80);
        cairo_line_to(cr, cx + std::cos(a) * r * (i % 5 == 0 ? 0.95 : 0.90), cy + std::sin(a) * r * (i % 5 == 0 ? 0.95 : 0.90));
        cairo_stroke(cr);
    }
    useFace(cr, std::max(8.0, h * 0.12));
    setRgb(cr, kPencil);
    centredText(cr, "VU", cx, cy - r * 0.45);
    const double a = radians(-90 - 50 + 90.0 * value);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.97, cy + std::sin(a) * r * 0.97);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 4, 0, 2 * kPi);
    cairo_fill(cr);
}

void drawRoundStrip(const std::string& path, int w, int h, int frames, bool pencilDrawn) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h * frames);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < frames; ++i) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, i * h, w, h);
        cairo_clip(cr);
        cairo_translate(cr, 0, i * h);
        drawRoundMeter(cr, w, h, static_cast<double>(i) / (frames - 1), pencilDrawn);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    writePng(surface, path);
    cairo_surface_destroy(surface);
}

}  // namespace

void drawMeters(const std::string& dir) {
    drawEdgewiseStrip(dir + "/verticalvu.png");
    drawScale(dir + "/vumeternotches.png");
    drawRoundStrip(dir + "/vumeterv1.png", 128, 100, 9, false);
    drawRoundStrip(dir + "/handdrawnvu.png", 133, 133, 31, true);
}

}  // namespace art
