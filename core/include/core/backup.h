#pragma once
// The backup of the language file beside the program, and the one before it. A refresh never
// throws a backup away: the earlier one stays under its own name until the next refresh.
#include "core/text_helpers.h"
#include "platform/platform.h"

Text PreviousBackupFileName(const Text& programDirectory);

enum class BackupStatus { Ready, LanguageFileUnreadable, BackupUnreadable, NotWritten };

// For a new set-up: a backup of other bytes than the language file's becomes the previous
// backup and leaves its place, so that a run cut short before the new backup is written finds
// no backup and so no set-up, rather than a new path beside an old backup. Nothing happens
// when there is no backup or it already holds the language file.
BackupStatus SetBackupAside(Platform& platform, const Text& programDirectory,
                            const Text& languageFilePath);

// The backup becomes a copy of the language file, read back before it counts.
BackupStatus WriteBackup(Platform& platform, const Text& programDirectory,
                         const Text& languageFilePath);

// Ready when the backup holds exactly the language file's bytes, refreshing it if need be.
BackupStatus MakeBackupMatch(Platform& platform, const Text& programDirectory,
                             const Text& languageFilePath);
