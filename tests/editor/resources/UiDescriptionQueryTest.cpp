#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

TEST(UiDescriptionPair, ReadsTwoNumbersAroundTheFirstCommaAndRejectsTheRest)
{
    struct Case {
        const char* m_pText;
        int m_nA, m_nB;  // blanks allowed around either number, fractions cut off, signs kept
    } good[] = {{"585 ,245", 585, 245}, {"\t7 ,  8 ", 7, 8}, {"0,0", 0, 0}, {"12.9, 3.2", 12, 3}, {"-4.7, -0.5", -4, 0}};
    for (const Case& c : good) {
        int a = -1, b = -1;
        ASSERT_TRUE(tsraParsePair(c.m_pText, a, b)) << c.m_pText;
        EXPECT_EQ(a, c.m_nA) << c.m_pText;
        EXPECT_EQ(b, c.m_nB) << c.m_pText;
    }
    for (const char* text : {"900 568", ",568", " ,568", "900,", "900, ", "", "a, 5", "5, b", "1, 2, 3", "5x, 6"}) {
        int a = -11, b = -22;
        EXPECT_FALSE(tsraParsePair(text, a, b)) << '"' << text << '"';
        EXPECT_EQ(a * 100 + b, -1122) << "outputs untouched: " << text;
    }
    int a = 0, b = 0;
    EXPECT_FALSE(tsraParsePair(nullptr, a, b));
}

TEST(UiDescriptionQuery, TagsTemplatesAndBitmapsByName)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(R"(<vstgui-ui-description version="1">
  <bitmaps><bitmap name="knob" path="knob.png"/><bitmap name="back" path="back.png"/></bitmaps>
  <control-tags><control-tag name="Gain" tag="0"/><control-tag name="Pan" tag="7"/><control-tag name="Tab" tag="65536"/></control-tags>
  <template name="Other" size="10, 10"/><template name="Editor" size="900, 568"/>
</vstgui-ui-description>)"));
    // Names compare exactly; unknown names and numbers give -1; a number's position is its index.
    const std::pair<const char*, int> numbers[] = {{"Gain", 0}, {"Pan", 7}, {"Tab", 65536}, {"gain", -1}, {"", -1}, {nullptr, -1}};
    for (const auto& [pName, nNumber] : numbers)
        EXPECT_EQ(tsraControlTagNumber(doc, pName), nNumber) << (pName ? pName : "null");
    EXPECT_EQ(tsraControlTagNumber(pugi::xml_document{}, "Gain"), -1);
    const std::pair<int, int> positions[] = {{0, 0}, {7, 1}, {65536, 2}, {1, -1}, {-1, -1}};
    for (const auto& [nNumber, nPosition] : positions)
        EXPECT_EQ(tsraControlTagPosition(doc, nNumber), nPosition) << nNumber;
    EXPECT_STREQ(tsraFindTemplate(doc, "Editor").attribute("size").value(), "900, 568");
    EXPECT_STREQ(tsraFindTemplate(doc, "Other").attribute("size").value(), "10, 10");
    EXPECT_FALSE(tsraFindTemplate(doc, "editor"));
    EXPECT_STREQ(tsraFindBitmap(doc, "back").attribute("path").value(), "back.png");
    EXPECT_STREQ(tsraFindBitmap(doc, "knob").attribute("path").value(), "knob.png");
    EXPECT_FALSE(tsraFindBitmap(doc, "none"));
    EXPECT_FALSE(tsraFindBitmap(doc, nullptr));
}
