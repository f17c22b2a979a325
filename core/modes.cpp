#include "core/modes.h"

void ShowSetUpMode(Controls& controls) {
    controls.SetVisible(Control::DropGroupBox, true);
    controls.SetVisible(Control::SwitchToChineseButton, false);
    controls.SetVisible(Control::SwitchToEnglishButton, false);
}

void ShowSwitchMode(Controls& controls) {
    controls.SetVisible(Control::DropGroupBox, false);
    controls.SetVisible(Control::SwitchToChineseButton, true);
    controls.SetVisible(Control::SwitchToEnglishButton, true);
}

void ShowLanguageFileState(Controls& controls, bool languageFilePresent) {
    controls.SetEnabled(Control::SwitchToChineseButton, !languageFilePresent);
    controls.SetEnabled(Control::SwitchToEnglishButton, languageFilePresent);
}
