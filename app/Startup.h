#pragma once
// The process from start-up (the language table, then the engine library) to shutdown, run
// inside the Qt application.

#include <QStringList>

// Plays `files` (see CommandLineRequest::files), or nothing when it is empty. Returns the
// process exit code: -1 when the engine library cannot be loaded, else 0.
int RunPlayer(const QStringList& files);
