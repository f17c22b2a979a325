#include "core/elevated_switch.h"

#include "core/language_file.h"
#include "core/state_files.h"

namespace {

// Exit codes this program's elevated run gives; anything else is not ours to interpret.
bool IsKnownOutcome(unsigned long code) {
    return code == 0 || (code >= static_cast<unsigned long>(SwitchOutcome::InvalidSettings) &&
                         code < static_cast<unsigned long>(SwitchOutcome::Cancelled));
}

}  // namespace

int RunElevatedSwitch(Platform& platform, const Text& programDirectory, Direction direction) {
    if (!IsSetUp(platform, programDirectory)) return static_cast<int>(SwitchOutcome::NotSetUp);
    const Text languageFile = ReadStoredPath(platform, programDirectory);
    if (!IsUsableLanguageFilePath(platform, languageFile)) {
        return static_cast<int>(SwitchOutcome::InvalidSettings);
    }
    if (!platform.IsFile(PhotoshopExeOf(languageFile))) {
        return static_cast<int>(SwitchOutcome::PhotoshopMissing);
    }
    return static_cast<int>(
        SwitchLanguage(platform, programDirectory, languageFile, direction).outcome);
}

SwitchResult SwitchElevated(Platform& platform, Direction direction, const SwitchResult& failed) {
    const ElevatedRun run = platform.RunElevated(
        direction == Direction::ToEnglish ? kSwitchToEnglishArgument : kSwitchToChineseArgument);
    switch (run.status) {
        case ElevatedRun::Status::Cancelled: return SwitchResult{SwitchOutcome::Cancelled};
        case ElevatedRun::Status::NotStarted: return SwitchResult{failed.outcome};
        case ElevatedRun::Status::Exited: break;
    }
    if (!IsKnownOutcome(run.exitCode)) return SwitchResult{failed.outcome};
    return SwitchResult{static_cast<SwitchOutcome>(run.exitCode)};
}

bool SwitchNeedsElevation(Platform& platform, const Text& languageFilePath) {
    if (platform.IsElevated() || !IsUsableLanguageFilePath(platform, languageFilePath)) return false;
    Text folder = languageFilePath.substr(0, platform.FileNameOffset(languageFilePath));
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return !platform.CanWriteFolder(folder);
}
