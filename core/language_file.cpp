#include "core/language_file.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/program_texts.h"

namespace {

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Byte offsets where each character starts, so a trail byte that looks like '\' is never
// taken for one.
std::vector<std::size_t> CharacterStarts(const Text& text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size(); at += IsLeadByte(text[at]) ? 2 : 1) {
        starts.push_back(at);
    }
    return starts;
}

// The components between backslashes, split at real backslashes only.
std::vector<Text> Components(const Text& path) {
    std::vector<Text> parts(1);
    for (const std::size_t at : CharacterStarts(path)) {
        if (path[at] == '\\') {
            parts.emplace_back();
        } else {
            parts.back().append(path, at, IsLeadByte(path[at]) ? 2 : 1);
        }
    }
    return parts;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Characters Windows never allows in a file name; '?' is also what a character the code page
// cannot hold turns into.
bool HasForbiddenCharacter(const Text& component) {
    for (const std::size_t at : CharacterStarts(component)) {
        const auto c = static_cast<unsigned char>(component[at]);
        if (c < 0x20 || std::string_view("<>:\"/|?*").find(static_cast<char>(c)) !=
                            std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// The location must start on a character of its own: a backslash that is the trail byte of a
// two-byte character does not begin it.
bool EndsWithLocation(const Text& path) {
    const Text lowered = ToLowerText(path);
    const std::vector<std::size_t> starts = CharacterStarts(path);
    for (const char* location : kLanguageFileLocations) {
        const Text suffix = ToLowerText(ConcatText({"\\", location}));
        if (lowered.size() <= suffix.size()) continue;
        const std::size_t at = lowered.size() - suffix.size();
        if (lowered.compare(at, suffix.size(), suffix) == 0 &&
            std::binary_search(starts.begin(), starts.end(), at)) {
            return true;
        }
    }
    return false;
}

}  // namespace

Text BesideExecutable(Platform& platform, const Text& exePath, const Text& relativePath) {
    const std::size_t nameStart = platform.FileNameOffset(exePath);
    return ConcatText({exePath.substr(0, nameStart),
                       BatchReplace(exePath.substr(nameStart), {{kPhotoshopExeName, relativePath}})});
}

std::size_t CharacterCount(const Text& path) { return CharacterStarts(path).size(); }

LanguageFileSearch FindLanguageFile(Platform& platform, const Text& exePath) {
    LanguageFileSearch search;
    for (const char* location : kLanguageFileLocations) {
        const Text candidate = BesideExecutable(platform, exePath, location);
        // The switch writes a temporary file beside the language file, so that must fit too.
        const Text folder = candidate.substr(0, platform.FileNameOffset(candidate));
        if (CharacterCount(candidate) > kLongestAnsiPath ||
            CharacterCount(folder) + CharacterCount(kTemporaryFileName) > kLongestAnsiPath) {
            search.tooLong = true;
            continue;
        }
        if (platform.IsFile(candidate)) {
            search.path = candidate;
            return search;
        }
    }
    return search;
}

bool LanguageFilePresent(Platform& platform, const Text& languageFilePath) {
    return platform.AnyFileMatches(languageFilePath);
}

Text InstallFolderOf(const Text& languageFilePath) {
    std::vector<std::size_t> backslashes;
    for (const std::size_t at : CharacterStarts(languageFilePath)) {
        if (languageFilePath[at] == '\\') backslashes.push_back(at);
    }
    if (backslashes.size() < 4) return Text();
    return languageFilePath.substr(0, backslashes[backslashes.size() - 4]);
}

Text PhotoshopExeOf(const Text& languageFilePath) {
    const Text folder = InstallFolderOf(languageFilePath);
    return folder.empty() ? Text() : ConcatText({folder, "\\Photoshop.exe"});
}

bool IsUsableLanguageFilePath(Platform& platform, const Text& path) {
    if (CharacterCount(path) > kLongestAnsiPath || !EndsWithLocation(path)) return false;

    const std::vector<Text> parts = Components(path);
    std::size_t first = 0;
    if (parts.size() >= 2 && parts[0].size() == 2 && IsDriveLetter(parts[0][0]) &&
        parts[0][1] == ':') {
        first = 1;  // "D:\..."
    } else if (parts.size() >= 5 && parts[0].empty() && parts[1].empty() && !parts[2].empty() &&
               !parts[3].empty()) {
        first = 2;  // "\\server\share\...", but not "\\?\" or "\\.\" device paths
        if (parts[2] == "?" || parts[2] == ".") return false;
    } else {
        return false;  // relative, or rooted without a drive
    }
    for (std::size_t i = first; i < parts.size(); ++i) {
        const Text& part = parts[i];
        if (part.empty() || part == "." || part == ".." || HasForbiddenCharacter(part)) {
            return false;
        }
    }
    return !(platform.FileExists(path) && !platform.IsFile(path));
}
