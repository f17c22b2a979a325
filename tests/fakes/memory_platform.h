#pragma once
// The platform on hosts without Windows: an in-memory file system with the same path rules as
// the Windows implementation. A test can make a file read-only, locked or undeletable, deny
// access to a folder, make a given call fail or the program "crash" right after it, say which
// programs run, and see every error box and every write.
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"

// Thrown after the call chosen with crashAfterCall: the operation stops there, as if the
// process had been killed, and the files stay as they are.
struct SimulatedCrash : std::runtime_error {
    SimulatedCrash() : std::runtime_error("simulated crash") {}
};

class MemoryPlatform : public Platform {
public:
    std::string moduleDirectory = "C:\\Tools\\switcher";

    // Paths compare without regard to ASCII letter case, as on Windows.
    void AddFile(const std::string& path, const std::string& bytes);
    void AddDirectory(const std::string& path);
    bool HasFile(const std::string& path) const;
    std::string Content(const std::string& path) const;  // empty when missing
    // Every file, by the path it was last written under.
    std::map<std::string, std::string> Files() const;

    void SetReadOnly(const std::string& path, bool readOnly = true);
    // A locked file is held open by another program without sharing: it can't be opened,
    // replaced or deleted.
    void SetLocked(const std::string& path, bool locked = true);
    // Held open with delete sharing: deleting succeeds but the file stays until "closed".
    void SetDeletePending(const std::string& path, bool pending = true);
    void FailWritesTo(const std::string& path);    // writes and copies onto it fail
    void FailCopiesTo(const std::string& path);    // copies onto it fail, leaving a part
    // Copies and moves onto it report success but leave other bytes.
    void CorruptCopiesTo(const std::string& path);
    // Creating, replacing and deleting files in the folder is refused unless elevated.
    void DenyAccessToFolder(const std::string& folder);
    void SetShortcut(const std::string& shortcutPath, const std::string& target);

    // Fault injection, counting every file and process call from 1: the call numbered
    // failCall fails if it is one that can fail (a copy or write then leaves the first half of
    // the bytes; queries such as FileExists answer truly), and the one numbered crashAfterCall
    // is done, then SimulatedCrash is thrown. 0 means never.
    int failCall = 0;
    int crashAfterCall = 0;
    int calls = 0;

    std::set<std::string> runningImages;  // full executable paths of running processes
    bool elevated = false;
    // What starting the program elevated does; unset, it cannot be started.
    std::function<ElevatedRun(const std::string& argument)> elevate;
    std::vector<std::string> elevatedArguments;

    std::vector<std::string> errorBoxes;  // messages shown, in order
    std::vector<std::string> writes;      // targets successfully written or moved, in order
    std::string workingDirectory;

    std::string ModuleDirectory() override;
    bool SetWorkingDirectory(const std::string& directory) override;
    bool FileExists(const std::string& path) override;
    bool IsFile(const std::string& path) override;
    bool AnyFileMatches(const std::string& pattern) override;
    std::size_t ExtensionOffset(const std::string& path) override;
    std::size_t FileNameOffset(const std::string& path) override;
    CopyResult CopyFileBytes(const std::string& from, const std::string& to) override;
    Comparison CompareFiles(const std::string& first, const std::string& second) override;
    FileError MoveOver(const std::string& from, const std::string& to) override;
    FileError RemoveFile(const std::string& path) override;
    bool ReadWholeFile(const std::string& path, std::string& bytes,
                       std::size_t limit = kReadLimit) override;
    bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
    bool IsProcessRunning(const std::string& imagePath) override;
    bool IsElevated() override;
    ElevatedRun RunElevated(const std::string& argument) override;
    bool CanWriteFolder(const std::string& folder) override;
    void ShowErrorBox(const std::string& message) override;
    std::string ShortcutTarget(const std::string& shortcutPath) override;

private:
    static std::string Key(const std::string& path);
    // Counts the call; true when it is the one to fail.
    bool Failing();
    // Counts a query, which never fails but may be the last call before a crash.
    void Count();
    // After the call's effect: the injected crash, if this is its call.
    void MaybeCrash() const;
    FileError DeleteError(const std::string& path) const;
    FileError WriteError(const std::string& path) const;
    FileError ReadError(const std::string& path) const;

    std::map<std::string, std::string> files_;   // key -> bytes
    std::map<std::string, std::string> names_;   // key -> path as last written
    std::set<std::string> directories_;          // keys
    std::set<std::string> readOnly_, locked_, deletePending_, failWrites_, failCopies_,
        corruptCopies_, deniedFolders_;
    std::map<std::string, std::string> shortcuts_;  // key -> target
};
