#include "platform/memory_platform.h"

#include <cstddef>

namespace {

// Bytes of 0x80 and above start a two-byte character; a lead byte at the very end stands alone.
std::size_t CharacterLength(const std::string& text, std::size_t at) {
    const bool lead = static_cast<unsigned char>(text[at]) >= 0x80;
    return lead && at + 1 < text.size() ? 2 : 1;
}

// The Win32 path functions see a C string: anything after an embedded NUL is not there.
std::size_t CStringLength(const std::string& text) {
    const std::size_t nul = text.find('\0');
    return nul == std::string::npos ? text.size() : nul;
}

// Splits a path into whole characters so that '?' and '*' count a two-byte character as one.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at);
        characters.push_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

bool HasWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

// Both sides are already keys (case folded). Plain '*' and '?' semantics; the old DOS quirks of
// FindFirstFile ("*.*" matching names without a dot, 8.3 aliases) are not imitated.
bool WildcardMatches(const std::vector<std::string>& pattern, const std::vector<std::string>& name) {
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::string::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == "?" || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == "*") {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == "*") ++p;
    return p == pattern.size();
}

}  // namespace

std::string MemoryPlatform::Key(const std::string& path) {
    std::string key = path;
    for (std::size_t at = 0; at < key.size();) {
        const std::size_t length = CharacterLength(key, at);
        // The trail byte of a two-byte character is not a letter, even when it looks like one.
        if (length == 1 && key[at] >= 'A' && key[at] <= 'Z') key[at] = static_cast<char>(key[at] - 'A' + 'a');
        at += length;
    }
    return key;
}

bool MemoryPlatform::Writable(const std::string& path) const {
    const std::string key = Key(path);
    return !key.empty() && !locked_.count(key) && !readOnly_.count(key) && !failWrites_.count(key) &&
           !directories_.count(key);
}

void MemoryPlatform::AddFile(const std::string& path, const std::string& bytes) {
    files_[Key(path)] = bytes;
}

void MemoryPlatform::AddDirectory(const std::string& path) {
    directories_.insert(Key(path));
}

bool MemoryPlatform::HasFile(const std::string& path) const {
    return files_.count(Key(path)) != 0;
}

std::string MemoryPlatform::Content(const std::string& path) const {
    const auto found = files_.find(Key(path));
    return found == files_.end() ? std::string() : found->second;
}

void MemoryPlatform::SetReadOnly(const std::string& path, bool readOnly) {
    if (readOnly) readOnly_.insert(Key(path));
    else readOnly_.erase(Key(path));
}

void MemoryPlatform::SetLocked(const std::string& path, bool locked) {
    if (locked) locked_.insert(Key(path));
    else locked_.erase(Key(path));
}

void MemoryPlatform::FailWritesTo(const std::string& path) {
    failWrites_.insert(Key(path));
}

void MemoryPlatform::FailCopiesTo(const std::string& path) {
    failCopies_.insert(Key(path));
}

void MemoryPlatform::SetShortcut(const std::string& shortcutPath, const std::string& target) {
    shortcuts_[Key(shortcutPath)] = target;
}

std::string MemoryPlatform::ModuleDirectory() {
    return moduleDirectory;
}

bool MemoryPlatform::SetWorkingDirectory(const std::string& directory) {
    workingDirectory = directory;
    return true;
}

bool MemoryPlatform::FileExists(const std::string& path) {
    const std::string key = Key(path);
    return files_.count(key) != 0 || directories_.count(key) != 0;
}

bool MemoryPlatform::AnyFileMatches(const std::string& pattern) {
    const std::size_t nameAt = FileNameOffset(pattern);
    const std::string folder = Key(pattern.substr(0, nameAt));
    const std::string name = Key(pattern.substr(nameAt));
    if (name.empty()) return false;
    if (!HasWildcard(name)) return FileExists(pattern);

    const std::vector<std::string> wanted = Characters(name);
    const auto matches = [&](const std::string& key) {
        const std::size_t at = FileNameOffset(key);
        return key.compare(0, at, folder) == 0 &&
               WildcardMatches(wanted, Characters(key.substr(at)));
    };
    for (const auto& entry : files_) {
        if (matches(entry.first)) return true;
    }
    for (const auto& directory : directories_) {
        if (matches(directory)) return true;
    }
    return false;
}

std::size_t MemoryPlatform::ExtensionOffset(const std::string& path) {
    const std::size_t end = CStringLength(path);
    std::size_t dot = std::string::npos;
    for (std::size_t at = 0; at < end;) {
        if (path[at] == '\\' || path[at] == ' ') dot = std::string::npos;
        else if (path[at] == '.') dot = at;
        at += CharacterLength(path, at);
    }
    return dot == std::string::npos ? end : dot;
}

std::size_t MemoryPlatform::FileNameOffset(const std::string& path) {
    const std::size_t end = CStringLength(path);
    std::size_t start = 0;
    for (std::size_t at = 0; at < end;) {
        const char c = path[at];
        if ((c == '\\' || c == '/' || c == ':') && at + 1 < end && path[at + 1] != '\\' &&
            path[at + 1] != '/') {
            start = at + 1;
        }
        at += CharacterLength(path, at);
    }
    return start;
}

bool MemoryPlatform::CopyFileOver(const std::string& from, const std::string& to) {
    const std::string source = Key(from);
    const std::string target = Key(to);
    const auto found = files_.find(source);
    if (found == files_.end() || locked_.count(source)) return false;
    // Copying a file onto itself fails on Windows (the source is open while the target is created).
    if (source == target || !Writable(to) || failCopies_.count(target)) return false;
    const std::string bytes = found->second;
    files_[target] = bytes;
    writes.push_back(to);
    return true;
}

bool MemoryPlatform::RemoveFile(const std::string& path) {
    const std::string key = Key(path);
    if (!files_.count(key) || readOnly_.count(key) || locked_.count(key)) return false;
    files_.erase(key);
    return true;
}

bool MemoryPlatform::ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const std::string key = Key(path);
    const auto found = files_.find(key);
    if (found == files_.end() || locked_.count(key)) return false;
    bytes = found->second;
    return true;
}

bool MemoryPlatform::WriteWholeFile(const std::string& path, const std::string& bytes) {
    if (path.empty() || !Writable(path)) return false;
    files_[Key(path)] = bytes;
    writes.push_back(path);
    return true;
}

void MemoryPlatform::ShowErrorBox(const std::string& message) {
    errorBoxes.push_back(message);
}

std::string MemoryPlatform::ShortcutTarget(const std::string& shortcutPath) {
    const auto found = shortcuts_.find(Key(shortcutPath));
    return found == shortcuts_.end() ? std::string() : found->second;
}
