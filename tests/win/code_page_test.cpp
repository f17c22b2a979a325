// The users' systems run code page 936; the tests only mean something when Wine does too, and
// when the program's texts are the bytes that code page expects.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/state_files.h"
#include "core/program_texts.h"
#include "platform/wide_text.h"
#include "temp_folder.h"

namespace {

// 936 as on the users' systems, unless the run names another: the second run, in another
// locale (tests/CMakeLists.txt), proves nothing unless it really has another code page.
UINT ExpectedAnsiCodePage() {
    char value[16] = {};
    const DWORD length = GetEnvironmentVariableA("PLS_ANSI_CODE_PAGE", value, sizeof value);
    if (length == 0 || length >= sizeof value) return 936;
    return static_cast<UINT>(std::strtoul(value, nullptr, 10));
}

TEST(CodePage, WineRunsWithTheAnsiCodePageTheRunAsksFor) {
    EXPECT_EQ(GetACP(), ExpectedAnsiCodePage());
}

TEST(CodePage, ProgramTextsAreCodePage936WhateverTheAnsiCodePage) {
    EXPECT_EQ(std::string(kPathFileSuffix), "\x5c\xb4\xa2\xb4\xe6\xc2\xb7\xbe\xb6\x2e\x70\x70");
    EXPECT_EQ(std::string(kErrorCaption), "\xb4\xed\xce\xf3");
    EXPECT_EQ(WideFrom936(kPathFileSuffix), L"\\储存路径.pp");
    EXPECT_EQ(WideFrom936(kErrorCaption), L"错误");
    EXPECT_EQ(WideFrom936(kNoLanguageFileMessage),
              L"photoshop自带的语言文件不存在，难道你用的不是中文版？");
}

// A state file created through the ANSI functions must carry the Chinese name on disk, or a
// later run (or the user) would not find it.
TEST(CodePage, StateFileNamesReachTheDiskInChinese) {
    const TempFolder temp;
    const std::string& dir = temp.Path();
    ASSERT_FALSE(dir.empty());
    const std::string name = PathFileName(dir);
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    WIN32_FIND_DATAW found;
    const std::wstring pattern = WideFromCodePage(CP_ACP, dir) + L"\\*.pp";
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_STREQ(found.cFileName, L"储存路径.pp");
}

}  // namespace
