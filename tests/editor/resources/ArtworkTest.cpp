// What a musician sees: pointers that turn with the value, needles on the scale marks, and
// selectors that show the choice where a click makes it.
#include "EmbeddedResources.h"
#include "TsraResources.h"
#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;


Image image(const char* pPath) {
    const TsraResourceEntry* pEntry = pngResource(pPath);
    return pEntry ? decodePng(*pEntry) : Image(nullptr, cairo_surface_destroy);
}

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

// Darkness (0 ... 255 per pixel, weighted by coverage) summed over a rectangle of a frame.
double ink(cairo_surface_t* img, int x0, int y0, int w, int h) {
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) sum += (255.0 - greyAt(img, x, y)) * alphaAt(img, x, y) / 255.0;
    }
    return sum;
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
        Image strip = image(s.pPath);
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

TEST(EditorArtwork, MeterNeedleStopsSitOnTheScaleMarks)
{
    Image meter = image("verticalvu.png");
    Image scale = image("vumeternotches.png");
    ASSERT_TRUE(meter && scale);
    // The needle is the run of black rows down the middle of the face; rows black in every
    // frame are the bezel, not the needle.
    auto black = [&](int frame, int y) {
        return alphaAt(meter.get(), 15, frame * 251 + y) > 200 && greyAt(meter.get(), 15, frame * 251 + y) < 60;
    };
    std::vector<int> needles;
    for (int frame = 0; frame < 9; ++frame) {
        double sum = 0;
        int rows = 0;
        for (int y = 0; y < 251; ++y) {
            bool always = true;
            for (int other = 0; other < 9 && always; ++other) always = black(other, y);
            if (black(frame, y) && !always) {
                sum += y;
                ++rows;
            }
        }
        ASSERT_GT(rows, 0) << "no black needle in frame " << frame;
        EXPECT_LT(rows, 10) << "more than a needle is black in frame " << frame;
        needles.push_back(static_cast<int>(std::lround(sum / rows)));
    }
    for (int frame = 1; frame < 9; ++frame) {
        EXPECT_LT(needles[frame], needles[frame - 1]) << "a louder frame shows the needle higher";
        EXPECT_NEAR(needles[frame - 1] - needles[frame], needles[0] - needles[1], 1);
    }
    // The scale beside the meters has a tick mark at every needle stop, on both edges.
    for (int frame = 0; frame < 9; ++frame) {
        bool left = false, right = false;
        for (int dy = -1; dy <= 1; ++dy) {
            left = left || alphaAt(scale.get(), 1, needles[frame] + dy) > 160;
            right = right || alphaAt(scale.get(), 25, needles[frame] + dy) > 160;
        }
        EXPECT_TRUE(left && right) << "stop " << frame << " at row " << needles[frame];
    }
}

TEST(EditorArtwork, SelectorsShowTheChoiceWhereAClickMakesIt)
{
    // A horizontal switch picks its frame from the slice of the width that is clicked, so the
    // chosen cassette, the age handle and the pressed LFO half must sit in their own slice.
    struct Strip {
        const char* pPath;
        int w, h, frames;
    };
    for (const Strip& s : {Strip{"typeselectfull.png", 412, 350, 4}, Strip{"ageslider.png", 390, 100, 5},
                           Strip{"sineselect.png", 80, 24, 2}}) {
        Image strip = image(s.pPath);
        ASSERT_TRUE(strip) << s.pPath;
        const int slice = s.w / s.frames;
        for (int frame = 0; frame < s.frames; ++frame) {
            int inkiest = -1;
            double most = -1;
            for (int k = 0; k < s.frames; ++k) {
                // Against the same slice in the other frames, so fixed print does not count.
                double gain = 0;
                for (int other = 0; other < s.frames; ++other) {
                    if (other == frame) continue;
                    gain += ink(strip.get(), k * slice, frame * s.h, slice, s.h) -
                            ink(strip.get(), k * slice, other * s.h, slice, s.h);
                }
                if (gain > most) {
                    most = gain;
                    inkiest = k;
                }
            }
            EXPECT_EQ(inkiest, frame) << s.pPath << " frame " << frame;
        }
    }
}
