#pragma once
// The images of the editor, one drawing routine per family. Each writes its PNGs into a folder.

#include <string>
#include <vector>

namespace art {

// A knob as placed on the face: the scale printed around it belongs to the background.
struct KnobSpot {
    double cx, cy;  // centre on the face
    double size;    // the view's width (80 or 30)
};

struct FaceLayout {
    std::vector<KnobSpot> knobs;
};

// Knob geometry shared by the knob frames and the scale on the paper.
inline double knobBodyRadius(double size) { return size * 0.36; }
inline double knobScaleInner(double size) { return size * 0.41; }
inline double knobScaleOuter(double size) { return size * (size > 40 ? 0.48 : 0.56); }
constexpr double kKnobAngleStart = 135.0;  // degrees, value 0
constexpr double kKnobAngleRange = 270.0;

// Needle stops of the vertical meter strip and its scale: frame k sits at meterStopY(k).
constexpr int kMeterFrames = 9;
constexpr int kMeterFrameHeight = 251;
inline double meterStopY(int k) { return 226.0 - 26.0 * k; }

// Reads the knob views of the "Editor" template so the printed scales follow the layout.
FaceLayout readLayout(const std::string& uidescPath);

void drawKnobs(const std::string& dir);
void drawMeters(const std::string& dir);
void drawTapeSelector(const std::string& dir);
void drawAgeSelector(const std::string& dir);
void drawSmallSwitches(const std::string& dir);
void drawWords(const std::string& dir);
void drawFaders(const std::string& dir);
void drawPaper(const FaceLayout& layout, const std::string& dir);

}  // namespace art
