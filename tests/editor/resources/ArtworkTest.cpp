// The knob strips turn their pointer with the value, as the printed scales expect.
#include "EmbeddedResources.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Angle (screen degrees, 0 = right, clockwise) of the pale pointer in frame i of a knob strip.
double pointerAngle(cairo_surface_t* strip, int size, int frame, bool& found) {
    const double c = size / 2.0;
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (alphaAt(strip, x, frame * size + y) > 200 && greyAt(strip, x, frame * size + y) > 200) {
                sx += x + 0.5 - c;
                sy += y + 0.5 - c;
                ++n;
            }
        }
    }
    found = n > 0;
    double a = std::atan2(sy, sx) * 180.0 / kPi;
    return a < 0 ? a + 360.0 : a;
}

double angleDistance(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

}  // namespace

TEST(EditorArtwork, KnobPointersTurnThroughTwoHundredSeventyDegrees)
{
    struct Strip {
        const char* pPath;
        int size;
        double tolerance;
    };
    for (const Strip& s : {Strip{"kbon1.png", 80, 4.0}, Strip{"kbon1small.png", 30, 8.0}}) {
        Image strip = loadPng(s.pPath);
        ASSERT_TRUE(strip) << s.pPath;
        for (int frame : {0, 16, 32, 63, 64, 95, 111, 127}) {
            bool found = false;
            const double angle = pointerAngle(strip.get(), s.size, frame, found);
            ASSERT_TRUE(found) << s.pPath << " frame " << frame;
            // Value 0 at the lower left (135 degrees), through the top, to the lower right.
            const double expected = std::fmod(135.0 + 270.0 * frame / 127.0, 360.0);
            EXPECT_LT(angleDistance(angle, expected), s.tolerance) << s.pPath << " frame " << frame << " at " << angle;
        }
    }
}
