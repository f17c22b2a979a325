#include "core/path_helpers.h"

#include <cstddef>

namespace {

// The old file-title call used a 256-byte buffer, terminator included.
constexpr std::size_t kLongestTitle = 255;

}  // namespace

Text FileExtension(Platform& platform, const Text& path) {
    const std::size_t dot = platform.ExtensionOffset(path);
    return dot < path.size() ? path.substr(dot) : Text();
}

// Taken from the path itself rather than from the shell, which would drop ".exe" whenever
// Explorer hides extensions and so reject the real photoshop.exe.
Text FileTitle(Platform& platform, const Text& path, bool keepExtension) {
    const std::size_t nameAt = platform.FileNameOffset(path);
    Text title = nameAt < path.size() ? path.substr(nameAt) : Text();
    if (title.size() > kLongestTitle) return Text();
    if (keepExtension) return title;
    title.resize(title.size() - FileExtension(platform, title).size());
    return title;
}
