#include "core/drop_acceptance.h"

#include "core/backup.h"
#include "core/language_file.h"
#include "core/modes.h"
#include "core/path_helpers.h"
#include "core/safe_files.h"
#include "core/shortcut_resolver.h"
#include "core/state_files.h"
#include "core/program_texts.h"

namespace {

bool IsPhotoshopExe(Platform& platform, const Text& path) {
    return TextEquals(ToLowerText(FileTitle(platform, path, true)), kPhotoshopExeName);
}

// The drop target hands over paths converted without look-alikes, so a '?' stands for a
// character the ANSI code page cannot hold ('?' is never part of a real file name).
bool HasUnrepresentableCharacter(const Text& path) { return path.find('?') != Text::npos; }

// An earlier backup is set aside first, then the path file, then the backup.
bool SaveSettings(Switcher& app, const Text& languageFilePath) {
    Platform& platform = app.platform;
    const Text& directory = app.programDirectory;
    if (SetBackupAside(platform, directory, languageFilePath) != BackupStatus::Ready) return false;
    if (StorePath(platform, directory, languageFilePath) &&
        WriteBackup(platform, directory, languageFilePath) == BackupStatus::Ready) {
        return true;
    }
    // A new path must never pair up with a backup of some other language file.
    platform.RemoveFile(PathFileName(directory));
    return false;
}

}  // namespace

void OnFileDropped(Switcher& app, const Text& droppedPath) {
    Platform& platform = app.platform;
    RunState& state = app.state;

    if (TextEquals(ToLowerText(FileExtension(platform, droppedPath)), kShortcutExtension)) {
        state.photoshopExePath = ResolveShortcutTarget(platform, droppedPath);
    } else if (IsPhotoshopExe(platform, droppedPath)) {
        state.photoshopExePath = droppedPath;
    } else {
        return platform.ShowErrorBox(kNotPhotoshopMessage);
    }
    // A shortcut's target may be anything: a folder, a document, or nothing at all.
    if (!IsPhotoshopExe(platform, state.photoshopExePath))
        return platform.ShowErrorBox(kNotPhotoshopMessage);
    if (HasUnrepresentableCharacter(state.photoshopExePath))
        return platform.ShowErrorBox(kUnrepresentablePathMessage);
    if (CharacterCount(state.photoshopExePath) > kLongestAnsiPath)
        return platform.ShowErrorBox(kPathTooLongMessage);

    const LanguageFileSearch found = FindLanguageFile(platform, state.photoshopExePath);
    if (found.path.empty()) {
        state.derivedLanguageFilePath =
            BesideExecutable(platform, state.photoshopExePath, kLanguageFileLocations[0]);
        return platform.ShowErrorBox(found.tooLong ? kPathTooLongMessage : kNoLanguageFileMessage);
    }
    state.derivedLanguageFilePath = found.path;

    RemoveLeftoverTemporaryFile(platform, PathFileName(app.programDirectory));
    if (!SaveSettings(app, state.derivedLanguageFilePath))
        return platform.ShowErrorBox(kCannotSaveSettingsMessage);

    state.languageFilePath = state.derivedLanguageFilePath;
    ShowSwitchMode(app.controls);
}
