#include "TsraResources.h"

#include <gtest/gtest.h>

namespace {
const unsigned char kDesc[] = "<vstgui-ui-description/>";
const unsigned char kPng[] = {0x89, 'P', 'N', 'G'};
const TsraResourceEntry kTable[] = {
    {"DATA", "TSRA.UIDESC", kDesc, sizeof(kDesc) - 1},
    {"PNG", "KBON1.PNG", kPng, sizeof(kPng)},
};
const unsigned char kOther[] = {1};
const TsraResourceEntry kSecond[] = {{"PNG", "kbon1.png", kOther, 1}};
}  // namespace

TEST(TsraResources, LooksUpByTypeAndCaseInsensitiveName)
{
    tsraRegisterResourceTable(kTable, 2);
    tsraRegisterResourceTable(kTable, 2);  // again: no duplicate effect
    EXPECT_EQ(tsraFindResource("PNG", "kbon1.png"), &kTable[1]);
    EXPECT_EQ(tsraFindResource("DATA", "tsra.uidesc"), &kTable[0]);

    EXPECT_EQ(tsraFindResource("DATA", "KBON1.PNG"), nullptr);  // right name, wrong type
    EXPECT_EQ(tsraFindResource("png", "KBON1.PNG"), nullptr);   // types compare exactly
    EXPECT_EQ(tsraFindResource("PNG", "KBON1.PN"), nullptr);    // no prefix matches
    EXPECT_EQ(tsraFindResource("PNG", "KBON1.PNGX"), nullptr);
    EXPECT_EQ(tsraFindResource(nullptr, "KBON1.PNG"), nullptr);
    EXPECT_EQ(tsraFindResource("PNG", nullptr), nullptr);

    tsraRegisterResourceTable(kSecond, 1);  // a later table does not shadow the first
    EXPECT_EQ(tsraFindResource("PNG", "KBON1.PNG"), &kTable[1]);
}
