#include "core/switch_commands.h"

#include "core/modes.h"
#include "core/state_files.h"
#include "core/texts.h"

namespace {

// After a failed switch the buttons offer what makes sense for the file as it really is.
void ReportFailure(Switcher& app, const char* message) {
    app.platform.ShowErrorBox(message);
    ShowLanguageFileState(app.controls, LanguageFilePresent(app));
}

// The backup is the only other copy of the language file, so deleting is allowed only while
// the backup holds exactly the same bytes. A missing or outdated backup (Photoshop may have
// updated its file since set-up) is written anew and read back first.
enum class BackupCheck { Ready, LanguageFileUnreadable, BackupNotWritten };

BackupCheck MakeBackupMatch(Switcher& app) {
    Platform& platform = app.platform;
    const Text backupFile = BackupFileName(app.programDirectory);
    Text language;
    if (!platform.ReadWholeFile(app.state.languageFilePath, language))
        return BackupCheck::LanguageFileUnreadable;
    Text backup;
    if (platform.ReadWholeFile(backupFile, backup) && backup == language) return BackupCheck::Ready;
    if (platform.CopyFileOver(app.state.languageFilePath, backupFile) &&
        platform.ReadWholeFile(backupFile, backup) && backup == language)
        return BackupCheck::Ready;
    return BackupCheck::BackupNotWritten;
}

}  // namespace

void OnSwitchToChinese(Switcher& app) {
    const Text backupFile = BackupFileName(app.programDirectory);
    if (!app.platform.FileExists(backupFile)) return ReportFailure(app, kBackupMissingMessage);
    if (!app.platform.CopyFileOver(backupFile, app.state.languageFilePath))
        return ReportFailure(app, kCannotRestoreMessage);
    ShowLanguageFileState(app.controls, true);
}

void OnSwitchToEnglish(Switcher& app) {
    if (LanguageFilePresent(app)) {
        switch (MakeBackupMatch(app)) {
            case BackupCheck::Ready: break;
            case BackupCheck::LanguageFileUnreadable:
                return ReportFailure(app, kCannotDeleteMessage);
            case BackupCheck::BackupNotWritten:
                return ReportFailure(app, kCannotRefreshBackupMessage);
        }
        if (!app.platform.RemoveFile(app.state.languageFilePath))
            return ReportFailure(app, kCannotDeleteMessage);
    }
    ShowLanguageFileState(app.controls, false);
}
