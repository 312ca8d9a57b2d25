// The shipped "Editor" template and the sections the editor reads from it.
#include "EmbeddedResources.h"
#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

pugi::xml_node section(const char* pName) { return embeddedDescription().child("vstgui-ui-description").child(pName); }

struct ExpectedView {
    const char* pClass;
    const char* pTag;  // "" for none
    const char* pBitmap;
    int x, y, w, h;
    int nSubPixmaps;   // 0: attribute absent
    int nImageHeight;  // 0: attribute absent
    const char* pMin;  // "" for absent
    const char* pMax;
    const char* pDefault;
};

// The face as shipped, in document (stacking) order.
const ExpectedView kViews[34] = {
    {"CAnimKnob", "Wow Rate", "kbon1", 585, 245, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CAnimKnob", "Flutter Rate", "kbon1", 775, 245, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CAnimKnob", "Saturation", "kbon1", 465, 430, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CAnimKnob", "Flutter Depth", "kbon1", 775, 160, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CAnimKnob", "Wow Depth", "kbon1", 585, 160, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CAnimKnob", "Tape Hiss", "kbon1", 370, 430, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CAnimKnob", "Dropout Amount", "kbon1", 585, 430, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CAnimKnob", "Dropout Intensity", "kbon1", 705, 430, 80, 80, 128, 80, "0", "1", "0.5"},
    {"CVuMeter", "L", "verticalvu", 455, 135, 30, 251, 0, 0, "0", "1", "0.5"},
    {"CVuMeter", "R", "verticalvu", 525, 135, 30, 251, 0, 0, "0", "1", "0.5"},
    {"CHorizontalSwitch", "Tape Type", "typeselectfull", 30, 25, 412, 350, 4, 350, "0", "3", "0"},
    {"CViewContainer", "", "dropouts", 630, 375, 115, 32, 0, 0, "", "", ""},
    {"CViewContainer", "", "hiss", 350, 510, 117, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "flutter", 755, 120, 113, 36, 0, 0, "", "", ""},
    {"CViewContainer", "", "depth", 680, 185, 75, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "rate", 690, 270, 55, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "wow", 585, 125, 78, 30, 0, 0, "", "", ""},
    {"CViewContainer", "", "saturation", 450, 510, 117, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "intensity", 695, 510, 114, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "title", 475, 25, 400, 78, 0, 0, "", "", ""},
    {"CHorizontalSwitch", "Wow LFO", "sineselect", 585, 330, 80, 24, 2, 24, "0", "1", "0"},
    {"CHorizontalSwitch", "Flutter LFO", "sineselect", 775, 330, 80, 24, 2, 24, "0", "1", "0"},
    {"CHorizontalSwitch", "Age", "ageslider", 0, 420, 390, 100, 5, 100, "0", "4", "0"},
    {"CViewContainer", "", "depth", 590, 510, 75, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "age", 110, 385, 162, 36, 0, 0, "", "", ""},
    {"COnOffButton", "NR Comp", "drawnswitch", 803, 435, 80, 80, 0, 80, "0", "1", "0"},
    {"CViewContainer", "", "nr", 780, 385, 117, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "comp", 780, 410, 117, 26, 0, 0, "", "", ""},
    {"CViewContainer", "", "vumeternotches", 490, 135, 27, 251, 0, 0, "", "", ""},
    {"CAnimKnob", "Input", "kbon1small", 455, 380, 30, 30, 128, 30, "0", "1", "0.5"},
    {"CAnimKnob", "Output", "kbon1small", 525, 380, 30, 30, 128, 30, "0", "1", "0.5"},
    {"CViewContainer", "", "in", 450, 115, 45, 20, 0, 0, "", "", ""},
    {"CViewContainer", "", "out", 520, 115, 45, 20, 0, 0, "", "", ""},
    {"COnOffButton", "Mono/Stereo Dropouts", "stereobutton", 660, 410, 50, 50, 0, 50, "0", "1", "0"},
};

std::vector<pugi::xml_node> editorViews() {
    std::vector<pugi::xml_node> views;
    for (pugi::xml_node v : tsraFindTemplate(embeddedDescription(), "Editor").children("view")) views.push_back(v);
    return views;
}

const char* attr(const pugi::xml_node& node, const char* pName) { return node.attribute(pName).value(); }

}  // namespace

TEST(EditorDescription, ParsesAsTheUiDescriptionDocument)
{
    const pugi::xml_document& doc = embeddedDescription();
    ASSERT_TRUE(doc.document_element());
    EXPECT_STREQ(doc.document_element().name(), "vstgui-ui-description");
    // The editor parses with automatic encoding detection; the text is declared UTF-8.
    EXPECT_NE(sourceFile("TSRA.UIDESC").find("encoding=\"UTF-8\""), std::string::npos);
    int knobAction = -1;
    for (pugi::xml_node a : section("custom").children("attributes")) {
        if (a.attribute("KnobAction")) knobAction = a.attribute("KnobAction").as_int(-1);
    }
    EXPECT_EQ(knobAction, 2);  // linear knobs
}

TEST(EditorDescription, TheEditorTemplateSizesAndPaintsTheFrame)
{
    const pugi::xml_document& doc = embeddedDescription();
    const pugi::xml_node editor = tsraFindTemplate(doc, "Editor");
    ASSERT_TRUE(editor);
    EXPECT_STREQ(attr(editor, "size"), "900, 568");
    int w = 0, h = 0;
    ASSERT_TRUE(tsraParsePair(attr(editor, "size"), w, h));
    EXPECT_EQ(w, 900);
    EXPECT_EQ(h, 568);
    EXPECT_STREQ(attr(editor, "class"), "CViewContainer");
    EXPECT_STREQ(attr(editor, "minSize"), "900, 568");
    EXPECT_STREQ(attr(editor, "maxSize"), "900, 568");
    EXPECT_STREQ(attr(editor, "bitmap"), "paperback");
    EXPECT_STREQ(attr(editor, "background-color"), "paper grey");
    EXPECT_STREQ(attr(editor, "background-color-draw-style"), "filled and stroked");
    EXPECT_STREQ(attr(editor, "mouse-enabled"), "true");
    EXPECT_STREQ(attr(editor, "transparent"), "false");
    ASSERT_TRUE(tsraFindBitmap(doc, "paperback"));
}

TEST(EditorDescription, ControlTagsBindTheEngineControlsInOrderAndReserveTheEditorTags)
{
    const pugi::xml_document& doc = embeddedDescription();
    const char* kEngine[18] = {"Wow Depth",  "Wow Rate", "Flutter Depth", "Flutter Rate", "Tape Hiss",
                               "Dropout Amount", "Saturation", "Dropout Intensity", "Input", "Output",
                               "Wow LFO", "Tape Type", "Flutter LFO", "Age", "NR Comp",
                               "Mono/Stereo Dropouts", "L", "R"};
    std::vector<pugi::xml_node> tags;
    for (pugi::xml_node t : section("control-tags").children("control-tag")) tags.push_back(t);
    ASSERT_EQ(tags.size(), 57u);
    for (int i = 0; i < 18; ++i) {
        EXPECT_STREQ(attr(tags[i], "name"), kEngine[i]);
        EXPECT_EQ(tsraControlTagNumber(doc, kEngine[i]), i);
        EXPECT_EQ(tsraControlTagPosition(doc, i), i);  // a tag's number is its position
    }
    EXPECT_EQ(tsraControlTagNumber(doc, "ASSIGNBUTTON_1"), 32768);
    EXPECT_EQ(tsraControlTagNumber(doc, "ASSIGNBUTTON_2"), 32769);
    EXPECT_EQ(tsraControlTagNumber(doc, "ASSIGNBUTTON_3"), 32770);
    EXPECT_EQ(tsraControlTagNumber(doc, "JOYSTICK_X"), 32773);
    EXPECT_EQ(tsraControlTagNumber(doc, "JOYSTICK_Y"), 32774);
    EXPECT_EQ(tsraControlTagNumber(doc, "JOYSTICK"), 32775);
    EXPECT_EQ(tsraControlTagNumber(doc, "TRACKPAD"), 32776);
    for (int n = 0; n < 32; ++n) {
        EXPECT_EQ(tsraControlTagNumber(doc, ("TAB_CTRL_" + std::to_string(n)).c_str()), 65536 + n);
    }
    std::set<std::string> names, numbers;
    for (const auto& t : tags) {
        names.insert(attr(t, "name"));
        numbers.insert(attr(t, "tag"));
    }
    EXPECT_EQ(names.size(), 57u);
    EXPECT_EQ(numbers.size(), 57u);
    // A name with no entry binds nothing.
    EXPECT_EQ(tsraControlTagNumber(doc, "Wow depth"), -1);
    EXPECT_EQ(tsraControlTagNumber(doc, "Tape Hiss "), -1);
    EXPECT_EQ(tsraControlTagNumber(doc, "Bypass"), -1);
}

TEST(EditorDescription, TheEditorHasItsThirtyFourViewsInDocumentOrder)
{
    const pugi::xml_document& doc = embeddedDescription();
    const std::vector<pugi::xml_node> views = editorViews();
    ASSERT_EQ(views.size(), 34u);
    for (size_t i = 0; i < views.size(); ++i) {
        const ExpectedView& e = kViews[i];
        const pugi::xml_node& v = views[i];
        SCOPED_TRACE("view " + std::to_string(i + 1));
        EXPECT_STREQ(attr(v, "class"), e.pClass);
        EXPECT_STREQ(attr(v, "control-tag"), e.pTag);
        EXPECT_EQ(tsraControlTagNumber(doc, attr(v, "control-tag")), *e.pTag ? tsraControlTagNumber(doc, e.pTag) : -1);
        if (*e.pTag) {
            EXPECT_GE(tsraControlTagNumber(doc, attr(v, "control-tag")), 0);
        }
        EXPECT_STREQ(attr(v, "bitmap"), e.pBitmap);
        int x = -1, y = -1, w = -1, h = -1;
        ASSERT_TRUE(tsraParsePair(attr(v, "origin"), x, y)) << attr(v, "origin");
        ASSERT_TRUE(tsraParsePair(attr(v, "size"), w, h)) << attr(v, "size");
        EXPECT_EQ(x, e.x);
        EXPECT_EQ(y, e.y);
        EXPECT_EQ(w, e.w);
        EXPECT_EQ(h, e.h);
        if (e.nSubPixmaps) {
            EXPECT_EQ(v.attribute("sub-pixmaps").as_int(), e.nSubPixmaps);
        } else {
            EXPECT_FALSE(v.attribute("sub-pixmaps"));
        }
        if (e.nImageHeight) {
            EXPECT_EQ(v.attribute("height-of-one-image").as_int(), e.nImageHeight);
        } else {
            EXPECT_FALSE(v.attribute("height-of-one-image"));
        }
        EXPECT_STREQ(attr(v, "min-value"), e.pMin);
        EXPECT_STREQ(attr(v, "max-value"), e.pMax);
        EXPECT_STREQ(attr(v, "default-value"), e.pDefault);
    }
    // Origins keep the document's own spelling, blank before the comma included.
    EXPECT_STREQ(attr(views[0], "origin"), "585 ,245");
}

TEST(EditorDescription, ControlViewsCarryTheirClassAttributes)
{
    const std::vector<pugi::xml_node> views = editorViews();
    ASSERT_EQ(views.size(), 34u);
    for (const pugi::xml_node& v : views) {
        const std::string cls = attr(v, "class");
        SCOPED_TRACE(cls + " " + attr(v, "bitmap"));
        if (cls == "CViewContainer") {
            EXPECT_STREQ(attr(v, "tsratemplate-type"), "imagecontrol");
            EXPECT_TRUE(v.attribute("background-color"));
            EXPECT_STREQ(attr(v, "background-color"), "");
            EXPECT_STREQ(attr(v, "background-color-draw-style"), "filled and stroked");
            EXPECT_TRUE(v.attribute("custom-view-name"));
            EXPECT_STREQ(attr(v, "custom-view-name"), "");
            EXPECT_TRUE(v.attribute("sub-controller"));
            continue;
        }
        EXPECT_STREQ(attr(v, "background-offset"), "0, 0");
        EXPECT_STREQ(attr(v, "transparent"), "false");
        EXPECT_STREQ(attr(v, "mouse-enabled"), cls == "CVuMeter" ? "false" : "true");
        if (cls == "CAnimKnob") {
            EXPECT_STREQ(attr(v, "angle-start"), "135");
            EXPECT_STREQ(attr(v, "angle-range"), "270");
            EXPECT_STREQ(attr(v, "zoom-factor"), "10.0");
            EXPECT_STREQ(attr(v, "wheel-inc-value"), "0.1");
            EXPECT_STREQ(attr(v, "handle-color"), "~ WhiteCColor");
            EXPECT_STREQ(attr(v, "handle-shadow-color"), "~ GreyCColor");
            EXPECT_STREQ(attr(v, "handle-line-width"), "1");
            EXPECT_STREQ(attr(v, "value-inset"), "0");
            for (const char* flag : {"circle-drawing", "corona-dash-dot", "corona-drawing", "corona-from-center",
                                     "corona-inverted", "corona-outline"}) {
                EXPECT_STREQ(attr(v, flag), "false") << flag;
            }
            EXPECT_TRUE(v.attribute("tooltip"));
            EXPECT_STREQ(attr(v, "custom-view-name"), "");  // no custom view: a plain strip knob
        } else if (cls == "CVuMeter") {
            EXPECT_STREQ(attr(v, "custom-view-name"), "AnalogMeterView_H251_Z7");
            EXPECT_STREQ(attr(v, "orientation"), "vertical");
            EXPECT_STREQ(attr(v, "num-led"), "9");
            EXPECT_STREQ(attr(v, "decrease-step-value"), "0.1");
            EXPECT_STREQ(attr(v, "off-bitmap"), "vuledoff");
        } else {
            EXPECT_TRUE(cls == "CHorizontalSwitch" || cls == "COnOffButton") << cls;
            EXPECT_STREQ(attr(v, "wheel-inc-value"), "0.1");
        }
    }
}

TEST(EditorDescription, FontsColoursAndGradientsAreShipped)
{
    struct Font {
        const char *pName, *pFace, *pSize, *pBold;
    };
    const Font kFonts[] = {{"Microsoft Sans Serif", "Microsoft Sans Serif", "18", "true"},
                           {"Courier 10  ", "Courier", "10", "false"},
                           {"basic title font 10  ", "basic title font", "10", "false"},
                           {"basic title font 12  ", "basic title font", "12", "false"},
                           {"basic title font 16  ", "basic title font", "16", "false"},
                           {"basic title font 18 bold ", "basic title font", "18", "true"}};
    std::vector<pugi::xml_node> fonts;
    for (pugi::xml_node f : section("fonts").children("font")) fonts.push_back(f);
    ASSERT_EQ(fonts.size(), 6u);
    for (size_t i = 0; i < fonts.size(); ++i) {
        EXPECT_STREQ(attr(fonts[i], "name"), kFonts[i].pName);  // trailing blanks kept
        EXPECT_STREQ(attr(fonts[i], "font-name"), kFonts[i].pFace);
        EXPECT_STREQ(attr(fonts[i], "size"), kFonts[i].pSize);
        EXPECT_STREQ(attr(fonts[i], "bold"), kFonts[i].pBold);
        for (const char* flag : {"italic", "underline", "strike-through"}) EXPECT_STREQ(attr(fonts[i], flag), "false");
    }

    const char* kColours[4][2] = {{"kLightGreyCColor", "#c8c8c8ff"}, {"kDarkGreyCColor", "#646464ff"},
                                  {"paper white", "#FFFDF2ff"}, {"paper grey", "#F7F7F7ff"}};
    std::vector<pugi::xml_node> colours;
    for (pugi::xml_node c : section("colors").children("color")) colours.push_back(c);
    ASSERT_EQ(colours.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_STREQ(attr(colours[i], "name"), kColours[i][0]);
        EXPECT_STREQ(attr(colours[i], "rgba"), kColours[i][1]);
    }

    const char* kGradients[6][2] = {{"kLightGreyCColor", "#c8c8c8ff"}, {"kDarkGreyCColor", "#646464ff"},
                                    {"~ RedCColor", "#FF0000ff"},      {"~ GreyCColor", "#7F7F7Fff"},
                                    {"~ BlackCColor", "#000000ff"},    {"~ WhiteCColor", "#FFFFFFff"}};
    std::vector<pugi::xml_node> gradients;
    for (pugi::xml_node g : section("gradients").children("gradient")) gradients.push_back(g);
    ASSERT_EQ(gradients.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(attr(gradients[i], "name"), kGradients[i][0]);
        std::vector<pugi::xml_node> stops;
        for (pugi::xml_node s : gradients[i].children("color-stop")) stops.push_back(s);
        ASSERT_EQ(stops.size(), 2u);
        EXPECT_STREQ(attr(stops[0], "start"), "0");
        EXPECT_STREQ(attr(stops[1], "start"), "1");
        EXPECT_STREQ(attr(stops[0], "rgba"), kGradients[i][1]);
        EXPECT_STREQ(attr(stops[1], "rgba"), kGradients[i][1]);
    }
}

TEST(EditorDescription, TheOffScreenTemplatesAreEmptyGreyContainers)
{
    int count = 0;
    for (pugi::xml_node t : section("template").parent().children("template")) {
        const std::string name = attr(t, "name");
        if (name == "Editor") continue;
        ++count;
        EXPECT_TRUE(name == "Off Screen View 1" || name == "Off Screen View 2") << name;
        EXPECT_STREQ(attr(t, "class"), "CViewContainer");
        EXPECT_STREQ(attr(t, "size"), "1024, 791");
        EXPECT_STREQ(attr(t, "background-color"), "~ GreyCColor");
        EXPECT_FALSE(t.child("view"));
    }
    EXPECT_EQ(count, 2);
}
