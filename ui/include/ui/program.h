#pragma once
// Start, message loop and end of the program.
#include <windows.h>

#include <optional>

#include "core/switch_commands.h"
#include "ui/main_window.h"

// The switch an elevated run was started for: exactly one argument naming it. Any other
// command line starts the program normally.
std::optional<Direction> ElevatedSwitchRequested(const wchar_t* commandLine);

// Creates the window and its controls hidden, lets the core choose the mode, then shows it.
bool OpenMainWindow(MainWindow& window, HINSTANCE instance);

// Handles one message as the loop does: the dialog keys (Tab, Shift+Tab, Esc) first.
void DispatchProgramMessage(HWND window, MSG& message);

// Runs until `window` is destroyed (exit code 0) or a WM_QUIT arrives (the exit code it carries).
int RunMessageLoop(HWND window);

// The whole run, from OLE's start to its end; or, started elevated, the one switch.
int RunProgram(HINSTANCE instance);

// RunProgram with a last-resort error box for anything that escaped everything else.
int RunProgramSafely(HINSTANCE instance);
