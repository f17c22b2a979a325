#include "platform/win32_platform.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <climits>
#include <utility>
#include <vector>

#include "core/texts.h"
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

bool Win32Platform::CopyFileOver(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32Platform::RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

// Read access only: a read-only file must still be readable, and a file another program holds
// open for writing too.
bool Win32Platform::ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;

    std::string content;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && size.QuadPart < INT_MAX) {
        content.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    // Read to the end of the file rather than trusting the size, which may change meanwhile.
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            return false;
        }
        if (read == 0) break;
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

    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t remaining = bytes.size() - written;
        const DWORD piece = remaining > 0x100000 ? 0x100000 : static_cast<DWORD>(remaining);
        DWORD done = 0;
        if (!WriteFile(file.Get(), bytes.data() + written, piece, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    return file.Close();
}

// The "W" box with the texts converted from 936, so the Chinese reads right on any system locale.
void Win32Platform::ShowErrorBox(const std::string& message) {
    const std::wstring text = WideFrom936(message);
    const std::wstring caption = WideFrom936(kErrorCaption);
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
