#pragma once
// A fresh, empty folder under the temporary directory for one test, removed with everything in
// it (read-only files included) when the test ends.
#include <windows.h>

#include <string>

#include "platform/win32_platform.h"

class TempFolder {
public:
    TempFolder() {
        char temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathA(sizeof temp, temp);
        if (length == 0 || length >= sizeof temp) return;
        static unsigned counter = 0;
        const std::string path = std::string(temp) + "pslang_test_" +
                                 std::to_string(GetCurrentProcessId()) + "_" +
                                 std::to_string(GetTickCount()) + "_" + std::to_string(++counter);
        if (CreateDirectoryA(path.c_str(), nullptr)) path_ = path;
    }
    ~TempFolder() {
        if (!path_.empty()) RemoveTree(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Empty when the folder could not be made.
    const std::string& Path() const { return path_; }

private:
    static void RemoveTree(const std::string& folder) {
        WIN32_FIND_DATAA entry{};
        {
            FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
            if (search.Valid()) {
                do {
                    const std::string name = entry.cFileName;
                    if (name == "." || name == "..") continue;
                    const std::string path = folder + "\\" + name;
                    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                        RemoveTree(path);
                    } else {
                        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                        DeleteFileA(path.c_str());
                    }
                } while (FindNextFileA(search.Get(), &entry));
            }
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
};
