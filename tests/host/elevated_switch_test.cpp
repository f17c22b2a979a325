#include "core/elevated_switch.h"

#include "fakes/fixture.h"

namespace {

const Text kSupportFiles = "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files";

// Photoshop's folder is writable only with administrator rights, as under Program Files.
class ElevationTest : public SwitcherTest {
protected:
    void SetUp() override {
        InstallPhotoshop();
        SetUpEarlier();
        platform.DenyAccessToFolder(kSupportFiles);
    }
    // The elevated copy: the same files, administrator rights, its own reading of the state.
    void ElevatedRunsForReal() {
        platform.elevate = [this](const std::string& argument) {
            platform.elevated = true;
            const int code = RunElevatedSwitch(
                platform, app.programDirectory,
                argument == kSwitchToEnglishArgument ? Direction::ToEnglish : Direction::ToChinese);
            platform.elevated = false;
            return ElevatedRun{ElevatedRun::Status::Exited, static_cast<unsigned long>(code)};
        };
    }
    bool EnglishOffered() { return controls.states[Control::SwitchToEnglishButton].enabled; }
};

TEST_F(ElevationTest, AccessDeniedRunsTheSwitchElevatedBothWays) {
    ElevatedRunsForReal();
    OnSwitchToEnglish(app);
    EXPECT_FALSE(platform.HasFile(kLanguageFile));
    EXPECT_FALSE(EnglishOffered());

    OnSwitchToChinese(app);
    EXPECT_EQ(platform.Content(kLanguageFile), LanguageBytes());
    EXPECT_TRUE(EnglishOffered());
    EXPECT_EQ(platform.elevatedArguments,
              (std::vector<std::string>{"--switch-to-english", "--switch-to-chinese"}));
    EXPECT_TRUE(platform.errorBoxes.empty());
}

TEST_F(ElevationTest, ACancelledPromptChangesNothingAndSaysNothing) {
    platform.elevate = [](const std::string&) {
        return ElevatedRun{ElevatedRun::Status::Cancelled, 0};
    };
    OnSwitchToEnglish(app);
    EXPECT_TRUE(platform.errorBoxes.empty());
    EXPECT_EQ(platform.Content(kLanguageFile), LanguageBytes());
    EXPECT_TRUE(EnglishOffered());
}

TEST_F(ElevationTest, AFailedOrImpossibleElevationGivesTheFailureMessage) {
    const struct {
        const char* name;
        std::function<ElevatedRun(const std::string&)> elevate;
        const char* message;
    } cases[] = {
        {"cannot start", nullptr, kCannotDeleteMessage},
        {"elevated delete failed",
         [](const std::string&) {
             return ElevatedRun{ElevatedRun::Status::Exited,
                                static_cast<unsigned long>(SwitchOutcome::DeleteFailed)};
         },
         kCannotDeleteMessage},
        {"Photoshop started meanwhile",
         [](const std::string&) {
             return ElevatedRun{ElevatedRun::Status::Exited,
                                static_cast<unsigned long>(SwitchOutcome::PhotoshopRunning)};
         },
         kPhotoshopRunningMessage},
        {"an exit code that is not ours", [](const std::string&) {
             return ElevatedRun{ElevatedRun::Status::Exited, 0xC0000005ul};
         },
         kCannotDeleteMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.errorBoxes.clear();
        platform.elevate = c.elevate;
        OnSwitchToEnglish(app);
        EXPECT_EQ(platform.errorBoxes, std::vector<std::string>{c.message});
        EXPECT_EQ(platform.Content(kLanguageFile), LanguageBytes());
        EXPECT_TRUE(EnglishOffered());
    }
}

TEST_F(ElevationTest, NoPromptWhenTheSwitchNeedsNone) {
    MemoryPlatform open;  // Photoshop's folder writable as it is
    RecordingControls openControls;
    Switcher run{open, openControls, app.programDirectory, app.state};
    open.AddFile(kLanguageFile, LanguageBytes());
    open.AddFile(PathFile(), kLanguageFile);
    open.AddFile(BackupFile(), LanguageBytes());
    OnSwitchToEnglish(run);
    EXPECT_TRUE(open.elevatedArguments.empty());
    EXPECT_FALSE(open.HasFile(kLanguageFile));

    // Already elevated and still denied: nothing to gain from asking again.
    platform.elevated = true;
    platform.SetReadOnly(kLanguageFile);
    OnSwitchToEnglish(app);
    EXPECT_TRUE(platform.elevatedArguments.empty());
}

TEST_F(ElevationTest, ShieldOnlyWhereTheFolderCannotBeWritten) {
    EXPECT_TRUE(SwitchNeedsElevation(platform, kLanguageFile));
    platform.elevated = true;
    EXPECT_FALSE(SwitchNeedsElevation(platform, kLanguageFile));
    platform.elevated = false;
    EXPECT_FALSE(SwitchNeedsElevation(platform, "D:\\Writable\\Locales\\zh_CN\\Support Files\\tw10428.dat"));
    EXPECT_FALSE(SwitchNeedsElevation(platform, "junk"));
}

// The elevated run trusts nothing but the state files beside it, and says how it ended.
TEST_F(ElevationTest, ElevatedRunRefusesAnythingButAKnownInstall) {
    platform.elevated = true;
    const auto run = [&](Direction direction) {
        return static_cast<SwitchOutcome>(RunElevatedSwitch(platform, app.programDirectory, direction));
    };
    EXPECT_EQ(run(Direction::ToEnglish), SwitchOutcome::Done);
    EXPECT_EQ(run(Direction::ToChinese), SwitchOutcome::Done);

    platform.runningImages = {kExe};
    EXPECT_EQ(run(Direction::ToEnglish), SwitchOutcome::PhotoshopRunning);
    platform.runningImages.clear();

    platform.AddFile(PathFile(), "C:\\Windows\\System32\\important.dll");
    EXPECT_EQ(run(Direction::ToEnglish), SwitchOutcome::InvalidSettings);
    platform.AddFile(PathFile(), "E:\\NoPhotoshop\\Locales\\zh_CN\\Support Files\\tw10428.dat");
    platform.AddFile("E:\\NoPhotoshop\\Locales\\zh_CN\\Support Files\\tw10428.dat", "x");
    EXPECT_EQ(run(Direction::ToEnglish), SwitchOutcome::PhotoshopMissing);
    EXPECT_EQ(platform.Content("E:\\NoPhotoshop\\Locales\\zh_CN\\Support Files\\tw10428.dat"), "x");

    platform.AddFile(PathFile(), kLanguageFile);
    platform.RemoveFile(kLanguageFile);
    platform.RemoveFile(BackupFile());
    EXPECT_EQ(run(Direction::ToChinese), SwitchOutcome::NotSetUp);
    EXPECT_FALSE(platform.HasFile(kLanguageFile));
}

}  // namespace
