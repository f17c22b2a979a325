#pragma once
// The two files beside the executable that remember a set-up between runs.
#include "core/text_helpers.h"
#include "platform/platform.h"

Text PathFileName(const Text& programDirectory);
Text BackupFileName(const Text& programDirectory);

// Both state files exist (the backup is looked for only when the path file exists).
bool IsSetUp(Platform& platform, const Text& programDirectory);

// Content of the path file up to the first 0x00 or 0x1A byte; empty when unreadable.
Text ReadStoredPath(Platform& platform, const Text& programDirectory);

// Replaces the whole path file by the bytes of `path`.
bool StorePath(Platform& platform, const Text& programDirectory, const Text& path);
