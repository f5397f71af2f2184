#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "engine/EngineApi.h"

// One subtitle track of the current file.
struct TrackEntry {
    std::int64_t id = 0;  // the engine's track id, the value "sid" takes; not the list index
    QString lang;         // empty when the engine reports no language
    QString title;        // empty when the engine reports no title
};

// The current file's subtitle tracks in the engine's order, read afresh on every call.
// Empty with no file, no subtitle tracks or no engine.
std::vector<TrackEntry> ReadSubtitleTracks(const EngineApi& api, mpv_handle* handle);

// A track's menu text: the language, then " - " and the title when there is one. The
// separator stays in front of a title even without a language.
QString SubtitleItemText(const TrackEntry& track);

// Whether the current file shows a moving picture: a video track is selected and it is not a
// single image (the cover art of an audio file). False with no file or no engine.
bool PlaysMovingVideo(const EngineApi& api, mpv_handle* handle);
