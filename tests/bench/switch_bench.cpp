// Times the two switches on a 20 MB language file in a stand-in Photoshop folder against a raw
// CopyFileW and DeleteFileW of the same file, in-process. Prints one line per switch:
//   label <TAB> median ms <TAB> baseline label <TAB> median ms
// Only the two switch commands and the state files' names come from the core, so that the
// figures follow whatever the switches do.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/program_texts.h"
#include "core/state_files.h"
#include "core/switch_commands.h"
#include "platform/wide_text.h"
#include "platform/win32_platform.h"
#include "win/temp_folder.h"

namespace {

constexpr std::size_t kLanguageFileSize = 20u << 20;

class NoControls : public Controls {
public:
    void SetVisible(Control, bool) override {}
    void SetEnabled(Control, bool) override {}
    void RegisterDropArea() override {}
};

// An error box would wait for a click that never comes: a failed switch ends the bench instead.
class BenchPlatform : public Win32Platform {
public:
    BenchPlatform() : Win32Platform(kErrorCaption) {}
    void ShowErrorBox(const std::string& message) override {
        std::fprintf(stderr, "switch_bench: a switch failed (%zu-byte message)\n", message.size());
        std::exit(1);
    }
};

// Incompressible content, the same on every run.
std::string PseudoRandomBytes(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned long long state = 0x9E3779B97F4A7C15ull;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        byte = static_cast<char>(state >> 56);
    }
    return bytes;
}

class Stopwatch {
public:
    Stopwatch() {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        frequency_ = static_cast<double>(frequency.QuadPart);
    }
    template <typename F>
    double Milliseconds(F&& action) const {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        action();
        QueryPerformanceCounter(&end);
        return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / frequency_;
    }

private:
    double frequency_ = 1;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "switch_bench: %s\n", what);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const OleSession ole;
    BenchPlatform platform;
    NoControls controls;
    const TempFolder temp;
    if (!Check(!temp.Path().empty(), "no temporary folder")) return 1;

    // The stand-in Photoshop, and the program's folder set up as a successful drop leaves it.
    const std::string photoshop = temp.Path() + "\\Photoshop";
    const std::string languageFolder = photoshop + "\\Locales\\zh_CN\\Support Files";
    const std::string language = languageFolder + "\\tw10428.dat";
    const std::string programDirectory = temp.Path() + "\\PsLangSwitch";
    for (const std::string& folder :
         {photoshop, photoshop + "\\Locales", photoshop + "\\Locales\\zh_CN", languageFolder,
          programDirectory}) {
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    const std::string content = PseudoRandomBytes(kLanguageFileSize);
    if (!Check(platform.WriteWholeFile(photoshop + "\\Photoshop.exe", "stand-in\r\n") &&
                   platform.WriteWholeFile(language, content) &&
                   platform.WriteWholeFile(PathFileName(programDirectory), language) &&
                   platform.WriteWholeFile(BackupFileName(programDirectory), content),
               "cannot lay out the stand-in Photoshop")) {
        return 1;
    }

    Switcher app{platform, controls, programDirectory, {}};
    app.state.languageFilePath = language;
    const std::wstring languageWide = WideFromCodePage(CP_ACP, language);
    const std::wstring copyWide = WideFromCodePage(CP_ACP, temp.Path() + "\\copy.dat");

    const Stopwatch stopwatch;
    std::vector<double> english, chinese, copy, remove;
    for (int run = 0; run < runs; ++run) {
        english.push_back(stopwatch.Milliseconds([&] { OnSwitchToEnglish(app); }));
        if (!Check(!platform.FileExists(language), "switching to English left the file")) return 1;
        chinese.push_back(stopwatch.Milliseconds([&] { OnSwitchToChinese(app); }));
        if (!Check(platform.FileExists(language), "switching to Chinese did not restore")) return 1;
        BOOL copied = FALSE, deleted = FALSE;
        copy.push_back(stopwatch.Milliseconds(
            [&] { copied = CopyFileW(languageWide.c_str(), copyWide.c_str(), FALSE); }));
        remove.push_back(stopwatch.Milliseconds([&] { deleted = DeleteFileW(copyWide.c_str()); }));
        if (!Check(copied && deleted, "the raw copy or delete failed")) return 1;
    }
    std::string restored;
    if (!Check(platform.ReadWholeFile(language, restored, content.size()) && restored == content,
               "the restored language file differs")) {
        return 1;
    }

    std::printf("switch to English, 20 MB\t%.2f\traw DeleteFileW\t%.2f\n", Median(english),
                Median(remove));
    std::printf("switch to Chinese, 20 MB\t%.2f\traw CopyFileW\t%.2f\n", Median(chinese),
                Median(copy));
    return 0;
}
