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
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The deepest viewable window of that size: a host's own wrappers around ours may match too.
Window findSized(Display* d, Window w, int width, int height)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n))
        for (unsigned int i = 0; i < n && !found; ++i)
            found = findSized(d, children[i], width, height);
    if (children)
        XFree(children);
    XWindowAttributes a;
    if (!found && XGetWindowAttributes(d, w, &a) && a.width == width && a.height == height &&
        a.map_state == IsViewable)
        found = w;
    return found;
}

Window findTitled(Display* d, Window w, const char* pTitle)
{
    char* pName = nullptr;
    if (XFetchName(d, w, &pName) && pName) {
        const bool bMatch = std::strstr(pName, pTitle) != nullptr;
        XFree(pName);
        if (bMatch)
            return w;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n))
        for (unsigned int i = 0; i < n && !found; ++i)
            found = findTitled(d, children[i], pTitle);
    if (children)
        XFree(children);
    return found;
}

// The window's pixels as a cairo image (RGB24); null when it cannot be read.
cairo_surface_t* grab(Display* d, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a))
        return nullptr;
    XImage* image = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height), AllPlanes,
                              ZPixmap);
    if (!image)
        return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, a.width, a.height);
    auto* pData = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            reinterpret_cast<uint32_t*>(pData + y * stride)[x] = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
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
        std::fprintf(stderr, "sizes differ: window %dx%d, picture %dx%d\n", width, height,
                     cairo_image_surface_get_width(pWant), cairo_image_surface_get_height(pWant));
        return 1;
    }
    double dSum = 0;
    for (int y = 0; y < height; ++y) {
        const auto* a = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(pShown) +
                                                          y * cairo_image_surface_get_stride(pShown));
        const auto* b = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(pWant) +
                                                          y * cairo_image_surface_get_stride(pWant));
        for (int x = 0; x < width; ++x)
            for (int shift : {0, 8, 16})
                dSum += std::abs(static_cast<int>((a[x] >> shift) & 0xFF) - static_cast<int>((b[x] >> shift) & 0xFF));
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
    XFlush(d);
    for (int step = 1; step <= 10; ++step) {
        pause(40);
        XTestFakeMotionEvent(d, -1, rx + dx * step / 10, ry + dy * step / 10, 0);
        XFlush(d);
    }
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
    if (cmd == "find" && argc == 3) {
        const Window top = findTitled(d, DefaultRootWindow(d), argv[2]);
        const Window w = top ? findSized(d, top, 900, 568) : 0;
        if (w)
            std::printf("%lu\n", w);
        rc = w ? 0 : 1;
    } else if (cmd == "top" && argc == 3) {
        const Window top = findTitled(d, DefaultRootWindow(d), argv[2]);
        if (top)
            std::printf("%lu\n", top);
        rc = top ? 0 : 1;
    } else if (cmd == "compare" && argc == 5) {
        rc = compare(d, std::strtoul(argv[2], nullptr, 0), argv[3], std::atof(argv[4]));
    } else if (cmd == "drag" && argc == 7) {
        drag(d, std::strtoul(argv[2], nullptr, 0), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
             std::atoi(argv[6]));
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
