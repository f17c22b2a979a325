#pragma once
#include "core/switcher.h"

// "切换到中文版": puts the backup of the language file back in place.
void OnSwitchToChinese(Switcher& app);

// "切换到英文版": deletes the language file, once its backup is known to be good.
void OnSwitchToEnglish(Switcher& app);
