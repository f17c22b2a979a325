#include "fakes/memory_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shared/path_rule_cases.h"

namespace {

const std::string kTarget = "C:\\PS\\Locales\\tw10428.dat";
const std::string kOther = "C:\\PS\\backup.pp";

}  // namespace

TEST(MemoryPlatformPaths, FollowTheSharedPathRules) {
    MemoryPlatform platform;
    ExpectPathRules(platform);
}

TEST(MemoryPlatformPaths, IgnoreAsciiLetterCase) {
    MemoryPlatform platform;
    platform.AddFile("C:\\Program Files\\Adobe\\Photoshop.EXE", "exe");
    platform.SetShortcut("C:\\Desktop\\PS.lnk", "D:\\PS\\Photoshop.exe");

    const std::string other = "c:\\PROGRAM FILES\\adobe\\photoshop.exe";
    EXPECT_TRUE(platform.FileExists(other));
    EXPECT_TRUE(platform.HasFile(other));
    EXPECT_EQ(platform.Content(other), "exe");
    std::string bytes;
    EXPECT_TRUE(platform.ReadWholeFile(other, bytes));
    EXPECT_EQ(bytes, "exe");
    EXPECT_EQ(platform.ShortcutTarget("c:\\desktop\\ps.LNK"), "D:\\PS\\Photoshop.exe");

    ASSERT_TRUE(platform.WriteWholeFile(other, "new"));
    EXPECT_EQ(platform.Content("C:\\Program Files\\Adobe\\Photoshop.EXE"), "new");
}

// 0xB1 0x41 and 0xB1 0x61 are two different Chinese characters, not one in two letter cases.
TEST(MemoryPlatformPaths, LeaveTwoByteCharactersAlone) {
    MemoryPlatform platform;
    platform.AddFile("C:\\\xb1" "A.pp", "upper");
    EXPECT_FALSE(platform.FileExists("C:\\\xb1" "a.pp"));
    platform.AddFile("C:\\\xb1" "a.pp", "lower");
    EXPECT_EQ(platform.Content("C:\\\xb1" "A.pp"), "upper");
    EXPECT_EQ(platform.Content("c:\\\xb1" "a.PP"), "lower");
}

TEST(MemoryPlatformPaths, ExistenceCountsFilesAndDirectories) {
    MemoryPlatform platform;
    platform.AddFile("C:\\PS\\Photoshop.exe", "exe");
    platform.AddDirectory("C:\\PS\\Locales");
    EXPECT_TRUE(platform.FileExists("C:\\PS\\Photoshop.exe"));
    EXPECT_TRUE(platform.FileExists("C:\\ps\\locales"));
    EXPECT_FALSE(platform.HasFile("C:\\PS\\Locales"));
    EXPECT_FALSE(platform.FileExists("C:\\PS\\missing.exe"));
    EXPECT_EQ(platform.Content("C:\\PS\\missing.exe"), "");
}

TEST(MemoryPlatformPaths, AnyFileMatchesLikeFindFirstFile) {
    MemoryPlatform platform;
    platform.AddFile("C:\\d\\a.dat", "");
    platform.AddFile("C:\\d\\sub\\b.txt", "");
    platform.AddFile("C:\\d\\\xd6\xd0.pp", "");
    platform.AddDirectory("C:\\d\\Folder");

    const struct {
        const char* pattern;
        bool matches;
    } cases[] = {
        {"C:\\d\\*.dat", true},
        {"c:\\D\\*.DAT", true},
        {"C:\\d\\?.dat", true},
        {"C:\\d\\??.dat", false},
        {"C:\\d\\a*", true},
        {"C:\\d\\*", true},
        {"C:\\d\\*.txt", false},  // only in a subfolder
        {"C:\\d\\sub\\*.txt", true},
        {"C:\\*.dat", false},
        {"C:\\e\\*.dat", false},
        {"C:\\d\\a.dat", true},
        {"C:\\d\\missing.dat", false},
        {"C:\\d\\folder", true},  // a plain name finds a directory
        {"C:\\d\\fold*", true},
        {"C:\\d\\?.pp", true},  // '?' takes a whole two-byte character
        {"C:\\d\\", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform.AnyFileMatches(c.pattern), c.matches) << c.pattern;
    }
}

// One row per knob on the target file: which operations still succeed. Whatever fails must leave
// both files exactly as they were and record no write.
TEST(MemoryPlatformKnobs, DecideWhichOperationsSucceed) {
    struct Row {
        const char* knob;
        std::function<void(MemoryPlatform&)> apply;
        bool read, write, copyOnto, copyFrom, remove;
    };
    const std::vector<Row> rows = {
        {"none", [](MemoryPlatform&) {}, true, true, true, true, true},
        {"read-only", [](MemoryPlatform& p) { p.SetReadOnly(kTarget); }, true, false, false, true,
         false},
        {"read-only cleared",
         [](MemoryPlatform& p) {
             p.SetReadOnly(kTarget);
             p.SetReadOnly(kTarget, false);
         },
         true, true, true, true, true},
        {"locked", [](MemoryPlatform& p) { p.SetLocked(kTarget); }, false, false, false, false,
         false},
        {"unlocked",
         [](MemoryPlatform& p) {
             p.SetLocked(kTarget);
             p.SetLocked(kTarget, false);
         },
         true, true, true, true, true},
        {"failing writes", [](MemoryPlatform& p) { p.FailWritesTo(kTarget); }, true, false, false,
         true, true},
        {"failing copies", [](MemoryPlatform& p) { p.FailCopiesTo(kTarget); }, true, true, false,
         true, true},
    };
    using Operation = std::function<bool(MemoryPlatform&)>;
    const struct {
        const char* name;
        Operation run;
        bool Row::*expected;
    } operations[] = {
        {"read",
         [](MemoryPlatform& p) {
             std::string bytes = "stale";
             const bool ok = p.ReadWholeFile(kTarget, bytes);
             EXPECT_EQ(bytes, ok ? "target" : "");
             return ok;
         },
         &Row::read},
        {"write", [](MemoryPlatform& p) { return p.WriteWholeFile(kTarget, "new"); }, &Row::write},
        {"copy onto", [](MemoryPlatform& p) { return p.CopyFileBytes(kOther, kTarget).Ok(); },
         &Row::copyOnto},
        {"copy from", [](MemoryPlatform& p) { return p.CopyFileBytes(kTarget, kOther).Ok(); },
         &Row::copyFrom},
        {"move onto",
         [](MemoryPlatform& p) { return p.MoveOver(kOther, kTarget) == FileError::None; },
         &Row::write},
        {"remove", [](MemoryPlatform& p) { return p.RemoveFile(kTarget) == FileError::None; },
         &Row::remove},
    };

    for (const Row& row : rows) {
        for (const auto& operation : operations) {
            SCOPED_TRACE(std::string(row.knob) + ", " + operation.name);
            MemoryPlatform platform;
            platform.AddFile(kTarget, "target");
            platform.AddFile(kOther, "other");
            row.apply(platform);

            const bool expected = row.*operation.expected;
            EXPECT_EQ(operation.run(platform), expected);
            // A copy cut short leaves part of the bytes behind, as a full disk does.
            const bool partial = std::string(row.knob) == "failing copies";
            if (!expected && !partial) {
                EXPECT_EQ(platform.Content(kTarget), "target");
                EXPECT_TRUE(platform.HasFile(kTarget));
                EXPECT_EQ(platform.Content(kOther), "other");
                EXPECT_TRUE(platform.writes.empty());
            }
        }
    }
}

TEST(MemoryPlatformFiles, WritesAndCopiesReplaceContentAndAreRecorded) {
    MemoryPlatform platform;
    platform.AddFile(kOther, "backup");
    const std::string bytes("a\0b\x1a" "c", 5);

    EXPECT_TRUE(platform.WriteWholeFile(kTarget, bytes));
    EXPECT_EQ(platform.Content(kTarget), bytes);
    EXPECT_TRUE(platform.CopyFileBytes(kOther, kTarget).Ok());
    EXPECT_EQ(platform.Content(kTarget), "backup");
    EXPECT_EQ(platform.Content(kOther), "backup");
    EXPECT_FALSE(platform.WriteWholeFile("", "x"));
    EXPECT_EQ(platform.writes, (std::vector<std::string>{kTarget, kTarget}));
}

TEST(MemoryPlatformFiles, FailedCopiesLeaveTheTargetAlone) {
    MemoryPlatform platform;
    platform.AddFile(kTarget, "target");
    platform.AddDirectory("C:\\PS\\Folder");

    EXPECT_EQ(platform.CopyFileBytes("C:\\PS\\missing.dat", kTarget).source, FileError::NotFound);
    EXPECT_FALSE(platform.CopyFileBytes("C:\\PS\\Folder", kTarget).Ok());  // no source
    EXPECT_FALSE(platform.CopyFileBytes(kTarget, "C:\\PS\\Folder").Ok());  // nor a target
    EXPECT_EQ(platform.Content(kTarget), "target");
    EXPECT_FALSE(platform.HasFile("C:\\PS\\Folder"));
    EXPECT_FALSE(platform.WriteWholeFile("C:\\PS\\Folder", "x"));
    EXPECT_TRUE(platform.writes.empty());
}

TEST(MemoryPlatformFiles, RemoveNeedsAnExistingFile) {
    MemoryPlatform platform;
    platform.AddFile(kTarget, "target");
    platform.AddDirectory("C:\\PS\\Folder");

    EXPECT_EQ(platform.RemoveFile("C:\\PS\\missing.dat"), FileError::NotFound);
    EXPECT_NE(platform.RemoveFile("C:\\PS\\Folder"), FileError::None);
    EXPECT_TRUE(platform.FileExists("C:\\PS\\Folder"));
    EXPECT_EQ(platform.RemoveFile(kTarget), FileError::None);
    EXPECT_FALSE(platform.FileExists(kTarget));
    EXPECT_EQ(platform.RemoveFile(kTarget), FileError::NotFound);
}

// The faults the switch must survive: each one as the tests of the switch rely on it.
TEST(MemoryPlatformFaults, CopiesCanBeCutShortOrCorruptedAndDeletesLeftPending) {
    MemoryPlatform platform;
    platform.AddFile(kOther, "0123456789");
    platform.FailCopiesTo(kTarget);
    EXPECT_EQ(platform.CopyFileBytes(kOther, kTarget).target, FileError::Other);
    EXPECT_EQ(platform.Content(kTarget), "01234");

    platform.CorruptCopiesTo("C:\\PS\\corrupt.pp");
    EXPECT_TRUE(platform.CopyFileBytes(kOther, "C:\\PS\\corrupt.pp").Ok());
    EXPECT_EQ(platform.CompareFiles(kOther, "C:\\PS\\corrupt.pp"), Comparison::Different);

    platform.SetDeletePending(kOther);
    EXPECT_EQ(platform.RemoveFile(kOther), FileError::None);
    EXPECT_TRUE(platform.IsFile(kOther));
}

TEST(MemoryPlatformFaults, FailTheChosenCallOrCrashRightAfterIt) {
    MemoryPlatform platform;
    platform.AddFile(kOther, "bytes");
    platform.failCall = 2;
    std::string bytes;
    EXPECT_TRUE(platform.ReadWholeFile(kOther, bytes));
    EXPECT_FALSE(platform.ReadWholeFile(kOther, bytes));
    EXPECT_TRUE(platform.IsFile(kOther));  // queries never fail, but count

    platform.crashAfterCall = 4;
    EXPECT_THROW(platform.MoveOver(kOther, kTarget), SimulatedCrash);
    EXPECT_EQ(platform.Content(kTarget), "bytes");  // the call itself was done
    EXPECT_FALSE(platform.HasFile(kOther));
}

TEST(MemoryPlatformFaults, DeniedFoldersNeedElevation) {
    MemoryPlatform platform;
    platform.AddFile(kTarget, "target");
    platform.DenyAccessToFolder("C:\\PS\\Locales");
    EXPECT_FALSE(platform.CanWriteFolder("c:\\ps\\LOCALES"));
    EXPECT_EQ(platform.RemoveFile(kTarget), FileError::AccessDenied);
    platform.AddFile(kOther, "other");
    EXPECT_EQ(platform.CopyFileBytes(kOther, kTarget).target, FileError::AccessDenied);
    platform.elevated = true;
    EXPECT_TRUE(platform.CanWriteFolder("C:\\PS\\Locales"));
    EXPECT_EQ(platform.RemoveFile(kTarget), FileError::None);
}

TEST(MemoryPlatformProcesses, RunningImagesCompareWithoutLetterCase) {
    MemoryPlatform platform;
    platform.runningImages = {"C:\\Program Files\\Adobe\\Adobe Photoshop 2024\\Photoshop.exe"};
    EXPECT_TRUE(platform.IsProcessRunning("c:\\program files\\adobe\\adobe photoshop 2024\\PHOTOSHOP.EXE"));
    EXPECT_FALSE(platform.IsProcessRunning("D:\\Adobe Photoshop 2024\\Photoshop.exe"));
}

TEST(MemoryPlatformShell, RecordsBoxesAndAnswersShortcutsAndDirectories) {
    MemoryPlatform platform;
    platform.moduleDirectory = "D:\\\xd6\xd0\xce\xc4";
    platform.SetShortcut("C:\\Desktop\\Photoshop.lnk", "D:\\PS\\Photoshop.exe");

    platform.ShowErrorBox("first");
    platform.ShowErrorBox("second");
    EXPECT_EQ(platform.errorBoxes, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(platform.ShortcutTarget("C:\\Desktop\\Photoshop.lnk"), "D:\\PS\\Photoshop.exe");
    EXPECT_EQ(platform.ShortcutTarget("C:\\Desktop\\Other.lnk"), "");
    EXPECT_EQ(platform.ModuleDirectory(), "D:\\\xd6\xd0\xce\xc4");
    EXPECT_TRUE(platform.SetWorkingDirectory("D:\\work"));
    EXPECT_EQ(platform.workingDirectory, "D:\\work");
}
