#include "core/switch_commands.h"

#include <functional>

#include "fakes/fixture.h"

namespace {

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
}

TEST_F(SwitchTest, EnglishWithTheFileAlreadyGoneJustFlips) {
    platform.RemoveFile(kLanguageFile);
    OnSwitchToEnglish(app);
    EXPECT_EQ(Offered(), "chinese");
    EXPECT_TRUE(platform.errorBoxes.empty());
    EXPECT_TRUE(platform.writes.empty());
}

TEST_F(SwitchTest, ChineseOverPresentFileRewritesItFromTheBackup) {
    OnSwitchToChinese(app);
    EXPECT_EQ(platform.Content(kLanguageFile), LanguageBytes());
    EXPECT_EQ(platform.writes, std::vector<std::string>{kLanguageFile});
    EXPECT_EQ(Offered(), "english");
}

// The backup may be gone or older than the language file; it is made right before deleting.
TEST_F(SwitchTest, EnglishRefreshesAMissingOrOutdatedBackupBeforeDeleting) {
    for (bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing backup" : "outdated backup");
        platform.AddFile(kLanguageFile, "updated by Photoshop");
        if (missing) platform.RemoveFile(BackupFile());
        else platform.AddFile(BackupFile(), LanguageBytes());

        OnSwitchToEnglish(app);

        EXPECT_FALSE(platform.HasFile(kLanguageFile));
        EXPECT_EQ(platform.Content(BackupFile()), "updated by Photoshop");
        EXPECT_TRUE(platform.errorBoxes.empty());
    }
}

struct FailureCase {
    const char* name;
    std::function<void(MemoryPlatform&, const Text& backupFile)> arrange;
    bool toEnglish;
    const char* message;
    bool languageFileAfter;  // and so which button is offered afterwards
};

const Text kLanguage = "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat";

const FailureCase kFailures[] = {
    {"language file held open by Photoshop",
     [](MemoryPlatform& p, const Text&) { p.SetLocked(kLanguage); }, true, kCannotDeleteMessage,
     true},
    {"language file read-only",
     [](MemoryPlatform& p, const Text&) { p.SetReadOnly(kLanguage); }, true, kCannotDeleteMessage,
     true},
    {"outdated backup that can't be rewritten",
     [](MemoryPlatform& p, const Text& backup) {
         p.AddFile(backup, "old");
         p.FailCopiesTo(backup);
     },
     true, kCannotRefreshBackupMessage, true},
    {"missing backup that can't be written",
     [](MemoryPlatform& p, const Text& backup) {
         p.RemoveFile(backup);
         p.FailWritesTo(backup);
     },
     true, kCannotRefreshBackupMessage, true},
    {"backup deleted by hand",
     [](MemoryPlatform& p, const Text& backup) {
         p.RemoveFile(kLanguage);
         p.RemoveFile(backup);
     },
     false, kBackupMissingMessage, false},
    {"no rights on Photoshop's folder",
     [](MemoryPlatform& p, const Text&) {
         p.RemoveFile(kLanguage);
         p.FailCopiesTo(kLanguage);
     },
     false, kCannotRestoreMessage, false},
    {"language file held open while restoring",
     [](MemoryPlatform& p, const Text&) { p.SetLocked(kLanguage); }, false, kCannotRestoreMessage,
     true},
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
    if (!c.toEnglish) {
        EXPECT_EQ(platform.Content(BackupFile()), backupBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(, SwitchFailure, testing::ValuesIn(kFailures), CaseName());

TEST_F(SwitchTest, EmptyStoredPathRestoresNothing) {
    app.state.languageFilePath.clear();
    OnSwitchToChinese(app);
    EXPECT_EQ(platform.errorBoxes, std::vector<std::string>{kCannotRestoreMessage});
    EXPECT_EQ(Offered(), "chinese");
}

}  // namespace
