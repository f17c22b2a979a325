#pragma once
#include "core/switcher.h"

// Runs once, when the window and its controls exist and before the window is shown: registers
// the drop area and opens in set-up mode or, when both state files exist, in switch mode.
void OnWindowCreated(Switcher& app);
