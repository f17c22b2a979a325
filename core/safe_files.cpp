#include "core/safe_files.h"

#include "core/program_texts.h"

namespace {

Replacement Failed(Replacement::Failure failure, FileError error) {
    return Replacement{failure, error};
}

}  // namespace

Text TemporaryFileFor(Platform& platform, const Text& target) {
    return ConcatText({target.substr(0, platform.FileNameOffset(target)), kTemporaryFileName});
}

void RemoveLeftoverTemporaryFile(Platform& platform, const Text& fileInFolder) {
    // Usually there is none; a missing file is no failure here.
    platform.RemoveFile(TemporaryFileFor(platform, fileInFolder));
}

Replacement ReplaceWithCopy(Platform& platform, const Text& source, const Text& target) {
    using Failure = Replacement::Failure;
    const Text temporary = TemporaryFileFor(platform, target);
    const CopyResult copy = platform.CopyFileBytes(source, temporary);
    if (!copy.Ok()) {
        platform.RemoveFile(temporary);
        return copy.source != FileError::None ? Failed(Failure::SourceUnreadable, copy.source)
                                              : Failed(Failure::TargetNotWritten, copy.target);
    }
    // The copy reported success; only the bytes themselves prove it.
    switch (platform.CompareFiles(source, temporary)) {
        case Comparison::Same: break;
        case Comparison::FirstUnreadable:
            platform.RemoveFile(temporary);
            return Failed(Failure::SourceUnreadable, FileError::Other);
        case Comparison::Different:
        case Comparison::SecondUnreadable:
            platform.RemoveFile(temporary);
            return Failed(Failure::TargetNotWritten, FileError::Other);
    }
    const FileError placed = platform.MoveOver(temporary, target);
    if (placed != FileError::None) {
        platform.RemoveFile(temporary);
        return Failed(Failure::TargetNotWritten, placed);
    }
    return Replacement{};
}

bool ReplaceWithBytes(Platform& platform, const Text& target, const Text& bytes) {
    if (target.empty()) return false;
    const Text temporary = TemporaryFileFor(platform, target);
    Text written;
    if (!platform.WriteWholeFile(temporary, bytes) ||
        !platform.ReadWholeFile(temporary, written) || written != bytes ||
        platform.MoveOver(temporary, target) != FileError::None) {
        platform.RemoveFile(temporary);
        return false;
    }
    return true;
}
