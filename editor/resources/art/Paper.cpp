// The background: warm paper with faint grain and fibres, ink rules framing the sections, the
// printed scales round every knob (the knob frames carry only the knob) and service-panel
// imprints. 8-bit RGB, no alpha.
#include "Art.h"
#include "ArtKit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace art {
namespace {

constexpr int kW = 900;
constexpr int kH = 568;

struct Box {
    double x0, y0, x1, y1;
};

// Section frames; they follow the views of the "Editor" template.
const Box kTapeBay{16, 12, 439, 378};
const Box kAge{12, 384, 358, 552};
const Box kTone{362, 422, 568, 552};
const Box kMeters{444, 108, 568, 416};
const Box kWowFlutter{576, 110, 888, 364};
const Box kDropouts{576, 370, 796, 552};
const Box kNr{802, 370, 888, 552};

void paperGround(cairo_t* cr) {
    setRgb(cr, kPaper);
    cairo_paint(cr);
    // Low-frequency mottling: a coarse random grid, smoothly enlarged.
    Noise noise(0xB12D1Eu);
    const int gw = 31, gh = 21;
    cairo_surface_t* grid = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, gw, gh);
    cairo_surface_flush(grid);
    unsigned char* data = cairo_image_surface_get_data(grid);
    const int stride = cairo_image_surface_get_stride(grid);
    for (int y = 0; y < gh; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < gw; ++x) {
            const auto a = static_cast<uint32_t>(noise.next() * 14);  // premultiplied warm brown
            row[x] = (a << 24) | ((a * 0x6B / 255) << 16) | ((a * 0x55 / 255) << 8) | (a * 0x30 / 255);
        }
    }
    cairo_surface_mark_dirty(grid);
    cairo_save(cr);
    cairo_scale(cr, static_cast<double>(kW) / (gw - 1), static_cast<double>(kH) / (gh - 1));
    cairo_set_source_surface(cr, grid, -0.5, -0.5);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(grid);
    // Fibres.
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 260; ++i) {
        const double x = noise.next() * kW, y = noise.next() * kH;
        const double a = noise.next() * kPi, len = 4 + noise.next() * 14;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + std::cos(a) * len * 0.3, y + std::sin(a) * len * 0.3 + 1.5,
                       x + std::cos(a) * len * 0.7, y + std::sin(a) * len * 0.7 - 1.5,
                       x + std::cos(a) * len, y + std::sin(a) * len);
        setRgb(cr, noise.next() < 0.5 ? kOxide : kPencil, 0.06);
        cairo_stroke(cr);
    }
    // Edges browned by handling.
    cairo_pattern_t* edge = cairo_pattern_create_radial(kW / 2.0, kH / 2.0, kH * 0.45, kW / 2.0, kH / 2.0, kW * 0.62);
    cairo_pattern_add_color_stop_rgba(edge, 0, kOxide.r, kOxide.g, kOxide.b, 0.0);
    cairo_pattern_add_color_stop_rgba(edge, 1, kOxide.r, kOxide.g, kOxide.b, 0.10);
    cairo_set_source(cr, edge);
    cairo_paint(cr);
    cairo_pattern_destroy(edge);
}

// Fine grain: the same small offset on all three channels keeps the file small.
void grain(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    Noise noise(0x9A1Eu);
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < kW; ++x) {
            const int d = static_cast<int>(noise.next() * 5) - 2;
            uint32_t p = row[x];
            int c[3] = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                        static_cast<int>(p & 0xFF)};
            for (int& v : c) v = std::clamp(v + d, 0, 255);
            row[x] = (static_cast<uint32_t>(c[0]) << 16) | (static_cast<uint32_t>(c[1]) << 8) |
                     static_cast<uint32_t>(c[2]);
        }
    }
    cairo_surface_mark_dirty(surface);
}

void frame(cairo_t* cr, const Box& b) {
    roundRect(cr, b.x0 + 0.5, b.y0 + 0.5, b.x1 - b.x0, b.y1 - b.y0, 5);
    setRgb(cr, kInk, 0.85);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// Small caption in pencil capitals.
void caption(cairo_t* cr, const char* text, double cx, double y, double size = 10.5) {
    useFace(cr, size);
    setRgb(cr, kPencil);
    baselineText(cr, text, cx, y);
}

void knobScale(cairo_t* cr, const KnobSpot& k) {
    const bool small = k.size < 40;
    const int ticks = small ? 7 : 11;
    const double r0 = knobScaleInner(k.size), r1 = knobScaleOuter(k.size);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < ticks; ++i) {
        const double a = radians(kKnobAngleStart + kKnobAngleRange * i / (ticks - 1));
        const bool major = i == 0 || i == ticks - 1 || i == (ticks - 1) / 2;
        const double outer = major ? r1 : r0 + (r1 - r0) * 0.6;
        cairo_move_to(cr, k.cx + std::cos(a) * r0, k.cy + std::sin(a) * r0);
        cairo_line_to(cr, k.cx + std::cos(a) * outer, k.cy + std::sin(a) * outer);
        setRgb(cr, kInk, major ? 0.9 : 0.6);
        cairo_set_line_width(cr, major ? 1.6 : 1.1);
        cairo_stroke(cr);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    if (!small) {  // end marks of the range
        const double a0 = radians(kKnobAngleStart), a1 = radians(kKnobAngleStart + kKnobAngleRange);
        useFace(cr, 8.5);
        setRgb(cr, kPencil);
        centredText(cr, "0", k.cx + std::cos(a0) * (r1 + 2) - 3, k.cy + std::sin(a0) * (r1 + 2) + 3);
        centredText(cr, "10", k.cx + std::cos(a1) * (r1 + 2) + 4, k.cy + std::sin(a1) * (r1 + 2) + 3);
    }
}

void screw(cairo_t* cr, double x, double y, double turn) {
    cairo_arc(cr, x, y, 5, 0, 2 * kPi);
    setRgb(cr, {0.78, 0.77, 0.74});
    cairo_fill_preserve(cr);
    setRgb(cr, kInk, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, x + std::cos(turn) * 4, y + std::sin(turn) * 4);
    cairo_line_to(cr, x - std::cos(turn) * 4, y - std::sin(turn) * 4);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

}  // namespace

void drawPaper(const FaceLayout& layout, const std::string& dir) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kW, kH);
    cairo_t* cr = cairo_create(surface);
    paperGround(cr);
    grain(surface);

    for (const Box& b : {kTapeBay, kAge, kTone, kMeters, kWowFlutter, kDropouts, kNr}) {
        frame(cr, b);
    }
    // The bay's own heading sits above the cassettes; the other sections carry word images.
    caption(cr, "TAPE FORMULATION  \xE2\x80\x94  PRESS A CASSETTE TO LOAD", (kTapeBay.x0 + kTapeBay.x1) / 2, 46);
    cairo_rectangle(cr, 30, 52, 396, 1);
    setRgb(cr, kPencil, 0.6);
    cairo_fill(cr);
    caption(cr, "LFO", 720, 346);
    caption(cr, "\xE2\x97\x82", 700, 346);
    caption(cr, "\xE2\x96\xB8", 740, 346);
    caption(cr, "SIGNAL", (kTone.x0 + kTone.x1) / 2, 438, 9.5);

    for (const KnobSpot& k : layout.knobs) {
        knobScale(cr, k);
    }

    // Panel screws and the service imprint.
    screw(cr, 7, 7, 0.5);
    screw(cr, kW - 7, 7, 2.1);
    screw(cr, 7, kH - 7, 1.2);
    screw(cr, kW - 7, kH - 7, 2.7);
    useFace(cr, 8.5, false);
    setRgb(cr, kPencil, 0.9);
    baselineText(cr, "BRINDLEWARBLER SERVICE PANEL  \xC2\xB7  ALIGN AT 315 nWb/m  \xC2\xB7  DO NOT REMOVE", kW / 2.0, kH - 4);

    cairo_destroy(cr);
    writePng(surface, dir + "/paperback.png");
    cairo_surface_destroy(surface);
}

}  // namespace art
