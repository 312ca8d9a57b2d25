// Draws every PNG of the editor into a folder: draw_art <TSRA.UIDESC> <output folder>.
// The knob scales on the background follow the knob views of the description.
#include "Art.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " <TSRA.UIDESC> <output folder>\n";
        return 2;
    }
    try {
        const std::string dir = argv[2];
        art::drawPaper(art::readLayout(argv[1]), dir);
        art::drawKnobs(dir);
        art::drawMeters(dir);
        art::drawTapeSelector(dir);
        art::drawAgeSelector(dir);
        art::drawSmallSwitches(dir);
        art::drawWords(dir);
        art::drawFaders(dir);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
