#include "core/switch_commands.h"

#include "core/backup.h"
#include "core/elevated_switch.h"
#include "core/language_file.h"
#include "core/modes.h"
#include "core/safe_files.h"
#include "core/state_files.h"
#include "core/program_texts.h"

namespace {

SwitchResult Outcome(SwitchOutcome outcome, FileError error = FileError::None) {
    return SwitchResult{outcome, error == FileError::AccessDenied};
}

SwitchOutcome FromBackupStatus(BackupStatus status) {
    switch (status) {
        case BackupStatus::Ready: return SwitchOutcome::Done;
        case BackupStatus::LanguageFileUnreadable: return SwitchOutcome::LanguageFileUnreadable;
        case BackupStatus::BackupUnreadable: return SwitchOutcome::BackupUnreadable;
        case BackupStatus::NotWritten: return SwitchOutcome::BackupNotWritten;
    }
    return SwitchOutcome::BackupNotWritten;
}

SwitchResult ToEnglish(Platform& platform, const Text& programDirectory, const Text& language) {
    if (!LanguageFilePresent(platform, language)) return Outcome(SwitchOutcome::Done);
    // The backup is the only other copy of the language file: deleting is allowed only while
    // it holds exactly the same bytes.
    const BackupStatus backup = MakeBackupMatch(platform, programDirectory, language);
    if (backup != BackupStatus::Ready) return Outcome(FromBackupStatus(backup));

    const FileError removed = platform.RemoveFile(language);
    if (removed != FileError::None) return Outcome(SwitchOutcome::DeleteFailed, removed);
    if (platform.FileExists(language)) return Outcome(SwitchOutcome::DeletePending);
    return Outcome(SwitchOutcome::Done);
}

SwitchResult ToChinese(Platform& platform, const Text& programDirectory, const Text& language) {
    const Text backup = BackupFileName(programDirectory);
    if (!platform.IsFile(backup)) {
        // With the language file in place there is nothing to restore.
        return Outcome(platform.IsFile(language) ? SwitchOutcome::Done : SwitchOutcome::NoBackup);
    }
    const Replacement restored = ReplaceWithCopy(platform, backup, language);
    switch (restored.failure) {
        case Replacement::Failure::None: return Outcome(SwitchOutcome::Done);
        case Replacement::Failure::SourceUnreadable:
            return Outcome(SwitchOutcome::BackupUnreadable);
        case Replacement::Failure::TargetNotWritten:
            return Outcome(SwitchOutcome::RestoreFailed, restored.error);
    }
    return Outcome(SwitchOutcome::RestoreFailed);
}

const char* MessageFor(SwitchOutcome outcome, Direction direction) {
    switch (outcome) {
        case SwitchOutcome::Done:
        case SwitchOutcome::Cancelled: return nullptr;
        case SwitchOutcome::InvalidSettings:
        case SwitchOutcome::NotSetUp:
        case SwitchOutcome::PhotoshopMissing: return kInvalidSettingsMessage;
        case SwitchOutcome::PhotoshopRunning: return kPhotoshopRunningMessage;
        case SwitchOutcome::NoBackup: return kNoBackupMessage;
        case SwitchOutcome::BackupUnreadable: return kBackupUnreadableMessage;
        case SwitchOutcome::BackupNotWritten: return kCannotRefreshBackupMessage;
        case SwitchOutcome::DeletePending: return kDeletePendingMessage;
        case SwitchOutcome::LanguageFileUnreadable:
        case SwitchOutcome::DeleteFailed:
        case SwitchOutcome::RestoreFailed: break;
    }
    return direction == Direction::ToEnglish ? kCannotDeleteMessage : kCannotRestoreMessage;
}

// After every switch the buttons offer what makes sense for the file as it really is; settings
// that can't be used bring the drop area back for a new set-up.
void Report(Switcher& app, const SwitchResult& result, Direction direction) {
    if (const char* message = MessageFor(result.outcome, direction)) {
        app.platform.ShowErrorBox(message);
    }
    switch (result.outcome) {
        case SwitchOutcome::InvalidSettings:
        case SwitchOutcome::NotSetUp:
        case SwitchOutcome::PhotoshopMissing:
            // Enabled as a fresh window has them, for when the new set-up shows them again.
            app.controls.SetEnabled(Control::SwitchToChineseButton, true);
            app.controls.SetEnabled(Control::SwitchToEnglishButton, true);
            ShowSetUpMode(app.controls);
            return;
        default: ShowLanguageFileState(app.controls,
                                       LanguageFilePresent(app.platform, app.state.languageFilePath));
    }
}

void OnSwitch(Switcher& app, Direction direction) {
    SwitchResult result = SwitchLanguage(app.platform, app.programDirectory,
                                         app.state.languageFilePath, direction);
    // Photoshop under Program Files: only the switch itself asks for administrator rights.
    if (result.accessDenied && !app.platform.IsElevated()) {
        result = SwitchElevated(app.platform, direction, result);
    }
    Report(app, result, direction);
}

}  // namespace

SwitchResult SwitchLanguage(Platform& platform, const Text& programDirectory,
                            const Text& languageFilePath, Direction direction) {
    if (!IsUsableLanguageFilePath(platform, languageFilePath)) {
        return Outcome(SwitchOutcome::InvalidSettings);
    }
    // Photoshop reads the file at start-up and may hold it open: never switch under it.
    if (platform.IsProcessRunning(PhotoshopExeOf(languageFilePath))) {
        return Outcome(SwitchOutcome::PhotoshopRunning);
    }
    RemoveLeftoverTemporaryFile(platform, languageFilePath);
    RemoveLeftoverTemporaryFile(platform, BackupFileName(programDirectory));
    return direction == Direction::ToEnglish
               ? ToEnglish(platform, programDirectory, languageFilePath)
               : ToChinese(platform, programDirectory, languageFilePath);
}

void OnSwitchToChinese(Switcher& app) { OnSwitch(app, Direction::ToChinese); }

void OnSwitchToEnglish(Switcher& app) { OnSwitch(app, Direction::ToEnglish); }
