#include "core/startup.h"

#include "core/language_file.h"
#include "core/modes.h"
#include "core/state_files.h"
#include "core/program_texts.h"

void OnWindowCreated(Switcher& app) {
    app.controls.RegisterDropArea();
    app.state.languageFolder = kLanguageFolder;

    if (!IsSetUp(app.platform, app.programDirectory)) {
        ShowSetUpMode(app.controls);
        return;
    }
    ShowSwitchMode(app.controls);
    app.state.languageFilePath = ReadStoredPath(app.platform, app.programDirectory);
    ShowLanguageFileState(app.controls,
                          LanguageFilePresent(app.platform, app.state.languageFilePath));
}
