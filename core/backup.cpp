#include "core/backup.h"

#include "core/safe_files.h"
#include "core/state_files.h"
#include "core/program_texts.h"

namespace {

BackupStatus FromReplacement(const Replacement& replacement, BackupStatus sourceUnreadable) {
    switch (replacement.failure) {
        case Replacement::Failure::None: return BackupStatus::Ready;
        case Replacement::Failure::SourceUnreadable: return sourceUnreadable;
        case Replacement::Failure::TargetNotWritten: return BackupStatus::NotWritten;
    }
    return BackupStatus::NotWritten;
}

BackupStatus SavePrevious(Platform& platform, const Text& programDirectory) {
    return FromReplacement(ReplaceWithCopy(platform, BackupFileName(programDirectory),
                                           PreviousBackupFileName(programDirectory)),
                           BackupStatus::BackupUnreadable);
}

}  // namespace

Text PreviousBackupFileName(const Text& programDirectory) {
    return ConcatText({programDirectory, kPreviousBackupSuffix});
}

BackupStatus SetBackupAside(Platform& platform, const Text& programDirectory,
                            const Text& languageFilePath) {
    const Text backup = BackupFileName(programDirectory);
    if (!platform.IsFile(backup)) return BackupStatus::Ready;
    switch (platform.CompareFiles(languageFilePath, backup)) {
        case Comparison::Same: return BackupStatus::Ready;
        case Comparison::FirstUnreadable: return BackupStatus::LanguageFileUnreadable;
        case Comparison::SecondUnreadable: return BackupStatus::BackupUnreadable;
        case Comparison::Different: break;
    }
    const BackupStatus saved = SavePrevious(platform, programDirectory);
    if (saved != BackupStatus::Ready) return saved;
    return platform.RemoveFile(backup) == FileError::None ? BackupStatus::Ready
                                                          : BackupStatus::NotWritten;
}

BackupStatus WriteBackup(Platform& platform, const Text& programDirectory,
                         const Text& languageFilePath) {
    const Text backup = BackupFileName(programDirectory);
    const BackupStatus written =
        FromReplacement(ReplaceWithCopy(platform, languageFilePath, backup),
                        BackupStatus::LanguageFileUnreadable);
    if (written != BackupStatus::Ready) return written;
    // Read back in place: only bytes that really are the backup now make deleting safe.
    return platform.CompareFiles(languageFilePath, backup) == Comparison::Same
               ? BackupStatus::Ready
               : BackupStatus::NotWritten;
}

BackupStatus MakeBackupMatch(Platform& platform, const Text& programDirectory,
                             const Text& languageFilePath) {
    const Text backup = BackupFileName(programDirectory);
    switch (platform.CompareFiles(languageFilePath, backup)) {
        case Comparison::Same: return BackupStatus::Ready;
        case Comparison::FirstUnreadable: return BackupStatus::LanguageFileUnreadable;
        case Comparison::SecondUnreadable:
            // Missing is fine, it is simply written; present but unreadable is not.
            if (platform.FileExists(backup)) return BackupStatus::BackupUnreadable;
            break;
        case Comparison::Different: {
            const BackupStatus kept = SavePrevious(platform, programDirectory);
            if (kept != BackupStatus::Ready) return kept;
            break;
        }
    }
    return WriteBackup(platform, programDirectory, languageFilePath);
}
