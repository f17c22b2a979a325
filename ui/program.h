#pragma once
// Start, message loop and end of the program.
#include <windows.h>

#include "ui/main_window.h"

// Creates the window and its controls hidden, lets the core choose the mode, then shows it.
bool OpenMainWindow(MainWindow& window, HINSTANCE instance);

// Handles one message as the loop does: the dialog keys (Tab, Shift+Tab, Esc) first.
void DispatchProgramMessage(HWND window, MSG& message);

// Runs until `window` is destroyed (exit code 0) or a WM_QUIT arrives (the exit code it carries).
int RunMessageLoop(HWND window);

// The whole run, from OLE's start to its end.
int RunProgram(HINSTANCE instance);
