#pragma once
// The window's two modes, expressed through the three controls.
#include "core/controls.h"

// Set-up mode: only the drop area is visible.
void ShowSetUpMode(Controls& controls);

// Switch mode: the drop area gives way to the two buttons; their enabled states stay as they are.
void ShowSwitchMode(Controls& controls);

// Offers the one useful switch: to English while the language file is there, else to Chinese.
void ShowLanguageFileState(Controls& controls, bool languageFilePresent);
