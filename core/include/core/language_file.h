#pragma once
// Where Photoshop keeps its Chinese language file, and which stored paths may be acted on.
#include <array>

#include "core/text_helpers.h"
#include "platform/platform.h"

// Relative to Photoshop's installation folder, in the order they are tried: the name of
// CS5 to CC first, so every install that worked before is found exactly as before.
inline constexpr std::array<const char*, 4> kLanguageFileLocations = {
    "Locales\\zh_CN\\Support Files\\tw10428.dat",
    "Locales\\zh_CN\\Support Files\\tw10428_Photoshop_zh_CN.dat",  // CC 2018 and later
    "Locales\\zh_TW\\Support Files\\tw10428.dat",
    "Locales\\zh_TW\\Support Files\\tw10428_Photoshop_zh_TW.dat",
};

// The ANSI file functions take at most this many characters, terminator excluded.
inline constexpr std::size_t kLongestAnsiPath = 259;

// `exePath` with its own file name (only that) replaced by `relativePath`.
Text BesideExecutable(Platform& platform, const Text& exePath, const Text& relativePath);

struct LanguageFileSearch {
    Text path;             // the first location that is a file; empty when none is
    bool tooLong = false;  // a location was skipped because its path is too long to use
};
LanguageFileSearch FindLanguageFile(Platform& platform, const Text& exePath);

// Characters in `path`, a two-byte character counting once.
std::size_t CharacterCount(const Text& path);

// Whether the language file is there right now (find-first-file test, as at start-up).
bool LanguageFilePresent(Platform& platform, const Text& languageFilePath);

// Photoshop's installation folder for a language file at one of the locations above: the path
// without its last four components.
Text InstallFolderOf(const Text& languageFilePath);
// The Photoshop.exe of that installation.
Text PhotoshopExeOf(const Text& languageFilePath);

// Whether a stored language-file path may be deleted or written: a full local or network path
// of a file (no wildcard, no "." or "..", no folder of that name) that ends in one of the
// locations above. Anything else came from a damaged or hand-edited path file.
bool IsUsableLanguageFilePath(Platform& platform, const Text& path);
