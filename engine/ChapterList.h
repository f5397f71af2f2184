#pragma once

#include <QString>
#include <vector>

#include "engine/EngineApi.h"

// One chapter of the current file.
struct ChapterEntry {
    double start = 0.0;  // seconds from the start of the file
    QString title;       // empty when the engine reports no title
};

// The current file's chapters in the engine's order (by start), read afresh on every call.
// Empty with no file, no chapters or no engine.
std::vector<ChapterEntry> ReadChapters(const EngineApi& api, mpv_handle* handle);

// The index of the chapter `seconds` lies in: the last one starting at or before it; -1
// before the first one or without chapters.
int ChapterAt(const std::vector<ChapterEntry>& chapters, double seconds);
