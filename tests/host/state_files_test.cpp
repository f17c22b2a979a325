#include "core/state_files.h"

#include "fakes/fixture.h"

namespace {

TEST_F(SwitcherTest, StateFileNamesAreCodePage936BytesBesideTheProgram) {
    EXPECT_EQ(PathFile(), "C:\\Tools\\switcher\\\xb4\xa2\xb4\xe6\xc2\xb7\xbe\xb6.pp");
    EXPECT_EQ(BackupFile(), "C:\\Tools\\switcher\\\xce\xc4\xbc\xfe\xb1\xb8\xb7\xdd.pp");
    EXPECT_EQ(PathFileName("C:"), "C:\\\xb4\xa2\xb4\xe6\xc2\xb7\xbe\xb6.pp");
}

TEST_F(SwitcherTest, SetUpNeedsBothStateFiles) {
    EXPECT_FALSE(IsSetUp(platform, app.programDirectory));
    platform.AddFile(BackupFile(), "x");
    EXPECT_FALSE(IsSetUp(platform, app.programDirectory));
    platform.AddFile(PathFile(), "x");
    EXPECT_TRUE(IsSetUp(platform, app.programDirectory));
    // Found beside the executable only: a moved program is no longer set up.
    EXPECT_FALSE(IsSetUp(platform, "C:\\Elsewhere"));
}

TEST_F(SwitcherTest, StoredPathEndsAtTheFirstZeroOrCtrlZ) {
    const struct {
        Text content;
        Text path;
    } cases[] = {
        {"D:\\PS\\tw10428.dat", "D:\\PS\\tw10428.dat"},
        {Text("D:\\PS\\a\0b", 9), "D:\\PS\\a"},
        {"D:\\PS\\a\x1a" "b", "D:\\PS\\a"},
        {"D:\\PS\\a\r\n", "D:\\PS\\a\r\n"},  // a hand-added line break stays part of the path
        {"D:\\\xd6\xd0\xce\xc4\\tw10428.dat", "D:\\\xd6\xd0\xce\xc4\\tw10428.dat"},
        {"", ""},
    };
    for (const auto& c : cases) {
        platform.AddFile(PathFile(), c.content);
        EXPECT_EQ(ReadStoredPath(platform, app.programDirectory), c.path);
    }
}

TEST_F(SwitcherTest, ReadOnlyPathFileIsStillRead) {
    platform.AddFile(PathFile(), kLanguageFile);
    platform.SetReadOnly(PathFile());
    EXPECT_EQ(ReadStoredPath(platform, app.programDirectory), kLanguageFile);
}

TEST_F(SwitcherTest, UnreadablePathFileGivesAnEmptyPath) {
    EXPECT_EQ(ReadStoredPath(platform, app.programDirectory), "");
    platform.AddFile(PathFile(), kLanguageFile);
    platform.SetLocked(PathFile());
    EXPECT_EQ(ReadStoredPath(platform, app.programDirectory), "");
}

TEST_F(SwitcherTest, StorePathWritesExactlyThePathBytes) {
    platform.AddFile(PathFile(), "an older and much longer path than the new one, replaced whole");
    ASSERT_TRUE(StorePath(platform, app.programDirectory, kLanguageFile));
    EXPECT_EQ(platform.Content(PathFile()).size(), 50u);
    EXPECT_EQ(platform.Content(PathFile()), kLanguageFile);
}

}  // namespace
