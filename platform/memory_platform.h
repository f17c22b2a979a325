#pragma once
// The platform on hosts without Windows: an in-memory file system with the same path rules as
// the Windows implementation, where a test can make a file read-only or locked, make writes,
// copies or deletions fail, and see every error box and every write.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

class MemoryPlatform : public Platform {
public:
    std::string moduleDirectory = "C:\\Tools\\switcher";

    // Paths compare without regard to ASCII letter case, as on Windows.
    void AddFile(const std::string& path, const std::string& bytes);
    void AddDirectory(const std::string& path);
    bool HasFile(const std::string& path) const;
    std::string Content(const std::string& path) const;  // empty when missing

    void SetReadOnly(const std::string& path, bool readOnly = true);
    // A locked file is held open by another program without sharing: it can't be opened,
    // replaced or deleted.
    void SetLocked(const std::string& path, bool locked = true);
    void FailWritesTo(const std::string& path);    // WriteWholeFile and copies onto it fail
    void FailCopiesTo(const std::string& path);    // CopyFileOver onto it fails
    void SetShortcut(const std::string& shortcutPath, const std::string& target);

    std::vector<std::string> errorBoxes;  // messages shown, in order
    std::vector<std::string> writes;      // targets successfully written or copied, in order

    std::string ModuleDirectory() override;
    bool SetWorkingDirectory(const std::string& directory) override;
    bool FileExists(const std::string& path) override;
    bool AnyFileMatches(const std::string& pattern) override;
    std::size_t ExtensionOffset(const std::string& path) override;
    std::size_t FileNameOffset(const std::string& path) override;
    bool CopyFileOver(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool ReadWholeFile(const std::string& path, std::string& bytes) override;
    bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
    void ShowErrorBox(const std::string& message) override;
    std::string ShortcutTarget(const std::string& shortcutPath) override;

    std::string workingDirectory;

private:
    static std::string Key(const std::string& path);
    bool Writable(const std::string& path) const;

    std::map<std::string, std::string> files_;   // key -> bytes
    std::set<std::string> directories_;          // keys
    std::set<std::string> readOnly_, locked_, failWrites_, failCopies_;
    std::map<std::string, std::string> shortcuts_;  // key -> target
};
