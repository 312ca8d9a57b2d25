// What a musician sees: pointers that turn with the value, needles on the scale marks, switch
// frames that show their own state, words that fit, and no two views inking the same pixels.
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

const char* attr(const pugi::xml_node& node, const char* pName) { return node.attribute(pName).value(); }

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

bool framesDiffer(cairo_surface_t* img, int w, int h, int a, int b) {
    const unsigned char* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    for (int y = 0; y < h; ++y) {
        if (std::memcmp(data + (a * h + y) * stride, data + (b * h + y) * stride, w * 4) != 0) return true;
    }
    return false;
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

TEST(EditorArtwork, KnobFramesLeaveTheirScaleToThePaper)
{
    Image strip = image("kbon1.png");
    Image paper = image("paperback.png");
    ASSERT_TRUE(strip && paper);
    // Outside the knob's shadow every frame is clear, so the printed scale shows.
    for (int frame : {0, 63, 127}) {
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 80; ++x) {
                if (std::hypot(x + 0.5 - 40, y + 0.5 - 40) > 0.47 * 80) {
                    ASSERT_EQ(alphaAt(strip.get(), x, frame * 80 + y), 0) << frame << ": " << x << "," << y;
                }
            }
        }
    }
    // And the paper carries marks at the ends and the middle of each knob's travel.
    const pugi::xml_node editor = tsraFindTemplate(embeddedDescription(), "Editor");
    for (pugi::xml_node v : editor.children("view")) {
        if (std::string(attr(v, "class")) != "CAnimKnob") continue;
        int x = 0, y = 0, w = 0, h = 0;
        ASSERT_TRUE(tsraParsePair(attr(v, "origin"), x, y));
        ASSERT_TRUE(tsraParsePair(attr(v, "size"), w, h));
        for (double deg : {135.0, 270.0, 405.0}) {
            double darkest = 255;
            for (double r = 0.40 * w; r <= 0.50 * w; r += 0.5) {
                const int px = static_cast<int>(x + w / 2.0 + std::cos(deg * kPi / 180) * r);
                const int py = static_cast<int>(y + h / 2.0 + std::sin(deg * kPi / 180) * r);
                darkest = std::min(darkest, greyAt(paper.get(), px, py));
            }
            EXPECT_LT(darkest, 120) << attr(v, "control-tag") << " at " << deg;
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

TEST(EditorArtwork, EverySwitchFrameShowsItsOwnState)
{
    struct Strip {
        const char* pPath;
        int w, h, frames;
    };
    for (const Strip& s : {Strip{"typeselectfull.png", 412, 350, 4}, Strip{"ageslider.png", 390, 100, 5},
                           Strip{"sineselect.png", 80, 24, 2}, Strip{"drawnswitch.png", 80, 80, 2},
                           Strip{"stereobutton.png", 50, 50, 2}}) {
        Image strip = image(s.pPath);
        ASSERT_TRUE(strip) << s.pPath;
        for (int a = 0; a < s.frames; ++a) {
            for (int b = a + 1; b < s.frames; ++b) EXPECT_TRUE(framesDiffer(strip.get(), s.w, s.h, a, b)) << s.pPath;
        }
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

TEST(EditorArtwork, WordsAreInkedAndFitTheirImages)
{
    for (const char* pPath : {"wow.png", "flutter.png", "depth.png", "rate.png", "hiss.png", "saturation.png",
                              "dropouts.png", "intensity.png", "age.png", "nr.png", "comp.png", "in.png", "out.png",
                              "title.png", "filtering.png"}) {
        Image word = image(pPath);
        ASSERT_TRUE(word) << pPath;
        const int w = cairo_image_surface_get_width(word.get()), h = cairo_image_surface_get_height(word.get());
        int inked = 0, edge = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int a = alphaAt(word.get(), x, y);
                if (a > 128) ++inked;
                if (a > 0 && (x == 0 || y == 0 || x == w - 1 || y == h - 1)) ++edge;
            }
        }
        EXPECT_GT(inked, 40) << pPath;
        EXPECT_EQ(edge, 0) << pPath << " is cut at its edge";
        // Ink, not paper: the printed strokes are dark.
        EXPECT_GT(ink(word.get(), 0, 0, w, h) / std::max(inked, 1), 120) << pPath;
    }
}
