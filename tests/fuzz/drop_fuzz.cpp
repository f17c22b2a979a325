// OnFileDropped with any dropped text, on a machine with two Chinese Photoshops, an English one
// and a few shortcuts. Whatever arrives: exactly one error box or a finished set-up; a rejected
// drop writes nothing; a set-up records a real language file and a byte-exact backup of it; and
// no file that was there before changes.
#include <map>

#include "core/drop_acceptance.h"
#include "core/state_files.h"
#include "core/switcher.h"
#include "core/program_texts.h"
#include "fakes/recording_controls.h"
#include "fuzz/fuzz_input.h"
#include "fakes/memory_platform.h"

namespace {

constexpr char kFirstLanguageBytes[] = "tw10428 \x01\x1a\x00 first language data";

// Path -> bytes of every file the machine starts with. Each language file's bytes are unique,
// so a backup shows which one it was taken from.
const std::map<Text, Text>& InstalledFiles() {
    static const std::map<Text, Text> files = {
        {"D:\\Apps\\PS\\Photoshop.exe", "MZ first"},
        {"D:\\Apps\\PS\\Locales\\zh_CN\\Support Files\\tw10428.dat",
         Text(kFirstLanguageBytes, sizeof kFirstLanguageBytes - 1)},
        // A folder name in code-page-936 bytes, one with a trail byte that looks like a '\\'.
        {"D:\\\xd6\xd0\xce\xc4\\\x95\x5c\\Photoshop.exe", "MZ second"},
        {"D:\\\xd6\xd0\xce\xc4\\\x95\x5c\\Locales\\zh_CN\\Support Files\\tw10428.dat",
         "second language data"},
        {"E:\\PS English\\Photoshop.exe", "MZ english"},
        {"D:\\notes.txt", "notes"},
    };
    return files;
}

bool IsLanguageFile(const Text& bytes) {
    return bytes == Text(kFirstLanguageBytes, sizeof kFirstLanguageBytes - 1) ||
           bytes == "second language data";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryPlatform platform;
    RecordingControls controls;
    Switcher app{platform, controls, "C:\\Tools\\switcher", {}};
    app.state.languageFolder = kLanguageFolder;
    for (const auto& [path, bytes] : InstalledFiles()) platform.AddFile(path, bytes);
    platform.AddDirectory("D:\\Apps\\PS");
    const Text desktop = "C:\\Users\\a\\Desktop\\";
    platform.SetShortcut(desktop + "Photoshop.lnk", "D:\\Apps\\PS\\Photoshop.exe");
    platform.SetShortcut(desktop + "Second.lnk", "D:\\\xd6\xd0\xce\xc4\\\x95\x5c\\PHOTOSHOP.EXE");
    platform.SetShortcut(desktop + "English.lnk", "E:\\PS English\\Photoshop.exe");
    platform.SetShortcut(desktop + "PS.lnk", "D:\\Apps\\PS");
    platform.SetShortcut(desktop + "Notes.lnk", "D:\\notes.txt");
    platform.SetShortcut(desktop + "Loop.lnk", desktop + "Loop.lnk");
    platform.SetShortcut(desktop + "Empty.lnk", "");
    const Text pathFile = PathFileName(app.programDirectory);
    const Text backupFile = BackupFileName(app.programDirectory);

    OnFileDropped(app, Text(reinterpret_cast<const char*>(data), size));

    for (const auto& [path, bytes] : InstalledFiles()) FUZZ_CHECK(platform.Content(path) == bytes);
    if (!platform.errorBoxes.empty()) {
        FUZZ_CHECK(platform.errorBoxes.size() == 1);
        FUZZ_CHECK(platform.writes.empty());
        FUZZ_CHECK(!platform.HasFile(pathFile) && !platform.HasFile(backupFile));
        FUZZ_CHECK(controls.calls.empty());
        FUZZ_CHECK(app.state.languageFilePath.empty());
        return 0;
    }
    // Set up: the path file names the language file the switches will act on, and the backup
    // holds exactly its bytes.
    FUZZ_CHECK(!controls.calls.empty());
    const Text stored = platform.Content(pathFile);
    FUZZ_CHECK(platform.HasFile(pathFile) && stored == app.state.languageFilePath);
    FUZZ_CHECK(ReadStoredPath(platform, app.programDirectory) == stored);
    FUZZ_CHECK(IsLanguageFile(platform.Content(stored)));
    FUZZ_CHECK(platform.HasFile(backupFile) && platform.Content(backupFile) == platform.Content(stored));
    return 0;
}
