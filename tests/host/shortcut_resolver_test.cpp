#include "core/shortcut_resolver.h"

#include <gtest/gtest.h>

#include "fakes/memory_platform.h"

namespace {

TEST(ShortcutResolver, ResolvesShortcutsWhateverTheExtensionsCase) {
    MemoryPlatform platform;
    const struct {
        Text shortcut;
        Text target;
    } cases[] = {
        {"C:\\Users\\a\\Desktop\\Photoshop.lnk", "D:\\PS\\Photoshop.exe"},
        {"C:\\Users\\a\\Desktop\\Photoshop.LNK", "D:\\PS\\Photoshop.exe"},
        {"C:\\x.lnk\\y.lnk", "D:\\PS\\Photoshop.exe"},
        {"C:\\Users\\a\\Desktop\\PS.lnk", "D:\\PS"},
    };
    for (const auto& c : cases) platform.SetShortcut(c.shortcut, c.target);
    for (const auto& c : cases) EXPECT_EQ(ResolveShortcutTarget(platform, c.shortcut), c.target);

    platform.SetShortcut("C:\\not a shortcut.exe", "D:\\PS\\Photoshop.exe");
    EXPECT_EQ(ResolveShortcutTarget(platform, "C:\\not a shortcut.exe"), "");
    EXPECT_EQ(ResolveShortcutTarget(platform, "C:\\Users\\a\\Desktop\\unknown.lnk"), "");
}

}  // namespace
