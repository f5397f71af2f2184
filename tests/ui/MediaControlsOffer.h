#pragma once

#include <optional>

// Whether the desktop's media controls offer `call` (a property or method of theirs) to other
// programs; nothing where the build has no media controls to ask.
std::optional<bool> MediaControlsOffer(const char* call);
