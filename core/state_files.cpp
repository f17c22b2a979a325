#include "core/state_files.h"

#include "core/safe_files.h"
#include "core/program_texts.h"

Text PathFileName(const Text& programDirectory) {
    return ConcatText({programDirectory, kPathFileSuffix});
}

Text BackupFileName(const Text& programDirectory) {
    return ConcatText({programDirectory, kBackupFileSuffix});
}

bool IsSetUp(Platform& platform, const Text& programDirectory) {
    return platform.FileExists(PathFileName(programDirectory)) &&
           platform.FileExists(BackupFileName(programDirectory));
}

Text ReadStoredPath(Platform& platform, const Text& programDirectory) {
    Text bytes;
    // A path file far larger than any path is junk; it reads as no path at all.
    if (!platform.ReadWholeFile(PathFileName(programDirectory), bytes)) return Text();
    // The path is a zero-terminated text; 0x1A (Ctrl+Z) ends it too, as in old text files.
    return bytes.substr(0, bytes.find_first_of(Text("\0\x1A", 2)));
}

bool StorePath(Platform& platform, const Text& programDirectory, const Text& path) {
    return ReplaceWithBytes(platform, PathFileName(programDirectory), path);
}
