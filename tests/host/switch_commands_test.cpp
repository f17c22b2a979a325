#include "core/switch_commands.h"

#include <functional>

#include "core/backup.h"
#include "fakes/fixture.h"

namespace {

const Text kLanguage = "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat";
const Text kTemporaryInPhotoshop = "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\PsLangSwitch.tmp";

class SwitchTest : public SwitcherTest {
protected:
    void SetUp() override {
        InstallPhotoshop();
        SetUpEarlier();
    }
    // Which buttons are enabled after the last call: "chinese", "english" or "both".
    std::string Offered() {
        const bool chinese = controls.states[Control::SwitchToChineseButton].enabled;
        const bool english = controls.states[Control::SwitchToEnglishButton].enabled;
        return chinese && english ? "both" : chinese ? "chinese" : english ? "english" : "none";
    }
    Text PreviousBackup() const { return PreviousBackupFileName(app.programDirectory); }
};

TEST_F(SwitchTest, EnglishThenChineseDeletesAndRestoresByteForByte) {
    OnSwitchToEnglish(app);
    EXPECT_FALSE(platform.HasFile(kLanguageFile));
    EXPECT_EQ(controls.calls, (std::vector<std::string>{"chinese enabled", "english disabled"}));

    OnSwitchToChinese(app);
    EXPECT_EQ(platform.Content(kLanguageFile), LanguageBytes());
    EXPECT_EQ(platform.Content(BackupFile()), LanguageBytes());
    EXPECT_EQ(Offered(), "english");
    EXPECT_TRUE(platform.errorBoxes.empty());
    // Restored through a temporary file beside it that then took its place.
    EXPECT_EQ(platform.writes, (std::vector<std::string>{kTemporaryInPhotoshop, kLanguage}));
    EXPECT_FALSE(platform.HasFile(kTemporaryInPhotoshop));
}

TEST_F(SwitchTest, EnglishWithTheFileAlreadyGoneJustFlips) {
    platform.RemoveFile(kLanguageFile);
    OnSwitchToEnglish(app);
    EXPECT_EQ(Offered(), "chinese");
    EXPECT_TRUE(platform.errorBoxes.empty());
    EXPECT_TRUE(platform.writes.empty());
}

TEST_F(SwitchTest, ChineseOverPresentFileRewritesItFromTheBackup) {
    platform.AddFile(kLanguageFile, "damaged");
    OnSwitchToChinese(app);
    EXPECT_EQ(platform.Content(kLanguageFile), LanguageBytes());
    EXPECT_EQ(Offered(), "english");
}

// The backup may be gone or older than the language file; it is made right before deleting,
// and an older backup is kept under its own name rather than thrown away.
TEST_F(SwitchTest, EnglishRefreshesAMissingOrOutdatedBackupBeforeDeleting) {
    for (bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing backup" : "outdated backup");
        platform.AddFile(kLanguageFile, "updated by Photoshop");
        if (missing) platform.RemoveFile(BackupFile());
        else platform.AddFile(BackupFile(), LanguageBytes());
        platform.RemoveFile(PreviousBackup());

        OnSwitchToEnglish(app);

        EXPECT_FALSE(platform.HasFile(kLanguageFile));
        EXPECT_EQ(platform.Content(BackupFile()), "updated by Photoshop");
        EXPECT_EQ(platform.HasFile(PreviousBackup()), !missing);
        if (!missing) {
            EXPECT_EQ(platform.Content(PreviousBackup()), LanguageBytes());
        }
        EXPECT_TRUE(platform.errorBoxes.empty());
    }
}

// A damaged language file never costs the good backup: it moves to the previous backup.
TEST_F(SwitchTest, ADamagedLanguageFileLeavesTheGoodBackupOnDisk) {
    platform.AddFile(kLanguageFile, LanguageBytes().substr(0, 7));
    OnSwitchToEnglish(app);
    EXPECT_EQ(platform.Content(PreviousBackup()), LanguageBytes());
}

TEST_F(SwitchTest, LeftoverTemporaryFilesAreRemoved) {
    platform.AddFile(kTemporaryInPhotoshop, "cut short");
    platform.AddFile("C:\\Tools\\switcher\\PsLangSwitch.tmp", "cut short");
    OnSwitchToEnglish(app);
    EXPECT_FALSE(platform.HasFile(kTemporaryInPhotoshop));
    EXPECT_FALSE(platform.HasFile("C:\\Tools\\switcher\\PsLangSwitch.tmp"));
}

struct FailureCase {
    const char* name;
    std::function<void(MemoryPlatform&, const Text& backupFile)> arrange;
    bool toEnglish;
    const char* message;
    bool languageFileAfter;  // and so which button is offered afterwards
};

const FailureCase kFailures[] = {
    {"language file held open by Photoshop",
     [](MemoryPlatform& p, const Text&) { p.SetLocked(kLanguage); }, true, kCannotDeleteMessage,
     true},
    {"language file read-only",
     [](MemoryPlatform& p, const Text&) { p.SetReadOnly(kLanguage); }, true, kCannotDeleteMessage,
     true},
    {"delete left pending by another program",
     [](MemoryPlatform& p, const Text&) { p.SetDeletePending(kLanguage); }, true,
     kDeletePendingMessage, true},
    {"outdated backup that can't be rewritten",
     [](MemoryPlatform& p, const Text& backup) {
         p.AddFile(backup, "old");
         p.FailWritesTo(backup);
     },
     true, kCannotRefreshBackupMessage, true},
    {"missing backup that can't be written",
     [](MemoryPlatform& p, const Text& backup) {
         p.RemoveFile(backup);
         p.FailWritesTo(backup);
     },
     true, kCannotRefreshBackupMessage, true},
    {"refreshed backup that reads back wrong",
     [](MemoryPlatform& p, const Text& backup) {
         p.AddFile(backup, "old");
         p.CorruptCopiesTo(backup);
     },
     true, kCannotRefreshBackupMessage, true},
    {"backup locked while deleting",
     [](MemoryPlatform& p, const Text& backup) { p.SetLocked(backup); }, true,
     kBackupUnreadableMessage, true},
    {"backup locked while restoring",
     [](MemoryPlatform& p, const Text& backup) {
         p.RemoveFile(kLanguage);
         p.SetLocked(backup);
     },
     false, kBackupUnreadableMessage, false},
    {"no backup and no language file",
     [](MemoryPlatform& p, const Text& backup) {
         p.RemoveFile(kLanguage);
         p.RemoveFile(backup);
     },
     false, kNoBackupMessage, false},
    {"no rights on Photoshop's folder",
     [](MemoryPlatform& p, const Text&) {
         p.RemoveFile(kLanguage);
         p.FailWritesTo(kLanguage);
     },
     false, kCannotRestoreMessage, false},
    {"restore cut short by a full disk",
     [](MemoryPlatform& p, const Text&) {
         p.RemoveFile(kLanguage);
         p.FailCopiesTo("D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\PsLangSwitch.tmp");
     },
     false, kCannotRestoreMessage, false},
    {"language file held open while restoring",
     [](MemoryPlatform& p, const Text&) { p.SetLocked(kLanguage); }, false, kCannotRestoreMessage,
     true},
    {"Photoshop running, to English",
     [](MemoryPlatform& p, const Text&) { p.runningImages = {"d:\\apps\\ps\\PHOTOSHOP.EXE"}; },
     true, kPhotoshopRunningMessage, true},
    {"Photoshop running, to Chinese",
     [](MemoryPlatform& p, const Text&) {
         p.RemoveFile(kLanguage);
         p.runningImages = {"D:\\Apps\\PS\\Photoshop.exe"};
     },
     false, kPhotoshopRunningMessage, false},
};

class SwitchFailure : public SwitchTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(SwitchFailure, IsReportedAndTheButtonsShowTheRealState) {
    const FailureCase& c = GetParam();
    c.arrange(platform, BackupFile());
    const Text backupBefore = platform.Content(BackupFile());

    if (c.toEnglish) OnSwitchToEnglish(app);
    else OnSwitchToChinese(app);

    EXPECT_EQ(platform.errorBoxes, std::vector<std::string>{c.message});
    EXPECT_EQ(platform.HasFile(kLanguageFile), c.languageFileAfter);
    if (c.languageFileAfter) {
        EXPECT_EQ(platform.Content(kLanguageFile), LanguageBytes());
    }
    EXPECT_EQ(Offered(), c.languageFileAfter ? "english" : "chinese");
    // The backup's bytes are still on disk, at worst kept as the previous backup.
    EXPECT_TRUE(platform.Content(BackupFile()) == backupBefore ||
                platform.Content(PreviousBackup()) == backupBefore);
    EXPECT_FALSE(platform.HasFile(kTemporaryInPhotoshop));
}

INSTANTIATE_TEST_SUITE_P(, SwitchFailure, testing::ValuesIn(kFailures), CaseName());

TEST_F(SwitchTest, AnotherInstallsPhotoshopDoesNotBlock) {
    platform.runningImages = {"E:\\Other PS\\Photoshop.exe", "D:\\Apps\\PS\\Photoshop.exe.bak"};
    OnSwitchToEnglish(app);
    EXPECT_TRUE(platform.errorBoxes.empty());
    EXPECT_FALSE(platform.HasFile(kLanguageFile));
}

// Whatever a damaged or hand-edited path file names is never copied to or deleted: the switch
// says the settings are not valid and brings back the drop area for a new set-up.
TEST_F(SwitchTest, UnusableStoredPathsAreRefusedAndSetUpIsOffered) {
    const Text cases[] = {
        "",
        "junk",
        "Locales\\zh_CN\\Support Files\\tw10428.dat",                  // relative
        "\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat",      // no drive
        "D:\\Apps\\*\\Locales\\zh_CN\\Support Files\\tw10428.dat",     // wildcard
        "D:\\Apps\\PS\\..\\Locales\\zh_CN\\Support Files\\tw10428.dat",
        "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat\r\n",  // hand-added line end
        "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\other.dat",
        "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat\xd6",  // lone lead byte
        "D:\\Apps\\PS2\\Locales\\zh_CN\\Support Files\\tw10428.dat",     // a folder
        "\\\\?\\D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat",
        "D:\\x\xd5\\Locales\\zh_CN\\Support Files\\tw10428.dat",  // 0xD5 0x5C is one character
        "C:\\Tools\\switcher\\\xce\xc4\xbc\xfe\xb1\xb8\xb7\xdd.pp",      // the backup itself
    };
    platform.AddDirectory("D:\\Apps\\PS2\\Locales\\zh_CN\\Support Files\\tw10428.dat");
    for (const Text& stored : cases) {
        SCOPED_TRACE(stored);
        for (bool toEnglish : {true, false}) {
            platform.errorBoxes.clear();
            platform.writes.clear();
            controls = RecordingControls();
            app.state.languageFilePath = stored;
            const auto before = platform.Files();

            if (toEnglish) OnSwitchToEnglish(app);
            else OnSwitchToChinese(app);

            EXPECT_EQ(platform.errorBoxes, std::vector<std::string>{kInvalidSettingsMessage});
            EXPECT_EQ(platform.Files(), before);
            EXPECT_TRUE(controls.states[Control::DropGroupBox].visible);
            EXPECT_FALSE(controls.states[Control::SwitchToChineseButton].visible);
            EXPECT_FALSE(controls.states[Control::SwitchToEnglishButton].visible);
        }
    }
}

TEST_F(SwitchTest, EveryKnownLocationAndNetworkPathsAreUsable) {
    const Text cases[] = {
        "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat",
        "D:\\Apps\\PS\\Locales\\zh_TW\\Support Files\\TW10428.DAT",
        "\\\\server\\share\\PS\\Locales\\zh_TW\\Support Files\\tw10428_Photoshop_zh_TW.dat",
        "D:\\\xd6\xd0\xce\xc4\\Locales\\zh_CN\\Support Files\\tw10428.dat",
    };
    for (const Text& path : cases) {
        SCOPED_TRACE(path);
        platform.AddFile(path, LanguageBytes());
        app.state.languageFilePath = path;
        platform.errorBoxes.clear();
        OnSwitchToEnglish(app);
        EXPECT_TRUE(platform.errorBoxes.empty());
        EXPECT_FALSE(platform.HasFile(path));
    }
}

}  // namespace
