#pragma once
// The boxes shown when the player cannot start, worded by the interface language table that
// start-up loads before anything can fail. A text the table lacks (a skin package that cannot
// be read) is the built-in English one, as lan_en.xml words it.

#include "platform/MessageBoxService.h"

// The box listing the loader's error for every library name tried: %1 in its text.
platform::MessageBoxTexts EngineFailedBox();

// The box that ends start-up without a playback library; it names the first library tried.
platform::MessageBoxTexts EngineMissingBox();
