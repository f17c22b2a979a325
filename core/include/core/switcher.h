#pragma once
// The run-wide values every handler works on: the platform, the window's controls, the program
// directory and the run state.
#include "core/controls.h"
#include "core/text_helpers.h"
#include "platform/platform.h"

struct RunState {
    Text languageFilePath;         // the file both switches act on
    Text languageFolder;           // relative to Photoshop's folder, with a trailing backslash
    Text photoshopExePath;         // candidate executable of the latest drop
    Text derivedLanguageFilePath;  // language file derived from photoshopExePath
};

struct Switcher {
    Platform& platform;
    Controls& controls;
    Text programDirectory;
    RunState state;
};
