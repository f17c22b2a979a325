#include "core/drop_acceptance.h"

#include "core/backup.h"
#include "fakes/fixture.h"

namespace {

const Text kShortcut = "C:\\Users\\a\\Desktop\\Photoshop.lnk";

enum class Outcome { SetUp, NotPhotoshop, NoLanguageFile };

struct DropCase {
    const char* name;
    Text dropped;
    Outcome outcome;
};

const DropCase kDrops[] = {
    {"mixed case", "D:\\Apps\\PS\\Photoshop.exe", Outcome::SetUp},
    {"upper case", "D:\\Apps\\PS\\PHOTOSHOP.EXE", Outcome::SetUp},
    {"shortcut", kShortcut, Outcome::SetUp},
    {"upper case shortcut", "C:\\Users\\a\\Desktop\\Photoshop.LNK", Outcome::SetUp},
    {"backup copy", "D:\\Apps\\PS\\photoshop.exe.bak", Outcome::NotPhotoshop},
    {"another program", "C:\\Windows\\notepad.exe", Outcome::NotPhotoshop},
    {"no extension", "D:\\Apps\\PS\\Photoshop", Outcome::NotPhotoshop},
    {"several files", "D:\\Apps\\PS\\Photoshop.exe\r\nD:\\Apps\\PS\\readme.txt\r\n",
     Outcome::NotPhotoshop},
    {"several files, Photoshop last", "D:\\x.txt\r\nD:\\Apps\\PS\\Photoshop.exe\r\n",
     Outcome::NotPhotoshop},
    {"shortcut to a folder", "C:\\Users\\a\\Desktop\\PS.lnk", Outcome::NotPhotoshop},
    {"shortcut to a document", "C:\\Users\\a\\Desktop\\Notes.lnk", Outcome::NotPhotoshop},
    {"unreadable shortcut", "C:\\Users\\a\\Desktop\\Broken.lnk", Outcome::NotPhotoshop},
    {"empty drop", "", Outcome::NotPhotoshop},
    {"English edition", "E:\\PS English\\Photoshop.exe", Outcome::NoLanguageFile},
};

class Drop : public SwitcherTest, public testing::WithParamInterface<DropCase> {
protected:
    void SetUp() override {
        InstallPhotoshop();
        platform.AddFile("E:\\PS English\\Photoshop.exe", "MZ");
        platform.SetShortcut(kShortcut, kExe);
        platform.SetShortcut("C:\\Users\\a\\Desktop\\Photoshop.LNK", kExe);
        platform.SetShortcut("C:\\Users\\a\\Desktop\\PS.lnk", "D:\\Apps\\PS");
        platform.SetShortcut("C:\\Users\\a\\Desktop\\Notes.lnk", "D:\\notes.txt");
        app.state.languageFolder = kLanguageFolder;
    }
};

TEST_P(Drop, AcceptsOnlyPhotoshopsExecutable) {
    const DropCase& c = GetParam();
    OnFileDropped(app, c.dropped);

    if (c.outcome == Outcome::SetUp) {
        EXPECT_TRUE(platform.errorBoxes.empty());
        EXPECT_EQ(platform.Content(PathFile()), kLanguageFile);
        EXPECT_EQ(platform.Content(BackupFile()), LanguageBytes());
        EXPECT_EQ(app.state.languageFilePath, kLanguageFile);
        // The buttons keep the enabled state they were created with.
        EXPECT_EQ(controls.calls,
                  (std::vector<std::string>{"group box hidden", "chinese shown", "english shown"}));
        return;
    }
    EXPECT_EQ(platform.errorBoxes, std::vector<std::string>{c.outcome == Outcome::NotPhotoshop
                                                                ? kNotPhotoshopMessage
                                                                : kNoLanguageFileMessage});
    EXPECT_TRUE(platform.writes.empty());
    EXPECT_TRUE(controls.calls.empty());
    EXPECT_EQ(app.state.languageFilePath, "");
}

INSTANTIATE_TEST_SUITE_P(, Drop, testing::ValuesIn(kDrops), CaseName());

TEST_F(SwitcherTest, SetUpWritesThePathFileThenTheBackup) {
    InstallPhotoshop();
    app.state.languageFolder = kLanguageFolder;
    OnFileDropped(app, kExe);
    // Each through the temporary file that then takes its place.
    const Text temporary = "C:\\Tools\\switcher\\PsLangSwitch.tmp";
    EXPECT_EQ(platform.writes,
              (std::vector<std::string>{temporary, PathFile(), temporary, BackupFile()}));
    EXPECT_EQ(platform.Content(PathFile()).size(), 50u);
}

// The language file is looked for beside the executable: only its own name is replaced, and a
// Chinese folder name is kept as its code-page-936 bytes.
TEST_F(SwitcherTest, DerivesTheLanguageFileBesideTheExecutable) {
    const struct {
        Text exe;
        Text language;
    } cases[] = {
        {"D:\\photoshop.exe.d\\Photoshop.exe",
         "D:\\photoshop.exe.d\\Locales\\zh_CN\\Support Files\\tw10428.dat"},
        {"D:\\\xd6\xd0\xce\xc4\\Photoshop.exe",
         "D:\\\xd6\xd0\xce\xc4\\Locales\\zh_CN\\Support Files\\tw10428.dat"},
    };
    app.state.languageFolder = kLanguageFolder;
    for (const auto& c : cases) {
        platform.AddFile(c.exe, "MZ");
        platform.AddFile(c.language, "data");

        OnFileDropped(app, c.exe);

        EXPECT_TRUE(platform.errorBoxes.empty());
        EXPECT_EQ(app.state.derivedLanguageFilePath, c.language);
        EXPECT_EQ(platform.Content(PathFile()), c.language);
    }
}

// A failed save must not leave a new path file beside an older backup: a later switch to
// Chinese would then write the wrong file into Photoshop.
TEST_F(SwitcherTest, FailedSaveIsReportedAndUndone) {
    const struct {
        const char* name;
        bool failPathFile;
    } cases[] = {{"path file not written", true}, {"backup not copied", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPlatform fresh;
        RecordingControls freshControls;
        Switcher run{fresh, freshControls, app.programDirectory, {}};
        run.state.languageFolder = kLanguageFolder;
        fresh.AddFile(kExe, "MZ");
        fresh.AddFile(kLanguageFile, LanguageBytes());
        fresh.AddFile(BackupFile(), "backup of another Photoshop");
        if (c.failPathFile) fresh.FailWritesTo(PathFile());
        else fresh.FailWritesTo(BackupFile());

        OnFileDropped(run, kExe);

        EXPECT_EQ(fresh.errorBoxes, std::vector<std::string>{kCannotSaveSettingsMessage});
        EXPECT_FALSE(fresh.HasFile(PathFile()));
        // The other Photoshop's backup may be its only copy: it stays, as the previous backup.
        EXPECT_EQ(fresh.Content(PreviousBackupFileName(app.programDirectory)),
                  "backup of another Photoshop");
        EXPECT_FALSE(IsSetUp(fresh, app.programDirectory));
        EXPECT_TRUE(freshControls.calls.empty());  // still in set-up mode
        EXPECT_EQ(run.state.languageFilePath, "");
    }
}

}  // namespace
