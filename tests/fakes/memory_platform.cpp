#include "fakes/memory_platform.h"

#include <cstddef>

namespace {

// Windows' code page 936 takes 0x81 to 0xFE as lead bytes; 0x80 and 0xFF stand alone. A lead
// byte at the very end stands alone too.
std::size_t CharacterLength(const std::string& text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool lead = byte >= 0x81 && byte <= 0xFE;
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

// Where PathFindFileNameA puts the final component.
std::size_t NameOffset(const std::string& path) {
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

bool MemoryPlatform::Failing() {
    return ++calls == failCall;
}

void MemoryPlatform::Count() {
    ++calls;
    MaybeCrash();
}

void MemoryPlatform::MaybeCrash() const {
    if (calls == crashAfterCall) throw SimulatedCrash();
}

FileError MemoryPlatform::DeleteError(const std::string& path) const {
    const std::string key = Key(path);
    if (key.empty() || directories_.count(key)) return FileError::Other;
    std::string folder = key.substr(0, NameOffset(key));
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (!elevated && deniedFolders_.count(folder)) return FileError::AccessDenied;
    if (locked_.count(key)) return FileError::InUse;
    if (readOnly_.count(key)) return FileError::AccessDenied;
    return FileError::None;
}

FileError MemoryPlatform::WriteError(const std::string& path) const {
    if (const FileError error = DeleteError(path); error != FileError::None) return error;
    return failWrites_.count(Key(path)) ? FileError::Other : FileError::None;
}

FileError MemoryPlatform::ReadError(const std::string& path) const {
    const std::string key = Key(path);
    if (!files_.count(key)) return FileError::NotFound;
    if (locked_.count(key)) return FileError::InUse;
    return FileError::None;
}

void MemoryPlatform::AddFile(const std::string& path, const std::string& bytes) {
    files_[Key(path)] = bytes;
    names_[Key(path)] = path;
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

std::map<std::string, std::string> MemoryPlatform::Files() const {
    std::map<std::string, std::string> files;
    for (const auto& [key, bytes] : files_) files[names_.at(key)] = bytes;
    return files;
}

void MemoryPlatform::SetReadOnly(const std::string& path, bool readOnly) {
    if (readOnly) readOnly_.insert(Key(path));
    else readOnly_.erase(Key(path));
}

void MemoryPlatform::SetLocked(const std::string& path, bool locked) {
    if (locked) locked_.insert(Key(path));
    else locked_.erase(Key(path));
}

void MemoryPlatform::SetDeletePending(const std::string& path, bool pending) {
    if (pending) deletePending_.insert(Key(path));
    else deletePending_.erase(Key(path));
}

void MemoryPlatform::FailWritesTo(const std::string& path) { failWrites_.insert(Key(path)); }
void MemoryPlatform::FailCopiesTo(const std::string& path) { failCopies_.insert(Key(path)); }
void MemoryPlatform::CorruptCopiesTo(const std::string& path) { corruptCopies_.insert(Key(path)); }

void MemoryPlatform::DenyAccessToFolder(const std::string& folder) {
    deniedFolders_.insert(Key(folder));
}

void MemoryPlatform::SetShortcut(const std::string& shortcutPath, const std::string& target) {
    shortcuts_[Key(shortcutPath)] = target;
}

std::string MemoryPlatform::ModuleDirectory() { return moduleDirectory; }

bool MemoryPlatform::SetWorkingDirectory(const std::string& directory) {
    workingDirectory = directory;
    return true;
}

bool MemoryPlatform::FileExists(const std::string& path) {
    Count();
    const std::string key = Key(path);
    return files_.count(key) != 0 || directories_.count(key) != 0;
}

bool MemoryPlatform::IsFile(const std::string& path) {
    Count();
    return files_.count(Key(path)) != 0;
}

bool MemoryPlatform::AnyFileMatches(const std::string& pattern) {
    Count();
    const std::size_t nameAt = FileNameOffset(pattern);
    const std::string folder = Key(pattern.substr(0, nameAt));
    const std::string name = Key(pattern.substr(nameAt));
    if (name.empty()) return false;
    if (!HasWildcard(name)) {
        const std::string key = Key(pattern);
        return files_.count(key) != 0 || directories_.count(key) != 0;
    }
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

std::size_t MemoryPlatform::FileNameOffset(const std::string& path) { return NameOffset(path); }

CopyResult MemoryPlatform::CopyFileBytes(const std::string& from, const std::string& to) {
    const bool failing = Failing();
    CopyResult result;
    result.source = ReadError(from);
    if (result.source == FileError::None) result.target = WriteError(to);
    if (!result.Ok()) return result;
    const std::string source = files_[Key(from)];
    const std::string target = Key(to);
    if (failing || failCopies_.count(target)) {
        // Cut short, as a full disk leaves it.
        AddFile(to, source.substr(0, source.size() / 2));
        result.target = FileError::Other;
    } else {
        AddFile(to, corruptCopies_.count(target) ? source + "?" : source);
        writes.push_back(to);
    }
    MaybeCrash();
    return result;
}

Comparison MemoryPlatform::CompareFiles(const std::string& first, const std::string& second) {
    if (Failing()) return Comparison::FirstUnreadable;
    if (ReadError(first) != FileError::None) return Comparison::FirstUnreadable;
    if (ReadError(second) != FileError::None) return Comparison::SecondUnreadable;
    const bool same = files_[Key(first)] == files_[Key(second)];
    MaybeCrash();
    return same ? Comparison::Same : Comparison::Different;
}

FileError MemoryPlatform::MoveOver(const std::string& from, const std::string& to) {
    if (Failing()) return FileError::Other;
    const std::string source = Key(from);
    if (!files_.count(source)) return FileError::NotFound;
    if (const FileError error = WriteError(from); error != FileError::None) return error;
    if (const FileError error = WriteError(to); error != FileError::None) return error;
    const std::string bytes = files_[source];
    files_.erase(source);
    names_.erase(source);
    AddFile(to, corruptCopies_.count(Key(to)) ? bytes + "?" : bytes);
    writes.push_back(to);
    MaybeCrash();
    return FileError::None;
}

FileError MemoryPlatform::RemoveFile(const std::string& path) {
    if (Failing()) return FileError::Other;
    const std::string key = Key(path);
    if (!files_.count(key)) return FileError::NotFound;
    if (const FileError error = DeleteError(path); error != FileError::None) return error;
    if (!deletePending_.count(key)) {
        files_.erase(key);
        names_.erase(key);
    }
    MaybeCrash();
    return FileError::None;
}

bool MemoryPlatform::ReadWholeFile(const std::string& path, std::string& bytes,
                                   std::size_t limit) {
    bytes.clear();
    if (Failing() || ReadError(path) != FileError::None) return false;
    const std::string& content = files_[Key(path)];
    if (content.size() > limit) return false;
    bytes = content;
    MaybeCrash();
    return true;
}

bool MemoryPlatform::WriteWholeFile(const std::string& path, const std::string& bytes) {
    const bool failing = Failing();
    if (path.empty() || WriteError(path) != FileError::None) return false;
    if (failing) {
        AddFile(path, bytes.substr(0, bytes.size() / 2));
        return false;
    }
    AddFile(path, bytes);
    writes.push_back(path);
    MaybeCrash();
    return true;
}

bool MemoryPlatform::IsProcessRunning(const std::string& imagePath) {
    Count();
    for (const std::string& image : runningImages) {
        if (Key(image) == Key(imagePath)) return true;
    }
    return false;
}

bool MemoryPlatform::IsElevated() { return elevated; }

ElevatedRun MemoryPlatform::RunElevated(const std::string& argument) {
    if (Failing() || !elevate) return ElevatedRun{};
    elevatedArguments.push_back(argument);
    return elevate(argument);
}

bool MemoryPlatform::CanWriteFolder(const std::string& folder) {
    Count();
    return elevated || !deniedFolders_.count(Key(folder));
}

void MemoryPlatform::ShowErrorBox(const std::string& message) {
    errorBoxes.push_back(message);
}

std::string MemoryPlatform::ShortcutTarget(const std::string& shortcutPath) {
    const auto found = shortcuts_.find(Key(shortcutPath));
    return found == shortcuts_.end() ? std::string() : found->second;
}
