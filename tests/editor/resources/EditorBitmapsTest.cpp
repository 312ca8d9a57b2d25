// Every bitmap the description names resolves to a carried PNG whose pixels divide exactly into
// the frames the views declare.
#include "EmbeddedResources.h"
#include "TsraResources.h"
#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* attr(const pugi::xml_node& node, const char* pName) { return node.attribute(pName).value(); }

// Resource of a bitmap entry of the description, through its "path" as the editor loads it.
const TsraResourceEntry* resourceOfBitmap(const char* pBitmap) {
    const pugi::xml_node bitmap = tsraFindBitmap(embeddedDescription(), pBitmap);
    return bitmap ? pngResource(attr(bitmap, "path")) : nullptr;
}

// Height of one analogue meter frame, from "AnalogMeterView_H251_Z7".
int meterFrameHeight(const pugi::xml_node& view) {
    const char* pH = std::strstr(attr(view, "custom-view-name"), "_H");
    return pH ? std::atoi(pH + 2) : 0;
}

}  // namespace

TEST(EditorBitmaps, EveryBitmapTheEditorUsesDividesIntoTheDeclaredFrames)
{
    const pugi::xml_document& doc = embeddedDescription();
    const pugi::xml_node editor = tsraFindTemplate(doc, "Editor");
    ASSERT_TRUE(editor);
    int views = 0;
    for (pugi::xml_node v : editor.children("view")) {
        const std::string cls = attr(v, "class");
        SCOPED_TRACE(cls + " " + attr(v, "bitmap"));
        ++views;
        const TsraResourceEntry* pEntry = resourceOfBitmap(attr(v, "bitmap"));
        ASSERT_NE(pEntry, nullptr);
        const PngHeader png = readPngHeader(*pEntry);
        ASSERT_TRUE(png.bValid);
        int w = 0, h = 0;
        ASSERT_TRUE(tsraParsePair(attr(v, "size"), w, h));
        EXPECT_EQ(png.nWidth, w);  // every strip is one view wide
        if (cls == "CAnimKnob" || cls == "CHorizontalSwitch") {
            const int frames = v.attribute("sub-pixmaps").as_int();
            const int one = v.attribute("height-of-one-image").as_int();
            EXPECT_EQ(one, h);
            EXPECT_EQ(png.nHeight % one, 0);
            EXPECT_EQ(png.nHeight / one, frames);
        } else if (cls == "CVuMeter") {
            const int one = meterFrameHeight(v);
            EXPECT_EQ(one, 251);
            EXPECT_EQ(png.nHeight % one, 0);
            EXPECT_EQ(png.nHeight / one, v.attribute("num-led").as_int());
            // The off bitmap names an image the module does not carry; analogue meters never draw it.
            EXPECT_EQ(resourceOfBitmap(attr(v, "off-bitmap")), nullptr);
        } else if (cls == "COnOffButton") {
            EXPECT_EQ(png.nHeight, 2 * h);  // off above on
        } else {
            EXPECT_EQ(cls, "CViewContainer");
            EXPECT_EQ(png.nHeight, h);  // a single image filling its view
        }
    }
    EXPECT_EQ(views, 34);
    // The frame background covers the whole frame.
    const TsraResourceEntry* pBack = resourceOfBitmap(attr(editor, "bitmap"));
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(readPngHeader(*pBack).nWidth, 900);
    EXPECT_EQ(readPngHeader(*pBack).nHeight, 568);
}

TEST(EditorBitmaps, TheCarriedPngsHaveTheirSizesAndPixelFormats)
{
    struct Carried {
        const char* pResource;
        const char* pBitmap;  // "" when no bitmap entry names it
        int w, h;
    };
    const Carried kCarried[] = {
        {"PAPERBACK.PNG", "paperback", 900, 568},       {"KBON1.PNG", "kbon1", 80, 10240},
        {"KBON1SMALL.PNG", "kbon1small", 30, 3840},     {"VERTICALVU.PNG", "verticalvu", 30, 2259},
        {"TYPESELECTFULL.PNG", "typeselectfull", 412, 1400}, {"SINESELECT.PNG", "sineselect", 80, 48},
        {"AGESLIDER.PNG", "ageslider", 390, 500},       {"DRAWNSWITCH.PNG", "drawnswitch", 80, 160},
        {"STEREOBUTTON.PNG", "stereobutton", 50, 100},  {"DROPOUTS.PNG", "dropouts", 115, 32},
        {"HISS.PNG", "hiss", 117, 26},                  {"FLUTTER.PNG", "flutter", 113, 36},
        {"DEPTH.PNG", "depth", 75, 26},                 {"RATE.PNG", "rate", 55, 26},
        {"WOW.PNG", "wow", 78, 30},                     {"SATURATION.PNG", "saturation", 117, 26},
        {"INTENSITY.PNG", "intensity", 114, 26},        {"TITLE.PNG", "title", 400, 78},
        {"AGE.PNG", "age", 162, 36},                    {"NR.PNG", "nr", 117, 26},
        {"COMP.PNG", "comp", 117, 26},                  {"VUMETERNOTCHES.PNG", "vumeternotches", 27, 251},
        {"IN.PNG", "in", 45, 20},                       {"OUT.PNG", "out", 45, 20},
        {"FILTERING.PNG", "filtering", 128, 36},        {"KNOBV1.PNG", "knobv1", 80, 8080},
        {"KNOBVST.PNG", "knobvst", 42, 3360},           {"VUMETERV1.PNG", "vumeterv1", 128, 900},
        {"FADERBACK.PNG", "", 24, 126},                 {"FADERHANDLE.PNG", "", 24, 38},
        {"HANDDRAWNVU.PNG", "", 133, 4123},
    };
    static_assert(sizeof(kCarried) / sizeof(kCarried[0]) == 31);
    size_t nBytes = 0;
    for (const Carried& c : kCarried) {
        SCOPED_TRACE(c.pResource);
        const TsraResourceEntry* pEntry = pngResource(c.pResource);
        ASSERT_NE(pEntry, nullptr);
        nBytes += pEntry->nSize;
        const PngHeader png = readPngHeader(*pEntry);
        ASSERT_TRUE(png.bValid);
        EXPECT_EQ(png.nWidth, c.w);
        EXPECT_EQ(png.nHeight, c.h);
        EXPECT_EQ(png.nBitDepth, 8);
        EXPECT_EQ(png.nColourType, std::strcmp(c.pBitmap, "paperback") == 0 ? 2 : 6);  // RGB : RGBA
        // It decodes whole, as the toolkit will decode it.
        Image image = decodePng(*pEntry);
        ASSERT_TRUE(image);
        EXPECT_EQ(cairo_image_surface_get_width(image.get()), c.w);
        EXPECT_EQ(cairo_image_surface_get_height(image.get()), c.h);
        if (*c.pBitmap) {
            EXPECT_EQ(resourceOfBitmap(c.pBitmap), pEntry) << "bitmap " << c.pBitmap;
        }
    }
    EXPECT_LT(nBytes, 4u * 1024 * 1024);  // the module carries them all
}

TEST(EditorBitmaps, OnlyBitmapsTheModuleCarriesAreListed)
{
    int entries = 0;
    for (pugi::xml_node b : embeddedDescription().child("vstgui-ui-description").child("bitmaps").children("bitmap")) {
        ++entries;
        SCOPED_TRACE(attr(b, "name"));
        EXPECT_NE(pngResource(attr(b, "path")), nullptr);
        EXPECT_STRNE(attr(b, "tsratype"), "");
        EXPECT_FALSE(b.attribute("nineparttiled-offsets"));  // all plain bitmaps
    }
    EXPECT_EQ(entries, 28);
}
