// The folder's files are compiled in byte for byte, found by type and upper-case file name.
#include "EditorResources.h"
#include "EmbeddedResources.h"
#include "TsraResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

TEST(EditorResources, EveryFileOfTheFolderIsEmbeddedByteForByteUnderItsUpperCaseName)
{
    tsraRegisterEditorResources();
    tsraRegisterEditorResources();  // registering again adds nothing
    size_t files = 0;
    for (const auto& item : std::filesystem::directory_iterator(BW_EDITOR_RESOURCES_DIR)) {
        const std::string name = item.path().filename().string();
        const bool bPng = item.path().extension() == ".png";
        if (!bPng && name != "TSRA.UIDESC")
            continue;
        ++files;
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        const TsraResourceEntry* pEntry = tsraFindResource(bPng ? "PNG" : "DATA", upper.c_str());
        ASSERT_NE(pEntry, nullptr) << name;
        EXPECT_STREQ(pEntry->pName, upper.c_str());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(pEntry->pData), pEntry->nSize), sourceFile(name)) << name;
        EXPECT_EQ(tsraFindResource(bPng ? "DATA" : "PNG", upper.c_str()), nullptr) << "types differ: " << name;
    }
    EXPECT_EQ(files, 32u);
    EXPECT_EQ(tsraEditorResourceCount(), files);
}
