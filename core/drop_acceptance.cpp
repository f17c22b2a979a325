#include "core/drop_acceptance.h"

#include "core/modes.h"
#include "core/path_helpers.h"
#include "core/shortcut_resolver.h"
#include "core/state_files.h"
#include "core/texts.h"

namespace {

bool IsPhotoshopExe(Platform& platform, const Text& path) {
    return TextEquals(ToLowerText(FileTitle(platform, path, true)), kPhotoshopExeName);
}

// The language file lies in Photoshop's own folder: only the executable's file name is replaced,
// so a folder that happens to be called "photoshop.exe.d" stays what it is.
Text DeriveLanguageFilePath(Platform& platform, const Text& exePath, const Text& languageFolder) {
    const std::size_t nameStart = platform.FileNameOffset(exePath);
    const Text replacement = ConcatText({languageFolder, kLanguageFileName});
    return ConcatText({exePath.substr(0, nameStart),
                       BatchReplace(exePath.substr(nameStart), {{kPhotoshopExeName, replacement}})});
}

// Path file first, then the backup. A failure undoes the path file, so that a new path can
// never pair up with a backup of some other language file.
bool SaveSettings(Switcher& app, const Text& languageFilePath) {
    Platform& platform = app.platform;
    if (StorePath(platform, app.programDirectory, languageFilePath) &&
        platform.CopyFileOver(languageFilePath, BackupFileName(app.programDirectory)))
        return true;
    platform.RemoveFile(PathFileName(app.programDirectory));
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

    state.derivedLanguageFilePath =
        DeriveLanguageFilePath(platform, state.photoshopExePath, state.languageFolder);
    if (!platform.FileExists(state.derivedLanguageFilePath))
        return platform.ShowErrorBox(kNoLanguageFileMessage);

    if (!SaveSettings(app, state.derivedLanguageFilePath))
        return platform.ShowErrorBox(kCannotSaveSettingsMessage);

    state.languageFilePath = state.derivedLanguageFilePath;
    ShowSwitchMode(app.controls);
}
