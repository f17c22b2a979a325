#include "platform/win32_platform.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/wide_text.h"

using Microsoft::WRL::ComPtr;

std::string Win32Platform::ModuleDirectory() {
    // Grow the buffer until the whole path fits: a cut-off path would name some other folder.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 0x10000) return std::string();
        path.resize(path.size() * 2);
    }

    // Walk by characters so that a 0x5C trail byte of a two-byte character is not taken for '\'.
    const char* const begin = path.c_str();
    const char* lastSlash = nullptr;
    for (const char* at = begin; *at != '\0'; at = CharNextA(at)) {
        if (*at == '\\') lastSlash = at;
    }
    return lastSlash ? path.substr(0, static_cast<std::size_t>(lastSlash - begin)) : path;
}

bool Win32Platform::SetWorkingDirectory(const std::string& directory) {
    return SetCurrentDirectoryA(directory.c_str()) != FALSE;
}

bool Win32Platform::FileExists(const std::string& path) {
    return PathFileExistsA(path.c_str()) == 1;
}

bool Win32Platform::AnyFileMatches(const std::string& pattern) {
    WIN32_FIND_DATAA found{};
    const FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    return search.Valid();
}

std::size_t Win32Platform::ExtensionOffset(const std::string& path) {
    const char* const begin = path.c_str();
    return static_cast<std::size_t>(PathFindExtensionA(begin) - begin);
}

std::size_t Win32Platform::FileNameOffset(const std::string& path) {
    const char* const begin = path.c_str();
    return static_cast<std::size_t>(PathFindFileNameA(begin) - begin);
}

namespace {

FileError FileErrorFrom(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS: return FileError::None;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return FileError::NotFound;
        case ERROR_ACCESS_DENIED: return FileError::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return FileError::InUse;
        default: return FileError::Other;
    }
}

// Access is denied to a read-only file for administrators too: that is no matter of rights.
FileError ReplaceError(const std::string& target, DWORD error) {
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return FileError::Other;
    }
    return FileErrorFrom(error);
}

FileHandle OpenForReading(const std::string& path) {
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

constexpr DWORD kChunk = 1 << 20;

// Reads up to a whole chunk, fewer bytes only at the end of the file.
bool ReadChunk(HANDLE file, std::vector<char>& chunk, DWORD& read) {
    read = 0;
    while (read < chunk.size()) {
        DWORD got = 0;
        if (!ReadFile(file, chunk.data() + read, static_cast<DWORD>(chunk.size()) - read, &got,
                      nullptr)) {
            return false;
        }
        if (got == 0) break;
        read += got;
    }
    return true;
}

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD piece = size > kChunk ? kChunk : static_cast<DWORD>(size);
        DWORD done = 0;
        if (!WriteFile(file, data, piece, &done, nullptr) || done == 0) return false;
        data += done;
        size -= done;
    }
    return true;
}

std::wstring OwnExecutable() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 0x10000) return std::wstring();
        path.resize(path.size() * 2);
    }
}

// The thread's enabled top-level windows, disabled while an elevated run works and enabled
// again afterwards, as a task-modal box does.
class ThreadWindowsDisabled {
public:
    ThreadWindowsDisabled() {
        EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&windows_));
        for (HWND window : windows_) EnableWindow(window, FALSE);
    }
    ~ThreadWindowsDisabled() {
        for (HWND window : windows_) EnableWindow(window, TRUE);
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM windows) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        }
        return TRUE;
    }
    std::vector<HWND> windows_;
};

// Waits for the process while the thread's windows keep painting; a WM_QUIT that arrives
// meanwhile is put back for the program's own loop.
void WaitPumpingMessages(HANDLE process) {
    bool quit = false;
    int quitCode = 0;
    while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (quit) PostQuitMessage(quitCode);
}

}  // namespace

bool Win32Platform::IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

CopyResult Win32Platform::CopyFileBytes(const std::string& from, const std::string& to) {
    CopyResult result;
    const FileHandle source = OpenForReading(from);
    if (!source.Valid()) {
        result.source = FileErrorFrom(GetLastError());
        return result;
    }
    FileHandle target(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.Valid()) {
        result.target = ReplaceError(to, GetLastError());
        return result;
    }
    std::vector<char> chunk(kChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadChunk(source.Get(), chunk, read)) {
            result.source = FileErrorFrom(GetLastError());
            return result;
        }
        if (read == 0) break;
        if (!WriteAll(target.Get(), chunk.data(), read)) {
            result.target = FileErrorFrom(GetLastError());
            return result;
        }
    }
    // On the disk, not in a cache, before anything replaces the user's file with it.
    if (!FlushFileBuffers(target.Get())) result.target = FileErrorFrom(GetLastError());
    if (!target.Close() && result.target == FileError::None) result.target = FileError::Other;
    return result;
}

Comparison Win32Platform::CompareFiles(const std::string& first, const std::string& second) {
    const FileHandle a = OpenForReading(first);
    if (!a.Valid()) return Comparison::FirstUnreadable;
    const FileHandle b = OpenForReading(second);
    if (!b.Valid()) return Comparison::SecondUnreadable;
    LARGE_INTEGER sizeA{}, sizeB{};
    if (!GetFileSizeEx(a.Get(), &sizeA)) return Comparison::FirstUnreadable;
    if (!GetFileSizeEx(b.Get(), &sizeB)) return Comparison::SecondUnreadable;
    if (sizeA.QuadPart != sizeB.QuadPart) return Comparison::Different;

    std::vector<char> chunkA(kChunk), chunkB(kChunk);
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (!ReadChunk(a.Get(), chunkA, readA)) return Comparison::FirstUnreadable;
        if (!ReadChunk(b.Get(), chunkB, readB)) return Comparison::SecondUnreadable;
        if (readA != readB || std::memcmp(chunkA.data(), chunkB.data(), readA) != 0) {
            return Comparison::Different;
        }
        if (readA == 0) return Comparison::Same;
    }
}

FileError Win32Platform::MoveOver(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return FileError::None;
    }
    return ReplaceError(to, GetLastError());
}

FileError Win32Platform::RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return FileError::None;
    return ReplaceError(path, GetLastError());
}

// Read access only: a read-only file must still be readable, and a file another program holds
// open for writing too.
bool Win32Platform::ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || static_cast<unsigned long long>(size.QuadPart) > limit) {
        return false;
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(size.QuadPart));
    // Read to the end of the file rather than trusting the size, which may change meanwhile.
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            return false;
        }
        if (read == 0) break;
        if (content.size() + read > limit) return false;
        content.append(chunk.data(), read);
    }
    bytes = std::move(content);
    return true;
}

bool Win32Platform::WriteWholeFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    if (!WriteAll(file.Get(), bytes.data(), bytes.size()) || !FlushFileBuffers(file.Get())) {
        return false;
    }
    return file.Close();
}

// The program is 32-bit and Photoshop 64-bit: only the limited query gives another
// process's full image path across that line.
bool Win32Platform::IsProcessRunning(const std::string& imagePath) {
    const std::wstring wanted = WideFromCodePage(CP_ACP, imagePath);
    if (wanted.empty()) return false;
    const std::size_t slash = wanted.find_last_of(L'\\');
    const std::wstring name = slash == std::wstring::npos ? wanted : wanted.substr(slash + 1);
    const auto same = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                    static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
    };

    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (!same(entry.szExeFile, name)) continue;  // cheap: most processes end here
        const ProcessHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (!process.Valid()) continue;
        std::wstring image(32768, L'\0');
        DWORD length = static_cast<DWORD>(image.size());
        if (!QueryFullProcessImageNameW(process.Get(), 0, image.data(), &length)) continue;
        image.resize(length);
        if (same(image, wanted)) return true;
    }
    return false;
}

bool Win32Platform::IsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const ProcessHandle owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
}

// Only the operation's name crosses: the elevated copy may run as another user, and it reads
// the state files beside the executable, never a path given to it.
ElevatedRun Win32Platform::RunElevated(const std::string& argument) {
    ElevatedRun run;
    const std::wstring executable = OwnExecutable();
    const std::wstring parameters = WideFromCodePage(CP_ACP, argument);
    if (executable.empty()) return run;

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = GetActiveWindow();
    info.lpVerb = L"runas";
    info.lpFile = executable.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info)) {
        if (GetLastError() == ERROR_CANCELLED) run.status = ElevatedRun::Status::Cancelled;
        return run;
    }
    const ProcessHandle process(info.hProcess);
    if (!process.Valid()) return run;
    {
        const ThreadWindowsDisabled noInput;
        WaitPumpingMessages(process.Get());
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.Get(), &exitCode)) return run;
    run.status = ElevatedRun::Status::Exited;
    run.exitCode = exitCode;
    return run;
}

// Creating a file that goes with its handle is the cheapest honest test: it asks exactly the
// rights a switch needs and leaves nothing behind.
bool Win32Platform::CanWriteFolder(const std::string& folder) {
    const std::string probe = folder + "\\PsLangSwitch.tmp";
    const FileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                      CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.Valid();
}

// The "W" box with the texts converted from 936, so the Chinese reads right on any system locale.
void Win32Platform::ShowErrorBox(const std::string& message) {
    const std::wstring text = WideFrom936(message);
    const std::wstring caption = WideFrom936(errorCaption_);
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// Only reads the shortcut: no Resolve (which may search the disk or show UI) and no Save.
std::string Win32Platform::ShortcutTarget(const std::string& shortcutPath) {
    const std::wstring widePath = WideFromCodePage(CP_ACP, shortcutPath);
    if (widePath.empty()) return std::string();

    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link)))) {
        return std::string();
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file)) || FAILED(file->Load(widePath.c_str(), STGM_READ))) {
        return std::string();
    }

    // Well above MAX_PATH, so a long target is not cut short.
    std::wstring target(32768, L'\0');
    // S_FALSE means the shortcut points at something that is not a file-system path.
    if (link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0) != S_OK) {
        return std::string();
    }
    const std::size_t end = target.find(L'\0');
    if (end != std::wstring::npos) target.resize(end);
    return NarrowToCodePage(CP_ACP, target);
}
