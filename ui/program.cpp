#include "ui/program.h"

#include <ole2.h>

#include "core/startup.h"
#include "platform/win32_platform.h"

namespace {

// Drag and drop needs OLE on the window's thread for the whole run.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};

}  // namespace

bool OpenMainWindow(MainWindow& window, HINSTANCE instance) {
    if (!window.Create(instance)) return false;
    OnWindowCreated(window.App());
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
    const OleSession ole;
    Win32Platform platform;
    const Text programDirectory = platform.ModuleDirectory();
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
