#pragma once
// The Windows file, shell and dialog operations the program needs, behind one interface, so
// that the core runs unchanged on Windows and, against an in-memory file system, on Linux.
// Texts cross as ANSI (code page 936) bytes.
#include <cstddef>
#include <string>

class Platform {
public:
    virtual ~Platform() = default;

    // Folder of the running executable, no trailing backslash ("C:" for a drive root).
    virtual std::string ModuleDirectory() = 0;
    virtual bool SetWorkingDirectory(const std::string& directory) = 0;

    // True for a file or a directory.
    virtual bool FileExists(const std::string& path) = 0;
    // Find-first-file presence test: a directory or a wildcard match counts.
    virtual bool AnyFileMatches(const std::string& pattern) = 0;

    // Byte offset of the final component's extension dot, or of the end when there is none.
    virtual std::size_t ExtensionOffset(const std::string& path) = 0;
    // Byte offset where the final path component starts.
    virtual std::size_t FileNameOffset(const std::string& path) = 0;

    // Copies, replacing an existing target.
    virtual bool CopyFileOver(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Whole content; opened for reading only, sharing read and write with other handles.
    virtual bool ReadWholeFile(const std::string& path, std::string& bytes) = 0;
    // Replaces the whole content; an empty name writes nothing and fails.
    virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;

    // Task-modal error box with no owner, caption "错误".
    virtual void ShowErrorBox(const std::string& message) = 0;

    // Target path of a shell shortcut, or empty when it cannot be read.
    virtual std::string ShortcutTarget(const std::string& shortcutPath) = 0;
};
