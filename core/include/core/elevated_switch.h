#pragma once
// Photoshop under Program Files can only be changed with administrator rights. Rather than the
// whole program, one switch runs elevated: the program starts itself with an argument that
// names the operation only, and that run reads everything else from the state files beside it.
#include "core/switch_commands.h"

inline constexpr char kSwitchToEnglishArgument[] = "--switch-to-english";
inline constexpr char kSwitchToChineseArgument[] = "--switch-to-chinese";

// The run started with one of the arguments above: no window; the outcome is the exit code.
// It refuses, changing nothing, unless the stored path is a known language-file location with
// a Photoshop.exe above it: an elevated process must not touch whatever a path file names.
int RunElevatedSwitch(Platform& platform, const Text& programDirectory, Direction direction);

// Runs the switch elevated after `failed` lacked the rights, and tells how it ended. A refused
// prompt changes nothing; a run that could not start keeps the first failure.
SwitchResult SwitchElevated(Platform& platform, Direction direction, const SwitchResult& failed);

// Whether a switch would have to ask for administrator rights, so the buttons carry the
// shield: not elevated, and the language file's folder can't be written.
bool SwitchNeedsElevation(Platform& platform, const Text& languageFilePath);
