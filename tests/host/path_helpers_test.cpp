#include "core/path_helpers.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "fakes/memory_platform.h"

// The shared table of path rules (tests/shared/path_rule_cases.h) goes through these helpers on
// each platform: MemoryPlatformPaths and Win32PlatformTest run it.

// The helpers take every position from the platform, so a platform with different rules must
// change the results: a helper that parsed the path on its own would pass the table but not this.
TEST(PathHelpers, TakePositionsFromThePlatform) {
    struct SlashOnlyPlatform : MemoryPlatform {
        std::size_t ExtensionOffset(const std::string& path) override {
            const std::size_t comma = path.rfind(',');
            return comma == std::string::npos ? path.size() : comma;
        }
        std::size_t FileNameOffset(const std::string& path) override {
            const std::size_t slash = path.rfind('/');
            return slash == std::string::npos ? 0 : slash + 1;
        }
    } platform;

    EXPECT_EQ(FileExtension(platform, "C:\\a\\b/name,ext.exe"), ",ext.exe");
    EXPECT_EQ(FileTitle(platform, "C:\\a\\b/name,ext.exe", true), "name,ext.exe");
    EXPECT_EQ(FileTitle(platform, "C:\\a\\b/name,ext.exe", false), "name");
}
