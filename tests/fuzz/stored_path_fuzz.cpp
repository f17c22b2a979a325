// ReadStoredPath on any bytes a path file may hold: whatever is on disk, the stored path is the
// bytes up to the first 0x00 or 0x1A, and storing it again reads back the same.
#include "core/state_files.h"
#include "fuzz/fuzz_input.h"
#include "fakes/memory_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text bytes(reinterpret_cast<const char*>(data), size);
    const Text directory = "C:\\Tools\\switcher";
    MemoryPlatform platform;
    platform.AddFile(PathFileName(directory), bytes);

    const Text path = ReadStoredPath(platform, directory);

    FUZZ_CHECK(bytes.compare(0, path.size(), path) == 0);
    FUZZ_CHECK(path.find_first_of(Text("\0\x1A", 2)) == Text::npos);
    // It stops at the first end mark, not before.
    FUZZ_CHECK(path.size() == bytes.size() || bytes[path.size()] == '\0' || bytes[path.size()] == '\x1A');
    FUZZ_CHECK(platform.Content(PathFileName(directory)) == bytes);  // reading changes nothing

    FUZZ_CHECK(StorePath(platform, directory, path));
    FUZZ_CHECK(ReadStoredPath(platform, directory) == path);
    return 0;
}
