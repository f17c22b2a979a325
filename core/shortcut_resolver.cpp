#include "core/shortcut_resolver.h"

#include "core/program_texts.h"

Text ResolveShortcutTarget(Platform& platform, const Text& shortcutPath) {
    // Explorer shows "Photoshop.LNK" as a shortcut too, so the letter case does not matter.
    if (FindText(shortcutPath, kShortcutExtension, 1, true) == -1) return Text();
    return platform.ShortcutTarget(shortcutPath);
}
