// bw_lv2_xprobe WIN X Y DX DY: a left-button press at (X, Y) of the window, moved by (DX, DY)
// and released, as a person at the screen drags a knob (the jalv test has no other XTest client).
#include "XTestInput.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    Display* d = argc == 6 ? XOpenDisplay(nullptr) : nullptr;
    if (!d) {
        std::fprintf(stderr, "usage: bw_lv2_xprobe WIN X Y DX DY, with an X server (DISPLAY)\n");
        return 2;
    }
    bwtest::Drag(d, std::strtoul(argv[1], nullptr, 0), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                 std::atoi(argv[5]));
    XCloseDisplay(d);
    return 0;
}
