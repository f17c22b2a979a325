#pragma once
#include "core/switcher.h"

// A drop on the drop area: one path, or several each followed by CR LF. Accepts Photoshop's
// executable or a shortcut to it, records the language file and its backup, and turns the
// window to switch mode; anything else gets an error box and writes nothing.
void OnFileDropped(Switcher& app, const Text& droppedPath);
