#include "MediaControlsOffer.h"

// The Windows build has no media controls of its own yet.
std::optional<bool> MediaControlsOffer(const char*) { return std::nullopt; }
