#pragma once
// The Windows file, shell, process and dialog operations the program needs, behind one
// interface, so that the core runs unchanged on Windows and, against an in-memory file system,
// on Linux. Texts cross as ANSI (code page 936) bytes.
#include <cstddef>
#include <string>

// Why a file operation failed, as far as the program's messages need to know.
enum class FileError {
    None,
    NotFound,
    AccessDenied,  // no rights (e.g. Photoshop's folder under Program Files without elevation)
    InUse,         // another program holds the file open without sharing
    Other,         // disk full, device error, ...
};

struct CopyResult {
    FileError source = FileError::None;  // reading the file copied
    FileError target = FileError::None;  // creating or writing the copy
    bool Ok() const { return source == FileError::None && target == FileError::None; }
};

enum class Comparison { Same, Different, FirstUnreadable, SecondUnreadable };

// How a copy of the program started with administrator rights ended.
struct ElevatedRun {
    enum class Status { Exited, Cancelled, NotStarted } status = Status::NotStarted;
    unsigned long exitCode = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Folder of the running executable, no trailing backslash ("C:" for a drive root).
    virtual std::string ModuleDirectory() = 0;
    virtual bool SetWorkingDirectory(const std::string& directory) = 0;

    // True for a file or a directory.
    virtual bool FileExists(const std::string& path) = 0;
    // True only for a file: a directory of that name does not count.
    virtual bool IsFile(const std::string& path) = 0;
    // Find-first-file presence test: a directory or a wildcard match counts.
    virtual bool AnyFileMatches(const std::string& pattern) = 0;

    // Byte offset of the final component's extension dot, or of the end when there is none.
    virtual std::size_t ExtensionOffset(const std::string& path) = 0;
    // Byte offset where the final path component starts.
    virtual std::size_t FileNameOffset(const std::string& path) = 0;

    // Copies the bytes of `from` into `to`, created or replaced, and flushes them to the disk.
    // On failure `to` may hold part of the bytes: it is meant to be a temporary file.
    virtual CopyResult CopyFileBytes(const std::string& from, const std::string& to) = 0;
    // Compares two files' bytes, a piece at a time, so that any size fits in memory.
    virtual Comparison CompareFiles(const std::string& first, const std::string& second) = 0;
    // Puts `from` in the place of `to` in one step, replacing `to`, and waits for the disk.
    virtual FileError MoveOver(const std::string& from, const std::string& to) = 0;
    // Asks for the file to be deleted. Success may leave it in place until another program
    // that holds it open closes it, so the caller checks that it is gone.
    virtual FileError RemoveFile(const std::string& path) = 0;
    // Whole content, at most `limit` bytes (more fails); opened for reading only, sharing read
    // and write with other handles.
    virtual bool ReadWholeFile(const std::string& path, std::string& bytes,
                               std::size_t limit = kReadLimit) = 0;
    // Creates or replaces the file with `bytes` and flushes it to the disk; an empty name
    // writes nothing and fails.
    virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;

    // Whether a process runs whose executable is exactly `imagePath` (letter case aside).
    // Processes that cannot be asked do not count.
    virtual bool IsProcessRunning(const std::string& imagePath) = 0;

    // Whether the process runs with administrator rights.
    virtual bool IsElevated() = 0;
    // Starts the program's own executable with administrator rights and the one `argument`,
    // without a window, and waits for it; the caller's windows take no input meanwhile but
    // keep painting.
    virtual ElevatedRun RunElevated(const std::string& argument) = 0;
    // Whether this process may create and delete files in `folder`.
    virtual bool CanWriteFolder(const std::string& folder) = 0;

    // Task-modal error box with no owner.
    virtual void ShowErrorBox(const std::string& message) = 0;

    // Target path of a shell shortcut, or empty when it cannot be read. Characters the code page
    // cannot hold come back as '?'.
    virtual std::string ShortcutTarget(const std::string& shortcutPath) = 0;

    // Far above any path, far below what a 32-bit process could hold.
    static constexpr std::size_t kReadLimit = 1 << 20;
};
