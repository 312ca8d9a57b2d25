// The drawn editor against the face the preview composes from the same description, without
// the editor: each view must show the frame of its value, from its own bitmap, at its place.
#include "ComposeFace.h"
#include "EditorHarness.h"
#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

using Face = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

uint32_t rgb(cairo_surface_t* s, int x, int y)
{
    const unsigned char* pRow = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(pRow)[x] & 0xFFFFFF;
}

bool near(uint32_t a, uint32_t b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2)
            return false;
    return true;
}

// Opens the editor, moves every bound view to its value (in the view's own range, the
// description's default where not named) as host updates do, and lets the meters settle.
void showValues(EditorHarness& h, const pugi::xml_document& doc, const FaceValues& values)
{
    for (pugi::xml_node v : tsraFindTemplate(doc, "Editor").children("view")) {
        const std::string tag = v.attribute("control-tag").value();
        if (tag.empty())
            continue;
        const auto it = values.find(tag);
        const double value = it != values.end() ? it->second : v.attribute("default-value").as_double();
        const double lo = v.attribute("min-value").as_double(), hi = v.attribute("max-value").as_double();
        const int32_t number = tsraControlTagNumber(doc, tag.c_str());
        if (std::string(v.attribute("class").value()) == "CVuMeter") {
            // The meters read their parameter and show it on a 60 dB scale.
            h.m_Parameters.m_Values[std::to_string(number + 1)] = std::pow(10.0, (value * 60.0 - 60.0) / 20.0);
            continue;
        }
        const int32_t position = tsraControlTagPosition(doc, number);
        ASSERT_GE(position, 0) << tag;
        h.m_Editor.updateControl(uint32_t(CTsraVSTEditor::controlIndexMapFor(h.m_Engine)[size_t(position)]), float((value - lo) / (hi - lo)));
    }
    h.io()->advanceTime(10 * CTsraVSTEditor::kTimerPeriodMs);
}

}  // namespace

TEST(EditorFace, EveryViewShowsTheFrameOfItsValueFromItsBitmapAtItsPlace)
{
    const std::string text = shippedDescription();
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(text.data(), text.size()));
    const FaceValues sets[] = {
        {{"Tape Type", 3}, {"Age", 1}, {"L", 1.0}, {"R", 0.3}},
        {{"Wow Rate", 0}, {"Flutter Rate", 1}, {"Saturation", 0.3}, {"Flutter Depth", 0.77}, {"Wow Depth", 0.12},
         {"Tape Hiss", 0.9}, {"Dropout Amount", 0.45}, {"Dropout Intensity", 0.61}, {"Input", 0.2}, {"Output", 0.95},
         {"Tape Type", 2}, {"Wow LFO", 1}, {"Age", 4}, {"NR Comp", 1}, {"L", 0.3}, {"R", 1.0}},
        {{"Tape Type", 1}, {"Flutter LFO", 1}, {"Age", 3}, {"Mono/Stereo Dropouts", 1}, {"L", 0.55}, {"R", 0.8}},
    };
    for (const FaceValues& values : sets) {
        EditorHarness h;
        ASSERT_TRUE(h.open(text));
        showValues(h, doc, values);
        std::string error;
        Face composed(composeFace(doc, "Editor", values, error), cairo_surface_destroy);
        ASSERT_TRUE(composed) << error;
        cairo_surface_t* pDrawn = h.io()->getSurface();
        cairo_surface_flush(pDrawn);
        ASSERT_EQ(cairo_image_surface_get_width(pDrawn), cairo_image_surface_get_width(composed.get()));
        ASSERT_EQ(cairo_image_surface_get_height(pDrawn), cairo_image_surface_get_height(composed.get()));
        // Differing pixels by the topmost view that covers them.
        std::map<std::string, int> differences;
        for (int y = 0; y < cairo_image_surface_get_height(pDrawn); ++y)
            for (int x = 0; x < cairo_image_surface_get_width(pDrawn); ++x) {
                if (near(rgb(pDrawn, x, y), rgb(composed.get(), x, y)))
                    continue;
                std::string where = "background";
                for (pugi::xml_node v : tsraFindTemplate(doc, "Editor").children("view")) {
                    int vx = 0, vy = 0, w = 0, ht = 0;
                    tsraParsePair(v.attribute("origin").value(), vx, vy);
                    tsraParsePair(v.attribute("size").value(), w, ht);
                    if (x >= vx && x < vx + w && y >= vy && y < vy + ht)
                        where = std::string(v.attribute("bitmap").value()) + " " + v.attribute("control-tag").value();
                }
                ++differences[where];
            }
        for (const auto& [where, count] : differences)
            ADD_FAILURE() << where << ": " << count << " pixels differ";
    }
}
