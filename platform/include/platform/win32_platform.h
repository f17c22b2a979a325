#pragma once
// The platform on Windows: the ANSI ("A") entry points of kernel32, shlwapi and user32, and the
// shell's shortcut object. Expects OLE to be initialised on the calling thread.
#include <windows.h>

#include <string>
#include <utility>

#include "platform/platform.h"
#include "platform/win32_raii.h"

class Win32Platform : public Platform {
public:
    // The caption of every error box, in code page 936.
    explicit Win32Platform(std::string errorCaption) : errorCaption_(std::move(errorCaption)) {}

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
    std::string errorCaption_;
};
