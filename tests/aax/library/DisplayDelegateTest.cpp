#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CStringDisplayDelegate.h"
#include "AAX_CUnitDisplayDelegateDecorator.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

template <typename T>
std::string Text(const AAX_IDisplayDelegate<T>& d, T value, int32_t limit = -1)
{
    AAX_CString s;
    if (limit < 0)
        d.ValueToString(value, &s);
    else
        d.ValueToString(value, limit, &s);
    return s.StdString();
}

}  // namespace

TEST(NumberDisplay, TwoDecimalsACharacterLimitThatDropsATrailingPointAndParsing)
{
    AAX_CNumberDisplayDelegate<float, 2, 0> d;
    for (const auto& [fValue, nLimit, pText] : {std::tuple{12.5f, -1, "12.50"}, {-42.0f, -1, "-42.00"}, {12.5f, 4, "12.5"},
                                                {123.25f, 4, "123"}, {123.25f, 3, "123"}, {123.25f, 5, "123.2"},
                                                {1.5f, 10, "1.50"}, {1.5f, 0, ""}})
        EXPECT_EQ(Text<float>(d, fValue, nLimit), pText) << fValue << " in " << nLimit;
    AAX_CNumberDisplayDelegate<int32_t, 2, 0> ints;
    EXPECT_EQ(Text<int32_t>(ints, 7), "7.00");

    // Parsing a number truncates it for int32.
    int32_t n = 99;
    for (const auto& [pText, bParsed, nValue] : {std::tuple{"12.7", true, 12}, {"-3.9", true, -3}, {"abc", false, 0}}) {
        EXPECT_EQ(ints.StringToValue(pText, &n), bParsed) << pText;
        EXPECT_EQ(n, nValue) << pText;
    }
    float f = 1.0f;
    EXPECT_TRUE(d.StringToValue("  5.5 dB", &f));
    EXPECT_FLOAT_EQ(f, 5.5f);
    EXPECT_FALSE(d.StringToValue("", &f));
    EXPECT_EQ(f, 0.0f);
}

TEST(UnitDisplay, AppendsTheUnitOnlyWhenItFitsAndStripsItWhenParsing)
{
    AAX_CUnitDisplayDelegateDecorator<float> db(AAX_CNumberDisplayDelegate<float, 2, 0>(), " dB");
    EXPECT_EQ(Text<float>(db, -42.0f, 9), "-42.00 dB");
    EXPECT_EQ(Text<float>(db, -42.0f, 8), "-42.00");
    float f = 0.0f;
    EXPECT_TRUE(db.StringToValue("-42.00 dB", &f));
    EXPECT_FLOAT_EQ(f, -42.0f);
    EXPECT_TRUE(db.StringToValue("3", &f));
    EXPECT_FLOAT_EQ(f, 3.0f);
    // A clone owns its own inner display.
    std::unique_ptr<AAX_IDisplayDelegate<float>> clone(db.Clone());
    EXPECT_EQ(Text<float>(*clone, 1.0f), "1.00 dB");
}

TEST(StringDisplay, ShowsListTextsAndStringNotFound)
{
    AAX_CStringDisplayDelegate<int32_t> d({{0, "OFF"}, {1, "ON"}, {2, "Type IV"}});
    EXPECT_EQ(Text<int32_t>(d, 1), "ON");
    EXPECT_EQ(Text<int32_t>(d, 2, 4), "Type");
    AAX_CString s;
    EXPECT_FALSE(d.ValueToString(5, &s));
    EXPECT_EQ(s.StdString(), "String Not Found");
    int32_t n = 9;
    EXPECT_TRUE(d.StringToValue("Type IV", &n));
    EXPECT_EQ(n, 2);
    EXPECT_FALSE(d.StringToValue("on", &n));
    EXPECT_EQ(n, 0);
}

TEST(BinaryDisplay, TwoTexts)
{
    AAX_CBinaryDisplayDelegate<bool> d("bypass", "on");
    EXPECT_EQ(Text<bool>(d, true), "on");
    EXPECT_EQ(Text<bool>(d, false, 2), "bypass");  // no pairs: the limit changes nothing
    bool b = false;
    EXPECT_TRUE(d.StringToValue("on", &b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(d.StringToValue("off", &b));
}
