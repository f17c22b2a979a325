#pragma once
#include "core/text_helpers.h"
#include "platform/platform.h"

// From the final component's last dot to the end, dot included; empty when there is none.
Text FileExtension(Platform& platform, const Text& path);

// The final component as written in the path, with or without its extension. Empty when it
// is longer than 255 bytes. Independent of any shell setting that hides extensions.
Text FileTitle(Platform& platform, const Text& path, bool keepExtension = false);
