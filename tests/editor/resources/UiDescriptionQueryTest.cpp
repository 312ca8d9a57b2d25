#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

TEST(UiDescriptionPair, AcceptsBlanksAroundEitherNumber)
{
    int a = 0, b = 0;
    ASSERT_TRUE(tsraParsePair("585 ,245", a, b));
    EXPECT_EQ(a, 585);
    EXPECT_EQ(b, 245);
    ASSERT_TRUE(tsraParsePair("900, 568", a, b));
    EXPECT_EQ(a, 900);
    EXPECT_EQ(b, 568);
    ASSERT_TRUE(tsraParsePair("\t7 ,  8 ", a, b));
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 8);
    ASSERT_TRUE(tsraParsePair("0,0", a, b));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
}

TEST(UiDescriptionPair, CutsFractionsOffAndKeepsSigns)
{
    int a = 0, b = 0;
    ASSERT_TRUE(tsraParsePair("12.9, 3.2", a, b));
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 3);
    ASSERT_TRUE(tsraParsePair("-4.7, -0.5", a, b));
    EXPECT_EQ(a, -4);
    EXPECT_EQ(b, 0);
}

TEST(UiDescriptionPair, RejectsTextThatIsNotTwoNumbersAroundTheFirstComma)
{
    for (const char* text : {"900 568", ",568", " ,568", "900,", "900, ", "", "a, 5", "5, b", "1, 2, 3", "5x, 6"}) {
        int a = -11, b = -22;
        EXPECT_FALSE(tsraParsePair(text, a, b)) << '"' << text << '"';
        EXPECT_EQ(a, -11) << text;  // outputs untouched
        EXPECT_EQ(b, -22) << text;
    }
    int a = 0, b = 0;
    EXPECT_FALSE(tsraParsePair(nullptr, a, b));
}

namespace {
const char kDoc[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="knob" path="knob.png"/>
    <bitmap name="back" path="back.png" nineparttiled-offsets="1, 2, 3, 4"/>
  </bitmaps>
  <control-tags>
    <control-tag name="Gain" tag="0"/>
    <control-tag name="Pan" tag="7"/>
    <control-tag name="Tab" tag="65536"/>
  </control-tags>
  <template name="Other" size="10, 10"/>
  <template name="Editor" size="900, 568"/>
</vstgui-ui-description>)";

pugi::xml_document parsed() {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(kDoc));
    return doc;
}
}  // namespace

TEST(UiDescriptionTags, NamesGiveTheirNumbersAndUnknownNamesGiveMinusOne)
{
    const pugi::xml_document doc = parsed();
    EXPECT_EQ(tsraControlTagNumber(doc, "Gain"), 0);
    EXPECT_EQ(tsraControlTagNumber(doc, "Pan"), 7);
    EXPECT_EQ(tsraControlTagNumber(doc, "Tab"), 65536);
    EXPECT_EQ(tsraControlTagNumber(doc, "Volume"), -1);
    EXPECT_EQ(tsraControlTagNumber(doc, "gain"), -1);  // names compare exactly
    EXPECT_EQ(tsraControlTagNumber(doc, ""), -1);
    EXPECT_EQ(tsraControlTagNumber(doc, nullptr), -1);
    EXPECT_EQ(tsraControlTagNumber(pugi::xml_document{}, "Gain"), -1);
}

TEST(UiDescriptionTags, NumbersGiveTheirPositionInTheList)
{
    const pugi::xml_document doc = parsed();
    EXPECT_EQ(tsraControlTagPosition(doc, 0), 0);
    EXPECT_EQ(tsraControlTagPosition(doc, 7), 1);
    EXPECT_EQ(tsraControlTagPosition(doc, 65536), 2);
    EXPECT_EQ(tsraControlTagPosition(doc, 1), -1);
    EXPECT_EQ(tsraControlTagPosition(doc, -1), -1);
}

TEST(UiDescriptionSections, FindsTemplatesAndBitmapsByName)
{
    const pugi::xml_document doc = parsed();
    EXPECT_STREQ(tsraFindTemplate(doc, "Editor").attribute("size").value(), "900, 568");
    EXPECT_STREQ(tsraFindTemplate(doc, "Other").attribute("size").value(), "10, 10");
    EXPECT_FALSE(tsraFindTemplate(doc, "editor"));
    EXPECT_STREQ(tsraFindBitmap(doc, "knob").attribute("path").value(), "knob.png");
    EXPECT_STREQ(tsraFindBitmap(doc, "back").attribute("nineparttiled-offsets").value(), "1, 2, 3, 4");
    EXPECT_FALSE(tsraFindBitmap(doc, "none"));
    EXPECT_FALSE(tsraFindBitmap(doc, nullptr));
}
