#include "core/language_file.h"

#include "core/drop_acceptance.h"
#include "core/program_texts.h"
#include "fakes/fixture.h"

namespace {

const Text kInstall = "C:\\Program Files\\Adobe\\Adobe Photoshop 2024";
const Text kExe2024 = kInstall + "\\Photoshop.exe";

struct LayoutCase {
    const char* name;
    std::vector<Text> files;    // relative to the install folder
    std::vector<Text> folders;  // likewise
    Text expectedPathFile;      // relative; empty: the "no language file" message
};

const LayoutCase kLayouts[] = {
    {"CS6 old name", {"Locales\\zh_CN\\Support Files\\tw10428.dat"}, {},
     "Locales\\zh_CN\\Support Files\\tw10428.dat"},
    {"2018 to 2026 new name", {"Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat"}, {},
     "Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat"},
    {"Traditional Chinese old name", {"Locales\\zh_TW\\Support Files\\tw10428.dat"}, {},
     "Locales\\zh_TW\\Support Files\\tw10428.dat"},
    {"Traditional Chinese new name",
     {"Locales\\zh_TW\\Support Files\\tw10428_Photoshop_zh_TW.dat"}, {},
     "Locales\\zh_TW\\Support Files\\tw10428_Photoshop_zh_TW.dat"},
    {"both simplified names, the old one wins",
     {"Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat",
      "Locales\\zh_CN\\Support Files\\tw10428.dat"},
     {}, "Locales\\zh_CN\\Support Files\\tw10428.dat"},
    {"simplified before traditional",
     {"Locales\\zh_TW\\Support Files\\tw10428.dat",
      "Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat"},
     {}, "Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat"},
    {"a folder in place of the file is skipped",
     {"Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat"},
     {"Locales\\zh_CN\\Support Files\\tw10428.dat"},
     "Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat"},
    {"only a folder", {}, {"Locales\\zh_CN\\Support Files\\tw10428.dat"}, ""},
    {"English only", {"Locales\\en_US\\Support Files\\tw10428.dat"}, {}, ""},
    {"none", {}, {}, ""},
};

class InstallLayout : public SwitcherTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(InstallLayout, SetUpStoresTheFirstLanguageFileFound) {
    const LayoutCase& c = GetParam();
    platform.AddFile(kExe2024, "MZ");
    for (const Text& file : c.files) platform.AddFile(kInstall + "\\" + file, "bytes of " + file);
    for (const Text& folder : c.folders) platform.AddDirectory(kInstall + "\\" + folder);
    app.state.languageFolder = kLanguageFolder;

    OnFileDropped(app, kExe2024);

    if (c.expectedPathFile.empty()) {
        EXPECT_EQ(platform.errorBoxes, std::vector<std::string>{kNoLanguageFileMessage});
        EXPECT_TRUE(platform.writes.empty());
        return;
    }
    EXPECT_TRUE(platform.errorBoxes.empty());
    EXPECT_EQ(platform.Content(PathFile()), kInstall + "\\" + c.expectedPathFile);
    EXPECT_EQ(platform.Content(BackupFile()), "bytes of " + c.expectedPathFile);
}

INSTANTIATE_TEST_SUITE_P(, InstallLayout, testing::ValuesIn(kLayouts), CaseName());

TEST(LanguageFileTable, FirstRowIsTheLocationThatAlwaysWorked) {
    EXPECT_EQ(Text(kLanguageFileLocations[0]), Text(kLanguageFolder) + kLanguageFileName);
}

TEST(LanguageFileTable, InstallFolderDropsTheLastFourComponents) {
    EXPECT_EQ(InstallFolderOf(kInstall + "\\Locales\\zh_CN\\Support Files\\tw10428.dat"), kInstall);
    // 0xD5 0x5C is one character: the install folder is "D:".
    EXPECT_EQ(PhotoshopExeOf("D:\\\xd5\\Locales\\zh_TW\\Support Files\\tw10428.dat"),
              "D:\\Photoshop.exe");
    EXPECT_EQ(PhotoshopExeOf("D:\\PS\\Locales\\zh_TW\\Support Files\\tw10428.dat"),
              "D:\\PS\\Photoshop.exe");
    EXPECT_EQ(InstallFolderOf("tw10428.dat"), "");
}

// Paths the ANSI file functions can't take are answered as what they are, not as "not the
// Chinese edition" or "not Photoshop".
TEST_F(SwitcherTest, DropsTheAnsiFunctionsCannotTakeGetTheirOwnMessage) {
    const Text deep = "D:\\" + Text(230, 'x');  // its language file would pass 259 characters
    const struct {
        const char* name;
        Text dropped;
        const char* message;
    } cases[] = {
        {"character outside the code page", "D:\\?\?\\Photoshop.exe", kUnrepresentablePathMessage},
        {"executable path too long", "D:\\" + Text(260, 'x') + "\\Photoshop.exe",
         kPathTooLongMessage},
        {"language file path too long", deep + "\\Photoshop.exe", kPathTooLongMessage},
    };
    app.state.languageFolder = kLanguageFolder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.errorBoxes.clear();
        platform.AddFile(c.dropped, "MZ");
        OnFileDropped(app, c.dropped);
        EXPECT_EQ(platform.errorBoxes, std::vector<std::string>{c.message});
        EXPECT_TRUE(platform.writes.empty());
    }
}

}  // namespace
