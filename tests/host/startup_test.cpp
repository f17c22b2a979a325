#include "core/startup.h"

#include <string>
#include <vector>

#include "fakes/fixture.h"

namespace {

struct StartupCase {
    const char* name;
    bool pathFile;
    bool backupFile;
    bool languageFile;
    std::vector<std::string> calls;  // after the drop-area registration
    bool pathRead;
};

const StartupCase kStartupCases[] = {
    {"nothing stored", false, false, true,
     {"group box shown", "chinese hidden", "english hidden"}, false},
    {"only the path file", true, false, true,
     {"group box shown", "chinese hidden", "english hidden"}, false},
    {"only the backup", false, true, true,
     {"group box shown", "chinese hidden", "english hidden"}, false},
    {"set up, Chinese installed", true, true, true,
     {"group box hidden", "chinese shown", "english shown", "chinese disabled", "english enabled"},
     true},
    {"set up, switched to English earlier", true, true, false,
     {"group box hidden", "chinese shown", "english shown", "chinese enabled", "english disabled"},
     true},
};

class StartupModes : public SwitcherTest, public testing::WithParamInterface<StartupCase> {};

TEST_P(StartupModes, ChoosesTheModeFromTheStateFiles) {
    const StartupCase& c = GetParam();
    platform.AddFile(kExe, "MZ");
    if (c.languageFile) platform.AddFile(kLanguageFile, LanguageBytes());
    if (c.pathFile) platform.AddFile(PathFile(), kLanguageFile);
    if (c.backupFile) platform.AddFile(BackupFile(), LanguageBytes());

    OnWindowCreated(app);

    std::vector<std::string> expected{"register drop area"};
    expected.insert(expected.end(), c.calls.begin(), c.calls.end());
    EXPECT_EQ(controls.calls, expected);
    EXPECT_EQ(app.state.languageFolder, "Locales\\zh_CN\\Support Files\\");
    EXPECT_EQ(app.state.languageFilePath, c.pathRead ? kLanguageFile : "");
    EXPECT_TRUE(platform.errorBoxes.empty());
    EXPECT_TRUE(platform.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(, StartupModes, testing::ValuesIn(kStartupCases), CaseName());

// A stored path that can't be used still opens switch mode, offering the switch to Chinese.
TEST_F(SwitcherTest, UnusableStoredPathOffersTheSwitchToChinese) {
    const struct {
        const char* name;
        Text stored;
    } cases[] = {
        {"empty path file", ""},
        {"hand-edited line break", Text(kLanguageFile) + "\r\n"},
        {"file gone", "D:\\Gone\\tw10428.dat"},
    };
    InstallPhotoshop();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.AddFile(PathFile(), c.stored);
        platform.AddFile(BackupFile(), LanguageBytes());
        controls = RecordingControls();

        OnWindowCreated(app);

        EXPECT_EQ(app.state.languageFilePath, c.stored);
        EXPECT_TRUE(controls.states[Control::SwitchToChineseButton].enabled);
        EXPECT_FALSE(controls.states[Control::SwitchToEnglishButton].enabled);
    }
}

}  // namespace
