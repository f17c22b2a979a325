#include "platform/win32_platform.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/program_texts.h"
#include "platform/wide_text.h"
#include "temp_folder.h"
#include "shared/path_rule_cases.h"

using Microsoft::WRL::ComPtr;

namespace {

// "中文" in code page 936.
const std::string kChinese = "\xd6\xd0\xce\xc4";

// Each test gets a fresh, empty folder under the temporary directory, removed afterwards.
class Win32PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = temp_.Path();
        ASSERT_FALSE(folder_.empty());
    }

    std::string In(const std::string& name) const { return folder_ + "\\" + name; }

    TempFolder temp_;
    std::string folder_;
    Win32Platform platform_{kErrorCaption};
};

void CreateShortcut(const std::string& shortcutPath, const std::string& targetPath) {
    ComPtr<IShellLinkW> link;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)),
              S_OK);
    ASSERT_EQ(link->SetPath(WideFromCodePage(CP_ACP, targetPath).c_str()), S_OK);
    ComPtr<IPersistFile> file;
    ASSERT_EQ(link.As(&file), S_OK);
    ASSERT_EQ(file->Save(WideFromCodePage(CP_ACP, shortcutPath).c_str(), TRUE), S_OK);
}

}  // namespace

TEST_F(Win32PlatformTest, FollowsTheSharedPathRules) {
    ExpectPathRules(platform_);
}

TEST_F(Win32PlatformTest, ExistenceCountsFilesAndDirectories) {
    ASSERT_TRUE(platform_.WriteWholeFile(In("a.dat"), "x"));
    EXPECT_TRUE(platform_.FileExists(folder_));
    EXPECT_TRUE(platform_.FileExists(In("a.dat")));
    EXPECT_FALSE(platform_.FileExists(In("missing.dat")));
}

TEST_F(Win32PlatformTest, AnyFileMatchesWildcardsAndPlainNames) {
    ASSERT_TRUE(platform_.WriteWholeFile(In("a.dat"), "x"));
    EXPECT_TRUE(platform_.AnyFileMatches(In("*.dat")));
    EXPECT_FALSE(platform_.AnyFileMatches(In("*.txt")));
    EXPECT_FALSE(platform_.AnyFileMatches(In("missing.dat")));
    EXPECT_TRUE(platform_.AnyFileMatches(In("a.dat")));
    EXPECT_TRUE(platform_.AnyFileMatches(folder_));
}

// 0x1A ended the old reads as "end of file" and 0x00 as end of string; both must survive here,
// and a GBK file name must reach the disk as the Chinese characters it stands for.
TEST_F(Win32PlatformTest, WriteAndReadRoundTripBytesUnderAChineseName) {
    const std::string path = In(kChinese + ".pp");
    // Longer than one read, so a reader that stops after the first chunk is caught too.
    const std::string bytes =
        std::string("D:\\PS\x1a\0", 7) + std::string(100000, 'p') + "tail\xff";
    ASSERT_TRUE(platform_.WriteWholeFile(path, bytes));

    const std::wstring widePath =
        WideFromCodePage(CP_ACP, folder_) + L"\\\u4e2d\u6587.pp";
    EXPECT_NE(GetFileAttributesW(widePath.c_str()), INVALID_FILE_ATTRIBUTES);

    std::string read = "stale";
    ASSERT_TRUE(platform_.ReadWholeFile(path, read));
    EXPECT_EQ(read.size(), bytes.size());
    EXPECT_TRUE(read == bytes);

    // A shorter write replaces the whole content, leaving nothing of the old tail.
    ASSERT_TRUE(platform_.WriteWholeFile(path, "x"));
    ASSERT_TRUE(platform_.ReadWholeFile(path, read));
    EXPECT_EQ(read, "x");
}

TEST_F(Win32PlatformTest, WriteNeedsANameAndAnExistingFolder) {
    EXPECT_FALSE(platform_.WriteWholeFile("", "x"));
    EXPECT_FALSE(platform_.WriteWholeFile(In("missing\\a.pp"), "x"));
    EXPECT_FALSE(platform_.FileExists(In("missing")));
}

TEST_F(Win32PlatformTest, WriteLeavesAReadOnlyFileAlone) {
    const std::string path = In("readonly.pp");
    ASSERT_TRUE(platform_.WriteWholeFile(path, "kept"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine stores "read-only" as a missing Unix write permission, which root does not obey.
    if (FileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
            .Valid()) {
        GTEST_SKIP() << "this file system lets read-only files be opened for writing";
    }
    EXPECT_FALSE(platform_.WriteWholeFile(path, "lost"));
    std::string read;
    ASSERT_TRUE(platform_.ReadWholeFile(path, read));
    EXPECT_EQ(read, "kept");
}

// The old code asked for write access as well and so read nothing from a read-only file.
TEST_F(Win32PlatformTest, ReadsAReadOnlyFile) {
    const std::string path = In("readonly.pp");
    ASSERT_TRUE(platform_.WriteWholeFile(path, "C:\\PS\\tw10428.dat"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string read;
    EXPECT_TRUE(platform_.ReadWholeFile(path, read));
    EXPECT_EQ(read, "C:\\PS\\tw10428.dat");
}

TEST_F(Win32PlatformTest, ReadsAFileOthersHaveOpenButNotALockedOne) {
    const std::string path = In("open.pp");
    ASSERT_TRUE(platform_.WriteWholeFile(path, "shared"));
    std::string read = "stale";
    {
        const FileHandle writer(CreateFileA(path.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(writer.Valid());
        EXPECT_TRUE(platform_.ReadWholeFile(path, read));
        EXPECT_EQ(read, "shared");
    }
    {
        // Another reader that shares reading only: asking for write access as well would fail.
        const FileHandle reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(reader.Valid());
        read = "stale";
        EXPECT_TRUE(platform_.ReadWholeFile(path, read));
        EXPECT_EQ(read, "shared");
    }
    {
        const FileHandle locker(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locker.Valid());
        EXPECT_FALSE(platform_.ReadWholeFile(path, read));
        EXPECT_EQ(read, "");
        EXPECT_FALSE(platform_.WriteWholeFile(path, "lost"));
    }
    EXPECT_FALSE(platform_.ReadWholeFile(In("missing.pp"), read));
}

TEST_F(Win32PlatformTest, CopyReplacesAnExistingTargetAndComparesByContent) {
    const std::string source = In("tw10428.dat");
    const std::string target = In(kChinese + ".pp");
    // More than one piece of the copy and of the comparison.
    const std::string bytes = std::string("lang\0data", 9) + std::string(3 << 20, '\xa5') + "end";
    ASSERT_TRUE(platform_.WriteWholeFile(source, bytes));
    ASSERT_TRUE(platform_.WriteWholeFile(target, "an older and longer backup"));
    EXPECT_EQ(platform_.CompareFiles(source, target), Comparison::Different);

    EXPECT_TRUE(platform_.CopyFileBytes(source, target).Ok());
    std::string read;
    ASSERT_TRUE(platform_.ReadWholeFile(target, read, 8 << 20));
    EXPECT_TRUE(read == bytes);
    EXPECT_EQ(platform_.CompareFiles(source, target), Comparison::Same);

    // Same size, one byte off near the end.
    std::string changed = bytes;
    changed[changed.size() - 2] = 'x';
    ASSERT_TRUE(platform_.WriteWholeFile(target, changed));
    EXPECT_EQ(platform_.CompareFiles(source, target), Comparison::Different);

    EXPECT_EQ(platform_.CopyFileBytes(In("missing.dat"), target).source, FileError::NotFound);
    EXPECT_EQ(platform_.CompareFiles(In("missing.dat"), target), Comparison::FirstUnreadable);
    EXPECT_EQ(platform_.CompareFiles(source, In("missing.dat")), Comparison::SecondUnreadable);
    EXPECT_FALSE(platform_.ReadWholeFile(target, read));  // beyond the default limit
}

TEST_F(Win32PlatformTest, MoveOverReplacesInOneStep) {
    ASSERT_TRUE(platform_.WriteWholeFile(In("new.tmp"), "new"));
    ASSERT_TRUE(platform_.WriteWholeFile(In("file.dat"), "old"));
    EXPECT_EQ(platform_.MoveOver(In("new.tmp"), In("file.dat")), FileError::None);
    std::string read;
    ASSERT_TRUE(platform_.ReadWholeFile(In("file.dat"), read));
    EXPECT_EQ(read, "new");
    EXPECT_FALSE(platform_.FileExists(In("new.tmp")));
    EXPECT_EQ(platform_.MoveOver(In("new.tmp"), In("file.dat")), FileError::NotFound);
}

TEST_F(Win32PlatformTest, LockedFilesAreReportedAsInUse) {
    ASSERT_TRUE(platform_.WriteWholeFile(In("a.dat"), "a"));
    const FileHandle locker(CreateFileA(In("a.dat").c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locker.Valid());
    EXPECT_EQ(platform_.CopyFileBytes(In("a.dat"), In("b.dat")).source, FileError::InUse);
    EXPECT_EQ(platform_.RemoveFile(In("a.dat")), FileError::InUse);
    EXPECT_EQ(platform_.CompareFiles(In("a.dat"), In("a.dat")), Comparison::FirstUnreadable);
}

TEST_F(Win32PlatformTest, IsFileLeavesDirectoriesOut) {
    ASSERT_TRUE(platform_.WriteWholeFile(In("a.dat"), "x"));
    ASSERT_TRUE(CreateDirectoryA(In("tw10428.dat").c_str(), nullptr));
    EXPECT_TRUE(platform_.IsFile(In("a.dat")));
    EXPECT_FALSE(platform_.IsFile(In("tw10428.dat")));
    EXPECT_TRUE(platform_.FileExists(In("tw10428.dat")));
    EXPECT_FALSE(platform_.IsFile(In("missing.dat")));
}

TEST_F(Win32PlatformTest, CanWriteFolderLeavesNothingBehind) {
    EXPECT_TRUE(platform_.CanWriteFolder(folder_));
    EXPECT_FALSE(platform_.FileExists(In("PsLangSwitch.tmp")));
    EXPECT_FALSE(platform_.CanWriteFolder(In("missing")));
}

TEST_F(Win32PlatformTest, RemoveDeletesOnlyWhatExists) {
    const std::string path = In("tw10428.dat");
    ASSERT_TRUE(platform_.WriteWholeFile(path, "x"));
    EXPECT_EQ(platform_.RemoveFile(path), FileError::None);
    EXPECT_FALSE(platform_.FileExists(path));
    EXPECT_EQ(platform_.RemoveFile(path), FileError::NotFound);
}

TEST_F(Win32PlatformTest, ModuleDirectoryIsTheExecutablesFolder) {
    char module[32768] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    ASSERT_GT(length, 0u);
    const std::string path(module, length);

    const std::string directory = platform_.ModuleDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '\\');
    ASSERT_LT(directory.size(), path.size());
    EXPECT_EQ(path.substr(0, directory.size() + 1), directory + "\\");
    EXPECT_EQ(path.find('\\', directory.size() + 1), std::string::npos);
}

TEST_F(Win32PlatformTest, SetWorkingDirectoryChangesTheCurrentFolder) {
    char previous[MAX_PATH + 1] = {};
    ASSERT_GT(GetCurrentDirectoryA(sizeof previous, previous), 0u);
    ASSERT_TRUE(platform_.WriteWholeFile(In("here.pp"), "x"));

    EXPECT_TRUE(platform_.SetWorkingDirectory(folder_));
    EXPECT_TRUE(platform_.FileExists("here.pp"));
    EXPECT_FALSE(platform_.SetWorkingDirectory(In("missing")));
    SetCurrentDirectoryA(previous);  // else the folder could not be removed
}

TEST_F(Win32PlatformTest, ShortcutTargetReadsAShellShortcut) {
    ASSERT_TRUE(CreateDirectoryA(In(kChinese).c_str(), nullptr));
    const std::string target = In(kChinese + "\\Photoshop.exe");
    ASSERT_TRUE(platform_.WriteWholeFile(target, "MZ"));
    const std::string shortcut = In(kChinese + ".lnk");
    CreateShortcut(shortcut, target);
    ASSERT_FALSE(HasFatalFailure());

    EXPECT_EQ(platform_.ShortcutTarget(shortcut), target);
    // Reading never changes the shortcut, and a shortcut still names a target that is gone.
    ASSERT_EQ(platform_.RemoveFile(target), FileError::None);
    EXPECT_EQ(platform_.ShortcutTarget(shortcut), target);
}

TEST_F(Win32PlatformTest, ShortcutTargetIsEmptyForAnythingElse) {
    const std::string garbage = In("garbage.lnk");
    std::string bytes;
    unsigned seed = 12345;
    for (int i = 0; i < 512; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes += static_cast<char>(seed >> 24);
    }
    ASSERT_TRUE(platform_.WriteWholeFile(garbage, bytes));
    ASSERT_TRUE(platform_.WriteWholeFile(In("empty.lnk"), ""));

    EXPECT_EQ(platform_.ShortcutTarget(garbage), "");
    EXPECT_EQ(platform_.ShortcutTarget(In("empty.lnk")), "");
    EXPECT_EQ(platform_.ShortcutTarget(In("missing.lnk")), "");
    EXPECT_EQ(platform_.ShortcutTarget(""), "");
}

namespace {

// What the error box showed: read from inside its own modal loop by a thread timer, which then
// closes it.
struct ShownBox {
    std::wstring caption;
    std::vector<std::wstring> texts;  // of every control in it
};
ShownBox shownBox;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

BOOL CALLBACK CollectControlText(HWND control, LPARAM) {
    shownBox.texts.push_back(WindowText(control));
    return TRUE;
}

BOOL CALLBACK ReadAndCloseMessageBox(HWND window, LPARAM) {
    wchar_t windowClass[16] = {};
    GetClassNameW(window, windowClass, 16);
    if (lstrcmpW(windowClass, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    shownBox.caption = WindowText(window);
    EnumChildWindows(window, CollectControlText, 0);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseTheErrorBox(HWND, UINT, UINT_PTR, DWORD) {
    if (shownBox.caption.empty()) {
        EnumThreadWindows(GetCurrentThreadId(), ReadAndCloseMessageBox, 0);
    }
}

}  // namespace

// The expected texts name code page 936 outright rather than going through WideFrom936.
TEST_F(Win32PlatformTest, ErrorBoxShowsTheChineseTextsWhateverTheAnsiCodePage) {
    shownBox = ShownBox{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseTheErrorBox);
    ASSERT_NE(timer, 0u);
    platform_.ShowErrorBox(kNotPhotoshopMessage);
    KillTimer(nullptr, timer);

    EXPECT_EQ(shownBox.caption, WideFromCodePage(936, kErrorCaption));
    const std::wstring message = WideFromCodePage(936, kNotPhotoshopMessage);
    EXPECT_NE(std::find(shownBox.texts.begin(), shownBox.texts.end(), message),
              shownBox.texts.end())
        << "the box does not show the message";
}

TEST(WideText, ConvertsBetweenCodePage936AndUtf16WhateverTheAnsiCodePage) {
    EXPECT_EQ(WideFrom936(kErrorCaption), L"\u9519\u8bef");
    EXPECT_EQ(WideFrom936(kChinese + "\\x"), L"\u4e2d\u6587\\x");
    EXPECT_EQ(WideFrom936(""), L"");
    EXPECT_EQ(NarrowToCodePage(936, L"\u4e2d\u6587"), kChinese);
    // A Thai letter has no place in 936 and must not turn into a look-alike.
    EXPECT_EQ(NarrowToCodePage(936, L"a\u0e01b"), "a?b");
}
