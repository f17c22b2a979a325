#pragma once
// Replacing a user's file without ever leaving a cut one: the new bytes go into a temporary
// file in the same folder, are flushed and checked, and only then take the file's place in one
// step. A kill, a power cut or a full disk leaves the old file or the new one.
#include "core/text_helpers.h"
#include "platform/platform.h"

// The temporary file used for `target`: the program's one temporary name in target's folder.
Text TemporaryFileFor(Platform& platform, const Text& target);

// Removes what an interrupted run left in the folder of `fileInFolder`.
void RemoveLeftoverTemporaryFile(Platform& platform, const Text& fileInFolder);

struct Replacement {
    enum class Failure { None, SourceUnreadable, TargetNotWritten } failure = Failure::None;
    FileError error = FileError::None;  // of the step that failed
    bool Ok() const { return failure == Failure::None; }
};

// `target` becomes a byte-for-byte copy of `source`.
Replacement ReplaceWithCopy(Platform& platform, const Text& source, const Text& target);

// `target` becomes exactly `bytes`.
bool ReplaceWithBytes(Platform& platform, const Text& target, const Text& bytes);
