#pragma once
// A program installed in C:\Tools\switcher and a Photoshop in D:\Apps\PS, on the in-memory
// platform, with the window's controls recorded.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "core/state_files.h"
#include "core/switcher.h"
#include "core/program_texts.h"
#include "fakes/recording_controls.h"
#include "fakes/memory_platform.h"

// Names a parameterised case after the `name` of its row.
struct CaseName {
    template <typename Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    }
};

class SwitcherTest : public testing::Test {
protected:
    static constexpr const char* kExe = "D:\\Apps\\PS\\Photoshop.exe";
    static constexpr const char* kLanguageFile =
        "D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat";
    static constexpr char kLanguageBytes[] = "tw10428 \x01\x1a\x00 language data";

    MemoryPlatform platform;
    RecordingControls controls;
    Switcher app{platform, controls, "C:\\Tools\\switcher", {}};

    Text PathFile() const { return PathFileName(app.programDirectory); }
    Text BackupFile() const { return BackupFileName(app.programDirectory); }
    static Text LanguageBytes() { return Text(kLanguageBytes, sizeof kLanguageBytes - 1); }

    void InstallPhotoshop() {
        platform.AddFile(kExe, "MZ");
        platform.AddFile(kLanguageFile, LanguageBytes());
    }
    // The state files as a successful set-up leaves them.
    void SetUpEarlier() {
        platform.AddFile(PathFile(), kLanguageFile);
        platform.AddFile(BackupFile(), LanguageBytes());
        app.state.languageFolder = kLanguageFolder;
        app.state.languageFilePath = kLanguageFile;
    }
};
