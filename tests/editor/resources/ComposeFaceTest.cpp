// The preview's frame for a value (the drawn editor is compared with the composed face in
// tests/editor/EditorFaceTest.cpp), the strips' frames, and no two views inking the same pixels.
#include "ComposeFace.h"
#include "EmbeddedResources.h"
#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* attr(const pugi::xml_node& node, const char* pName) { return node.attribute(pName).value(); }

pugi::xml_node viewOfTag(const char* pTag) {
    for (pugi::xml_node v : tsraFindTemplate(embeddedDescription(), "Editor").children("view")) {
        if (std::strcmp(attr(v, "control-tag"), pTag) == 0) return v;
    }
    return {};
}

struct Rect {
    int x, y, w, h;
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

Rect rectOf(const pugi::xml_node& v) {
    Rect r{};
    tsraParsePair(attr(v, "origin"), r.x, r.y);
    tsraParsePair(attr(v, "size"), r.w, r.h);
    return r;
}

}  // namespace

TEST(EditorFace, ControlsPickTheFrameOfTheirValue)
{
    const struct {
        const char* m_pTag;
        double m_fValue;
        int m_nFrame;
    } cases[] = {{"Wow Depth", 0.0, 0}, {"Wow Depth", 0.5, 63}, {"Wow Depth", 1.0, 127}, {"L", 0.5, 4}, {"L", 0.99, 7},
                 {"L", 1.0, 8},         {"Tape Type", 1, 1},    {"Tape Type", 3, 3},     {"Age", 2, 2}, {"Age", 4, 4},
                 {"NR Comp", 0.0, 0},   {"NR Comp", 1.0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(faceFrameIndex(viewOfTag(c.m_pTag), c.m_fValue), c.m_nFrame) << c.m_pTag << " at " << c.m_fValue;
}

TEST(EditorFace, StripsHoldTheirFramesAndNoTwoViewsInkTheSamePixels)
{
    // Every frame of every view, placed where the template puts it; a pixel inked (mostly
    // opaque) by two views would show one drawn over the other.
    struct Placed {
        std::string name;
        Rect rect;
        std::vector<unsigned char> covered;  // any frame inks this pixel of the view
    };
    std::vector<Placed> placed;
    for (pugi::xml_node v : tsraFindTemplate(embeddedDescription(), "Editor").children("view")) {
        const pugi::xml_node bitmap = tsraFindBitmap(embeddedDescription(), attr(v, "bitmap"));
        Image strip = loadPng(bitmap ? attr(bitmap, "path") : "");
        ASSERT_TRUE(strip) << attr(v, "bitmap");
        const Rect r = rectOf(v);
        // Each strip is one view wide and holds exactly the frames the view declares.
        const std::string cls = attr(v, "class");
        const int frames = cls == "CVuMeter"       ? v.attribute("num-led").as_int()
                           : cls == "COnOffButton" ? 2
                                                   : v.attribute("sub-pixmaps").as_int(1);
        EXPECT_EQ(cairo_image_surface_get_width(strip.get()), r.w) << attr(v, "bitmap");
        EXPECT_EQ(cairo_image_surface_get_height(strip.get()), frames * r.h) << attr(v, "bitmap");
        Placed p{std::string(attr(v, "class")) + " " + attr(v, "bitmap") + " " + attr(v, "origin"), r,
                 std::vector<unsigned char>(r.w * r.h, 0)};
        for (int f = 0; f < frames; ++f) {
            for (int y = 0; y < r.h; ++y) {
                for (int x = 0; x < r.w; ++x) {
                    if (alphaAt(strip.get(), x, f * r.h + y) > 160) p.covered[y * r.w + x] = 1;
                }
            }
        }
        placed.push_back(std::move(p));
    }
    ASSERT_EQ(placed.size(), 34u);
    for (size_t a = 0; a < placed.size(); ++a) {
        for (size_t b = a + 1; b < placed.size(); ++b) {
            const Rect& ra = placed[a].rect;
            const Rect& rb = placed[b].rect;
            int shared = 0;
            for (int y = std::max(ra.y, rb.y); y < std::min(ra.y + ra.h, rb.y + rb.h); ++y) {
                for (int x = std::max(ra.x, rb.x); x < std::min(ra.x + ra.w, rb.x + rb.w); ++x) {
                    if (placed[a].covered[(y - ra.y) * ra.w + (x - ra.x)] &&
                        placed[b].covered[(y - rb.y) * rb.w + (x - rb.x)]) {
                        ++shared;
                    }
                }
            }
            EXPECT_EQ(shared, 0) << placed[a].name << " and " << placed[b].name;
        }
    }
}
