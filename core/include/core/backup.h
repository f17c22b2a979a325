#pragma once
// The backup of the language file beside the program, and the one before it. A refresh never
// throws a backup away: the earlier one stays under its own name until the next refresh.
#include "core/text_helpers.h"
#include "platform/platform.h"

Text PreviousBackupFileName(const Text& programDirectory);

enum class BackupStatus { Ready, LanguageFileUnreadable, BackupUnreadable, NotWritten };

// Before the backup is replaced by something else, its bytes go to the previous backup.
// Nothing happens when there is no backup or it already holds the language file.
BackupStatus KeepPreviousBackup(Platform& platform, const Text& programDirectory,
                                const Text& languageFilePath);

// The backup becomes a copy of the language file, read back before it counts.
BackupStatus WriteBackup(Platform& platform, const Text& programDirectory,
                         const Text& languageFilePath);

// Ready when the backup holds exactly the language file's bytes, refreshing it if need be.
BackupStatus MakeBackupMatch(Platform& platform, const Text& programDirectory,
                             const Text& languageFilePath);
