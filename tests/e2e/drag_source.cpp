// A drag source for the end-to-end tests: a small window titled "drag-source" that, when the left
// button goes down on it, drags the files named on its command line as a shell file list
// (CF_HDROP) allowing copy, move and link, then reports how the drag ended and exits.
//
//   drag_source.exe [--out FILE] [--x N] [--y N] [--wide] PATH...
//
// The report is one line, "result=0x%08lX effect=%lu" with DoDragDrop's result and the final
// effect, written to FILE, or to standard output without --out. Paths are passed on as ANSI
// (code page 936 on our test systems); --wide offers them as UTF-16 instead, as Explorer does.
// Exit code 0 after one drag, 2 on a bad command line or a failed set-up.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shared/file_list_data.h"

using Microsoft::WRL::ComPtr;

namespace {

struct Options {
    std::wstring out;
    int x = 0;
    int y = 0;
    bool wide = false;
    std::vector<std::wstring> paths;
};


bool ParseCommandLine(Options& options) {
    int count = 0;
    LPWSTR* const arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const UniqueLocal owner(reinterpret_cast<HLOCAL>(arguments));
    if (!arguments) return false;
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const bool hasValue = i + 1 < count;
        if (argument == L"--out" && hasValue) {
            options.out = arguments[++i];
        } else if (argument == L"--x" && hasValue) {
            options.x = _wtoi(arguments[++i]);
        } else if (argument == L"--y" && hasValue) {
            options.y = _wtoi(arguments[++i]);
        } else if (argument == L"--wide") {
            options.wide = true;
        } else {
            options.paths.push_back(argument);
        }
    }
    return !options.paths.empty();
}

std::string Ansi(const std::wstring& wide) {
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::string();
    std::string text(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), needed, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(needed) - 1);
    return text;
}

UniqueGlobal DropFilesFor(const Options& options) {
    if (options.wide) return DropFilesMemory(options.paths);
    std::vector<std::string> ansi;
    for (const std::wstring& path : options.paths) ansi.push_back(Ansi(path));
    return DropFilesMemory(ansi);
}


// Counts references like any COM object and deletes itself with the last one.
template <typename Interface>
class RefCounted : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(Interface))) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG remaining = InterlockedDecrement(&references_);
        if (remaining == 0) delete this;
        return static_cast<ULONG>(remaining);
    }

protected:
    virtual ~RefCounted() = default;

private:
    LONG references_ = 1;
};


class LeftButtonSource : public RefCounted<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        if ((keyState & MK_LBUTTON) == 0) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

const Options* g_options = nullptr;

void Report(HRESULT result, DWORD effect) {
    char line[64];
    const int length = std::snprintf(line, sizeof line, "result=0x%08lX effect=%lu\r\n",
                                     static_cast<unsigned long>(result),
                                     static_cast<unsigned long>(effect));
    HANDLE file = GetStdHandle(STD_OUTPUT_HANDLE);
    bool opened = false;
    if (!g_options->out.empty()) {
        file = CreateFileW(g_options->out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        opened = file != INVALID_HANDLE_VALUE;
    }
    if (file != nullptr && file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    }
    if (opened) CloseHandle(file);
}

void DragFiles(HWND window) {
    UniqueGlobal files = DropFilesFor(*g_options);
    if (!files) return;
    const ComPtr<OneFormatData> data = OneFormatData::Offering(CF_HDROP, std::move(files));
    const ComPtr<IDropSource> source = AdoptCom<IDropSource>(new LeftButtonSource());
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result =
        DoDragDrop(data.Get(), source.Get(),
                   DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    Report(result, effect);
    DestroyWindow(window);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        DragFiles(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Options options;
    if (!ParseCommandLine(options)) return 2;
    g_options = &options;
    if (FAILED(OleInitialize(nullptr))) return 2;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"DragSourceWindow";
    HWND window = nullptr;
    if (RegisterClassW(&windowClass) != 0) {
        window = CreateWindowExW(0, windowClass.lpszClassName, L"drag-source",
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, options.x,
                                 options.y, 200, 100, nullptr, nullptr, instance, nullptr);
    }
    int exitCode = 2;
    if (window != nullptr) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        exitCode = 0;
    }
    OleUninitialize();
    return exitCode;
}
