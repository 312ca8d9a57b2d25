#include "EditorResources.h"
#include "EmbeddedResources.h"
#include "TsraResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> pngFilesOfTheFolder() {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(BW_EDITOR_RESOURCES_DIR)) {
        if (item.path().extension() == ".png") names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string bytesOf(const TsraResourceEntry& entry) {
    return std::string(reinterpret_cast<const char*>(entry.pData), entry.nSize);
}

}  // namespace

TEST(EditorResources, TheDescriptionIsEmbeddedByteForByte)
{
    tsraRegisterEditorResources();
    const TsraResourceEntry* pEntry = tsraFindResource("DATA", "TSRA.UIDESC");
    ASSERT_NE(pEntry, nullptr);
    EXPECT_STREQ(pEntry->pType, "DATA");
    EXPECT_STREQ(pEntry->pName, "TSRA.UIDESC");
    const std::string onDisk = sourceFile("TSRA.UIDESC");
    ASSERT_FALSE(onDisk.empty());
    EXPECT_EQ(bytesOf(*pEntry), onDisk);
}

TEST(EditorResources, EveryPngOfTheFolderIsEmbeddedUnderItsUpperCaseName)
{
    tsraRegisterEditorResources();
    const std::vector<std::string> files = pngFilesOfTheFolder();
    EXPECT_EQ(files.size(), 31u);
    EXPECT_EQ(tsraEditorResourceCount(), files.size() + 1);
    for (const std::string& file : files) {
        const TsraResourceEntry* pEntry = tsraFindResource("PNG", upper(file).c_str());
        ASSERT_NE(pEntry, nullptr) << file;
        EXPECT_STREQ(pEntry->pName, upper(file).c_str());
        EXPECT_EQ(bytesOf(*pEntry), sourceFile(file)) << file;
    }
}

TEST(EditorResources, BitmapPathsFindTheirResourceWithoutRegardToCase)
{
    tsraRegisterEditorResources();
    const TsraResourceEntry* pUpper = tsraFindResource("PNG", "KBON1.PNG");
    ASSERT_NE(pUpper, nullptr);
    EXPECT_EQ(tsraFindResource("PNG", "kbon1.png"), pUpper);
    EXPECT_EQ(tsraFindResource("PNG", "Kbon1.Png"), pUpper);
    EXPECT_NE(tsraFindResource("PNG", "kbon1small.png"), pUpper);
    EXPECT_NE(tsraFindResource("DATA", "tsra.uidesc"), nullptr);
    // Types are not interchangeable, and images the module does not carry are not found.
    EXPECT_EQ(tsraFindResource("DATA", "KBON1.PNG"), nullptr);
    EXPECT_EQ(tsraFindResource("PNG", "TSRA.UIDESC"), nullptr);
    EXPECT_EQ(tsraFindResource("PNG", "vuledoff.png"), nullptr);
}

TEST(EditorResources, RegisteringAgainChangesNothing)
{
    tsraRegisterEditorResources();
    const TsraResourceEntry* pBefore = tsraFindResource("PNG", "paperback.png");
    tsraRegisterEditorResources();
    EXPECT_EQ(tsraFindResource("PNG", "paperback.png"), pBefore);
}
