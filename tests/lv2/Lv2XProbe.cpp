// bw_lv2_xprobe: what the jalv test needs from the X server.
//   find TITLE           the 900 x 568 window inside the top-level window titled TITLE...
//                        (our editor embedded by a host); prints its id
//   drag WIN X Y DX DY   a left-button press at (X, Y) of the window, moved by (DX, DY), released
#include "XTestInput.h"

#include <cstdio>
#include <cstdlib>
#include <string>

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
        Window w = bwtest::FindTitled(d, argv[2]);
        if (w)
            w = bwtest::FindWindow(d, w, [&](Window c) {
                XWindowAttributes a;
                return XGetWindowAttributes(d, c, &a) && a.width == 900 && a.height == 568 && a.map_state == IsViewable;
            });
        if (w)
            std::printf("%lu\n", w);
        rc = w ? 0 : 1;
    } else if (cmd == "drag" && argc == 7) {
        bwtest::Drag(d, std::strtoul(argv[2], nullptr, 0), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                     std::atoi(argv[6]));
        rc = 0;
    } else {
        std::fprintf(stderr, "usage: bw_lv2_xprobe find TITLE | drag WIN X Y DX DY\n");
    }
    XCloseDisplay(d);
    return rc;
}
