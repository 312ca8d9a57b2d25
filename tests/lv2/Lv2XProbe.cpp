// bw_lv2_xprobe: what the jalv test needs from the X server, as a person at the screen would
// use it.
//   top TITLE              the top-level window titled TITLE...; prints its id
//   find TITLE             the 900 x 568 window inside the top-level window titled TITLE...
//                          (our editor embedded by a host); prints its id
//   compare WIN PNG LIMIT  mean difference of the window's pixels and a PNG, 0..255 per
//                          channel; exit 0 when at most LIMIT
//   drag WIN X Y DX DY     a left-button press at (X, Y) of the window, moved by (DX, DY), released
//   save WIN PNG           the window's pixels as a PNG
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The first window under w (w included) that matches, the outermost first or, for a size,
// the deepest: a host's own wrappers around ours may have it too.
Window find(Display* d, Window w, const std::function<bool(Window)>& matches, bool bDeepest)
{
    if (!bDeepest && matches(w))
        return w;
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned int n = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n))
        for (unsigned int i = 0; i < n && !found; ++i)
            found = find(d, children[i], matches, bDeepest);
    if (children)
        XFree(children);
    return found || !bDeepest || !matches(w) ? found : w;
}

Window findTitled(Display* d, const char* pTitle)
{
    return find(d, DefaultRootWindow(d), [&](Window w) {
        char* pName = nullptr;
        const bool bMatch = XFetchName(d, w, &pName) && pName && std::strstr(pName, pTitle);
        if (pName)
            XFree(pName);
        return bMatch;
    }, false);
}

// The window's pixels as a cairo image (RGB24); null when it cannot be read.
cairo_surface_t* grab(Display* d, Window w)
{
    XWindowAttributes a;
    XImage* image = XGetWindowAttributes(d, w, &a) ? XGetImage(d, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap) : nullptr;
    if (!image)
        return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, a.width, a.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s))[x] =
                uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF;
    cairo_surface_mark_dirty(s);
    XDestroyImage(image);
    return s;
}

int compare(Display* d, Window w, const char* pPng, double dLimit)
{
    cairo_surface_t* pShown = grab(d, w);
    cairo_surface_t* pWant = cairo_image_surface_create_from_png(pPng);
    if (!pShown || cairo_surface_status(pWant) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot read the window or %s\n", pPng);
        return 2;
    }
    const int width = cairo_image_surface_get_width(pShown), height = cairo_image_surface_get_height(pShown);
    if (width != cairo_image_surface_get_width(pWant) || height != cairo_image_surface_get_height(pWant)) {
        std::fprintf(stderr, "sizes differ: window %dx%d, picture %dx%d\n", width, height, cairo_image_surface_get_width(pWant),
                     cairo_image_surface_get_height(pWant));
        return 1;
    }
    double dSum = 0;
    for (int y = 0; y < height; ++y) {
        const auto* a = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(pShown) + y * cairo_image_surface_get_stride(pShown));
        const auto* b = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(pWant) + y * cairo_image_surface_get_stride(pWant));
        for (int x = 0; x < width; ++x)
            for (int shift : {0, 8, 16})
                dSum += std::abs(int((a[x] >> shift) & 0xFF) - int((b[x] >> shift) & 0xFF));
    }
    const double dMean = dSum / (3.0 * width * height);
    std::printf("mean difference %.3f (limit %.3f)\n", dMean, dLimit);
    cairo_surface_destroy(pShown);
    cairo_surface_destroy(pWant);
    return dMean <= dLimit ? 0 : 1;
}

void drag(Display* d, Window w, int x, int y, int dx, int dy)
{
    int rx = 0, ry = 0;
    Window unused = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), x, y, &rx, &ry, &unused);
    XTestFakeMotionEvent(d, -1, rx, ry, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    for (int step = 1; step <= 10; ++step) {
        XFlush(d);
        pause(40);
        XTestFakeMotionEvent(d, -1, rx + dx * step / 10, ry + dy * step / 10, 0);
    }
    XFlush(d);
    pause(40);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string cmd = argc > 1 ? argv[1] : "";
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "bw_lv2_xprobe: no X server\n");
        return 2;
    }
    int rc = 2;
    if ((cmd == "find" || cmd == "top") && argc == 3) {
        Window w = findTitled(d, argv[2]);
        if (w && cmd == "find")
            w = find(d, w, [&](Window c) {
                XWindowAttributes a;
                return XGetWindowAttributes(d, c, &a) && a.width == 900 && a.height == 568 && a.map_state == IsViewable;
            }, true);
        if (w)
            std::printf("%lu\n", w);
        rc = w ? 0 : 1;
    } else if (cmd == "compare" && argc == 5) {
        rc = compare(d, std::strtoul(argv[2], nullptr, 0), argv[3], std::atof(argv[4]));
    } else if (cmd == "drag" && argc == 7) {
        drag(d, std::strtoul(argv[2], nullptr, 0), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]));
        rc = 0;
    } else if (cmd == "save" && argc == 4) {
        cairo_surface_t* s = grab(d, std::strtoul(argv[2], nullptr, 0));
        rc = s && cairo_surface_write_to_png(s, argv[3]) == CAIRO_STATUS_SUCCESS ? 0 : 1;
        if (s)
            cairo_surface_destroy(s);
    } else {
        std::fprintf(stderr, "usage: bw_lv2_xprobe top TITLE | find TITLE | compare WIN PNG LIMIT | drag WIN X Y DX DY | save WIN PNG\n");
    }
    XCloseDisplay(d);
    return rc;
}
