// A fader back and handle that no view of the template uses, kept for other layouts.
#include "Art.h"
#include "ArtKit.h"

namespace art {

void drawFaders(const std::string& dir) {
    {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 126);
        cairo_t* cr = cairo_create(surface);
        for (int i = 0; i <= 10; ++i) {  // scale ticks either side of the slot
            const double y = 8 + 11.0 * i;
            cairo_rectangle(cr, 2, y, i % 5 == 0 ? 6 : 4, 1);
            cairo_rectangle(cr, i % 5 == 0 ? 16 : 18, y, i % 5 == 0 ? 6 : 4, 1);
        }
        setRgb(cr, kPencil);
        cairo_fill(cr);
        roundRect(cr, 9, 4, 6, 118, 3);
        setRgb(cr, kInk);
        cairo_fill(cr);
        cairo_destroy(cr);
        writePng(surface, dir + "/faderback.png");
        cairo_surface_destroy(surface);
    }
    {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 38);
        cairo_t* cr = cairo_create(surface);
        cairo_pattern_t* cap = cairo_pattern_create_linear(0, 0, 24, 0);
        cairo_pattern_add_color_stop_rgb(cap, 0.0, 0.33, 0.33, 0.32);
        cairo_pattern_add_color_stop_rgb(cap, 0.5, 0.12, 0.12, 0.12);
        cairo_pattern_add_color_stop_rgb(cap, 1.0, 0.05, 0.05, 0.05);
        roundRect(cr, 1, 1, 22, 36, 4);
        cairo_set_source(cr, cap);
        cairo_fill(cr);
        cairo_pattern_destroy(cap);
        cairo_rectangle(cr, 3, 17.5, 18, 3);
        setRgb(cr, kCream);
        cairo_fill(cr);
        cairo_destroy(cr);
        writePng(surface, dir + "/faderhandle.png");
        cairo_surface_destroy(surface);
    }
}

}  // namespace art
