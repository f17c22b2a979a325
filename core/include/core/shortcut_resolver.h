#pragma once
#include "core/text_helpers.h"
#include "platform/platform.h"

// Target path of a shell shortcut (".lnk", in any letter case), or empty when the path is no
// shortcut or the shortcut can't be read.
Text ResolveShortcutTarget(Platform& platform, const Text& shortcutPath);
