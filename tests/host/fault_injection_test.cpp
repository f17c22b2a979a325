// Every platform call of a set-up, both switches and backup refreshes is made to fail, and in
// a second walk the program "dies" right after it and starts afresh on the same files. After
// every step the user's language file must still exist somewhere in one of the versions the
// program has backed up lately, and no file may be left cut short.
#include <algorithm>
#include <set>

#include "core/backup.h"
#include "core/drop_acceptance.h"
#include "core/startup.h"
#include "core/switch_commands.h"
#include "core/state_files.h"
#include "fakes/recording_controls.h"
#include "fakes/memory_platform.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

enum class Step { SetUp, ToEnglish, ToChinese, PhotoshopUpdates, SomethingCutsIt, SomethingRemovesIt };

const Step kScript[] = {
    Step::SetUp,     Step::ToEnglish,       Step::ToChinese, Step::PhotoshopUpdates,
    Step::ToEnglish, Step::ToChinese,       Step::SomethingCutsIt, Step::ToEnglish,
    Step::ToChinese, Step::SomethingRemovesIt, Step::ToChinese, Step::ToEnglish,
};

const Text kUpdated = "tw10428 as Photoshop's update left it, longer than before";

enum class Fault { FailCall, CrashAfterCall };

const Text kExe = "D:\\Apps\\PS\\Photoshop.exe";
const Text kLanguageFile = "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat";
const Text kProgramDirectory = "C:\\Tools\\switcher";
const char kOriginalBytes[] = "tw10428 \x01\x1a\x00 language data";
const Text kOriginal(kOriginalBytes, sizeof kOriginalBytes - 1);

struct FaultWalk {
    MemoryPlatform platform;
    std::unique_ptr<RecordingControls> screen = std::make_unique<RecordingControls>();
    std::unique_ptr<Switcher> program;
    std::vector<Text> versions;  // every language file that existed, in order
    // What the backups held, oldest first: each backup, and each language file a refresh set
    // out to back up. A refresh moves the backup aside first, so the one before it goes even
    // when the refresh then fails; the language file it was for stays in place meanwhile.
    // Most recent last; an entry not yet seen in the backup is one a refresh set out to make,
    // safe only in the language file, so a change from outside makes it moot.
    struct Backup {
        Text bytes;
        bool made;
        bool lostOutside = false;  // unmade, and the language file changed from outside
    };
    std::vector<Backup> backedUp;
    Text languageBefore, previousBefore;

    void Record(const Text& bytes, bool made) {
        const auto found = std::find_if(backedUp.begin(), backedUp.end(),
                                        [&](const Backup& b) { return b.bytes == bytes; });
        if (found != backedUp.end()) {
            made = made || found->made;
            backedUp.erase(found);
        }
        backedUp.push_back({bytes, made, false});
    }

    void StartProgram() {
        screen = std::make_unique<RecordingControls>();
        program = std::make_unique<Switcher>(Switcher{platform, *screen, kProgramDirectory, {}});
        OnWindowCreated(*program);
    }
    bool InSetUpMode() { return screen->states[Control::DropGroupBox].visible; }

    // Runs one step; false when the step was cut short by the simulated crash.
    bool Run(Step step) {
        const std::size_t boxes = platform.errorBoxes.size();
        languageBefore = platform.Content(kLanguageFile);
        previousBefore = platform.Content(PreviousBackupFileName(kProgramDirectory));
        try {
            switch (step) {
                case Step::SetUp: OnFileDropped(*program, kExe); break;
                case Step::ToEnglish: OnSwitchToEnglish(*program); break;
                case Step::ToChinese: OnSwitchToChinese(*program); break;
                case Step::PhotoshopUpdates: Outside(kUpdated); break;
                case Step::SomethingCutsIt:
                    if (platform.HasFile(kLanguageFile)) {
                        Outside(platform.Content(kLanguageFile).substr(0, 9));
                    }
                    break;
                case Step::SomethingRemovesIt:
                    platform.RemoveFile(kLanguageFile);
                    ForgetUnmadeBackups();
                    break;
            }
        } catch (const SimulatedCrash&) {
            return false;
        }
        // A step that did not get done must have said so.
        if (platform.errorBoxes.size() == boxes) {
            switch (step) {
                case Step::SetUp: EXPECT_FALSE(InSetUpMode()) << "set-up failed silently"; break;
                case Step::ToEnglish:
                    EXPECT_FALSE(platform.HasFile(kLanguageFile)) << "delete failed silently";
                    break;
                case Step::ToChinese:
                    EXPECT_EQ(platform.Content(kLanguageFile), platform.Content(BackupFileName(kProgramDirectory)))
                        << "restore failed silently";
                    break;
                default: break;
            }
        }
        return true;
    }

    void Outside(const Text& bytes) {
        platform.AddFile(kLanguageFile, bytes);
        versions.push_back(bytes);
        ForgetUnmadeBackups();
    }
    void ForgetUnmadeBackups() {
        for (Backup& b : backedUp) b.lostOutside = b.lostOutside || !b.made;
    }

    void CheckInvariants(const std::string& where) {
        SCOPED_TRACE(where);
        if (platform.Content(PreviousBackupFileName(kProgramDirectory)) != previousBefore) {
            Record(languageBefore, false);
        }
        if (platform.HasFile(BackupFileName(kProgramDirectory))) {
            Record(platform.Content(BackupFileName(kProgramDirectory)), true);
        }
        const auto whole = [&](const Text& bytes) {
            return std::find(versions.begin(), versions.end(), bytes) != versions.end();
        };
        // Nothing the program wrote in place of a user's file is cut short.
        for (const Text& file : {Text(kLanguageFile), BackupFileName(kProgramDirectory),
                                 PreviousBackupFileName(kProgramDirectory)}) {
            if (platform.HasFile(file)) {
                EXPECT_TRUE(whole(platform.Content(file))) << file;
            }
        }
        // The last two backups are still on disk, as a backup or as the language file.
        std::set<Text> onDisk;
        for (const Text& file : {Text(kLanguageFile), BackupFileName(kProgramDirectory),
                                 PreviousBackupFileName(kProgramDirectory)}) {
            if (platform.HasFile(file)) onDisk.insert(platform.Content(file));
        }
        for (std::size_t i = backedUp.size() >= 2 ? backedUp.size() - 2 : 0; i < backedUp.size(); ++i) {
            if (backedUp[i].lostOutside) continue;
            EXPECT_TRUE(onDisk.count(backedUp[i].bytes)) << "backup " << i << " was lost";
        }
        // A consistent pair of state files, or none that counts. (Read without the platform's
        // calls, which would count towards the fault.)
        if (platform.HasFile(PathFileName(kProgramDirectory)) &&
            platform.HasFile(BackupFileName(kProgramDirectory))) {
            EXPECT_EQ(platform.Content(PathFileName(kProgramDirectory)), kLanguageFile);
        }
    }

    void Walk(Fault fault, int call) {
        platform.AddFile(kExe, "MZ");
        Outside(kOriginal);
        StartProgram();
        if (fault == Fault::FailCall) platform.failCall = platform.calls + call;
        else platform.crashAfterCall = platform.calls + call;

        int index = 0;
        for (const Step step : kScript) {
            const std::string where = "step " + std::to_string(index++);
            // A user who sees the drop area drops Photoshop again before switching.
            if ((step == Step::ToEnglish || step == Step::ToChinese) && InSetUpMode()) {
                if (!Run(Step::SetUp)) StartProgram();
                CheckInvariants(where + " (set-up again)");
                if (InSetUpMode()) continue;
            }
            // Only what the window offers can be clicked.
            if (step == Step::ToEnglish && !screen->states[Control::SwitchToEnglishButton].enabled) continue;
            if (step == Step::ToChinese && !screen->states[Control::SwitchToChineseButton].enabled) continue;
            if (!Run(step)) StartProgram();
            CheckInvariants(where);
        }
    }
};

// Long enough for every call of the script, with room for the calls a restart adds.
int CallsOfAFaultlessWalk() {
    FaultWalk probe;
    probe.Walk(Fault::FailCall, 1 << 30);
    return probe.platform.calls;
}

TEST(FaultInjection, EveryCallFailingOrCrashingKeepsTheLanguageFile) {
    const int calls = CallsOfAFaultlessWalk();
    ASSERT_GT(calls, 50);
    for (const Fault fault : {Fault::FailCall, Fault::CrashAfterCall}) {
        for (int call = 1; call <= calls + 10; ++call) {
            SCOPED_TRACE((fault == Fault::FailCall ? "fail call " : "crash after call ") +
                         std::to_string(call));
            FaultWalk walk;
            walk.Walk(fault, call);
            if (testing::Test::HasFailure()) return;  // one walk's report is enough to go on
        }
    }
}

}  // namespace
