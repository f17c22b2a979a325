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
// each; a WM_QUIT from elsewhere ends the run too.
int RunMessageLoop(HWND window) {
    MSG message{};
    while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
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
    {
        // Owns the run state: it is released right after the loop, before OLE ends.
        MainWindow window(platform, programDirectory);
        if (!OpenMainWindow(window, instance)) return 1;
        RunMessageLoop(window.Handle());
    }
    return 0;
}
