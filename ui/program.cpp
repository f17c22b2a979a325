#include "ui/program.h"

#include <ole2.h>
#include <shellapi.h>

#include <string>

#include "core/elevated_switch.h"
#include "core/startup.h"
#include "core/program_texts.h"
#include "platform/wide_text.h"
#include "platform/win32_platform.h"

namespace {


// The program lives in a folder its user can write to: DLLs are taken from System32 only, never
// from beside it. Resolved at run time, since Windows 7 has the call only with an update.
void LoadDllsFromSystemOnly() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto set = kernel ? reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
                                  GetProcAddress(kernel, "SetDefaultDllDirectories")))
                            : nullptr;
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

std::optional<Direction> ElevatedSwitchRequested(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* const arguments = CommandLineToArgvW(commandLine, &count);
    const UniqueLocal owner(reinterpret_cast<HLOCAL>(arguments));
    if (!arguments || count != 2) return std::nullopt;
    const std::wstring argument = arguments[1];
    if (argument == WideFromCodePage(CP_UTF8, kSwitchToEnglishArgument)) return Direction::ToEnglish;
    if (argument == WideFromCodePage(CP_UTF8, kSwitchToChineseArgument)) return Direction::ToChinese;
    return std::nullopt;
}

bool OpenMainWindow(MainWindow& window, HINSTANCE instance) {
    if (!window.Create(instance)) return false;
    OnWindowCreated(window.App());
    window.DecideShield();
    window.Show();
    return true;
}

void DispatchProgramMessage(HWND window, MSG& message) {
    if (IsDialogMessageW(window, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// The window is destroyed while one of its messages is being handled, so it is checked after
// each. A WM_QUIT from elsewhere ends the run too, with the exit code it carries.
int RunMessageLoop(HWND window) {
    MSG message{};
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got < 0) return 1;
        DispatchProgramMessage(window, message);
    }
    return 0;
}

int RunProgram(HINSTANCE instance) {
    LoadDllsFromSystemOnly();
    Win32Platform platform(kErrorCaption);
    const Text programDirectory = platform.ModuleDirectory();
    // Started elevated for one switch: no window, no OLE, the outcome as the exit code.
    if (const auto direction = ElevatedSwitchRequested(GetCommandLineW())) {
        return RunElevatedSwitch(platform, programDirectory, *direction);
    }

    const OleSession ole;
    // Relative paths the user drops resolve against the program's own folder.
    platform.SetWorkingDirectory(programDirectory);
    int exitCode = 0;
    {
        // Owns the run state: it is released right after the loop, before OLE ends.
        MainWindow window(platform, programDirectory);
        if (!OpenMainWindow(window, instance)) return 1;
        exitCode = RunMessageLoop(window.Handle());
    }
    return exitCode;
}

int RunProgramSafely(HINSTANCE instance) {
    try {
        return RunProgram(instance);
    } catch (...) {
        // Nothing may leave WinMain: say so once, then end as cleanly as is left to do.
        const std::wstring text = WideFrom936(kUnexpectedErrorMessage);
        const std::wstring caption = WideFrom936(kErrorCaption);
        MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return 1;
    }
}
