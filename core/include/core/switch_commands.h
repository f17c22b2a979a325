#pragma once
// The two switches: to English deletes the language file once its backup is known to be good,
// to Chinese puts the backup back. Every outcome but success is reported with a message.
#include "core/switcher.h"

enum class Direction { ToEnglish, ToChinese };

// Every way a switch can end. The values are also the exit codes of the elevated run, which
// reports its outcome to the window that started it; keep them stable.
enum class SwitchOutcome : int {
    Done = 0,
    // 1 is left to a run that ended on an unexpected error.
    InvalidSettings = 2,     // the stored path may not be acted on
    NotSetUp = 3,            // (elevated run) the state files are gone
    PhotoshopMissing = 4,    // (elevated run) no Photoshop.exe above the language file
    PhotoshopRunning = 5,
    NoBackup = 6,            // nothing to restore from
    BackupUnreadable = 7,    // held open by another program
    LanguageFileUnreadable = 8,
    BackupNotWritten = 9,
    DeleteFailed = 10,
    DeletePending = 11,      // deleted, but gone only when the program holding it closes
    RestoreFailed = 12,
    Cancelled = 13,          // the user said no to the administrator prompt
};

struct SwitchResult {
    SwitchOutcome outcome = SwitchOutcome::Done;
    bool accessDenied = false;  // the step that failed lacked rights an administrator has
};

// One switch on the files, with no window involved: the window and the elevated run share it.
SwitchResult SwitchLanguage(Platform& platform, const Text& programDirectory,
                            const Text& languageFilePath, Direction direction);

// "切换到中文版".
void OnSwitchToChinese(Switcher& app);

// "切换到英文版".
void OnSwitchToEnglish(Switcher& app);
