#pragma once
// The open dialog's list of file types.

#include <vector>

#include "platform/FileDialogService.h"

// The media files the player opens (the extensions desktop/mime-types.txt lists), then all
// files, named by the interface language table.
std::vector<platform::FileFilter> OpenDialogFilters();
