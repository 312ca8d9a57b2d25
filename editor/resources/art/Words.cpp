// The printed words: bold condensed ink on a transparent ground, each centred in its image.
#include "Art.h"
#include "ArtKit.h"

#include <algorithm>

namespace art {
namespace {

struct Word {
    const char* file;
    int w, h;
    const char* text;
    double size;  // preferred pixel size; shrunk if the word would not fit
};

// Section heads are larger than the names under the knobs.
const Word kWords[] = {
    {"wow", 78, 30, "Wow", 24},
    {"flutter", 113, 36, "Flutter", 24},
    {"dropouts", 115, 32, "Dropouts", 24},
    {"age", 162, 36, "Age", 24},
    {"depth", 75, 26, "Depth", 17},
    {"rate", 55, 26, "Rate", 17},
    {"hiss", 117, 26, "Hiss", 17},
    {"saturation", 117, 26, "Saturation", 17},
    {"intensity", 114, 26, "Intensity", 17},
    {"nr", 117, 26, "NR", 17},
    {"comp", 117, 26, "Comp", 17},
    {"in", 45, 20, "In", 14},
    {"out", 45, 20, "Out", 14},
    {"filtering", 128, 36, "Filtering", 24},
};

void drawWord(const std::string& dir, const Word& word) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, word.w, word.h);
    cairo_t* cr = cairo_create(surface);
    double size = word.size;
    useFace(cr, size);
    while (textWidth(cr, word.text) > word.w - 6 && size > 8) {
        size -= 0.5;
        useFace(cr, size);
    }
    setRgb(cr, kInk);
    // Baseline placed so that capitals sit centred; descenders may hang below.
    baselineText(cr, word.text, word.w / 2.0, word.h / 2.0 + size * 0.36);
    cairo_destroy(cr);
    writePng(surface, dir + "/" + word.file + ".png");
    cairo_surface_destroy(surface);
}

void drawTitle(const std::string& dir) {
    const int w = 400, h = 78;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    useFace(cr, 46);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "BrindleWarbler", &e);
    const double x = (w - e.x_advance) / 2, base = 44;
    cairo_move_to(cr, x, base);
    setRgb(cr, kInk);
    cairo_show_text(cr, "Brindle");
    cairo_text_extents_t b;
    cairo_text_extents(cr, "Brindle", &b);
    cairo_move_to(cr, x + b.x_advance, base);
    setRgb(cr, kOxide);
    cairo_show_text(cr, "Warbler");
    // Rule and the model line, as on a service plate.
    cairo_rectangle(cr, x, base + 8, e.x_advance, 2);
    setRgb(cr, kInk);
    cairo_fill(cr);
    useFace(cr, 12, false);
    setRgb(cr, kPencil);
    baselineText(cr, "TAPE WOW  \xC2\xB7  FLUTTER  \xC2\xB7  WEAR   \xE2\x80\x94   MODEL BW-1", w / 2.0, base + 26);
    cairo_destroy(cr);
    writePng(surface, dir + "/title.png");
    cairo_surface_destroy(surface);
}

}  // namespace

void drawWords(const std::string& dir) {
    for (const Word& word : kWords) {
        drawWord(dir, word);
    }
    drawTitle(dir);
}

}  // namespace art
