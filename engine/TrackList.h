#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "engine/EngineApi.h"

// One audio or subtitle track of the current file.
struct TrackEntry {
    std::int64_t id = 0;  // the engine's track id, the value "sid" takes; not the list index
    QString lang;         // empty when the engine reports no language
    QString title;        // empty when the engine reports no title
    // Audio tracks only: the codec's short name ("aac") and the channel count, 0 unknown.
    QString codec;
    std::int64_t channels = 0;
};

// The current file's subtitle tracks in the engine's order, read afresh on every call.
// Empty with no file, no subtitle tracks or no engine.
std::vector<TrackEntry> ReadSubtitleTracks(const EngineApi& api, mpv_handle* handle);

// The current file's audio tracks, with their codec and channel count; as above.
std::vector<TrackEntry> ReadAudioTracks(const EngineApi& api, mpv_handle* handle);

// An audio track's menu text: its title, else its language's name, else `numbered` with
// %1 the track's `number` ("Track 2"); then the codec and channels: "English (AAC 5.1)".
QString AudioItemText(const TrackEntry& track, int number, const QString& numbered);

// A subtitle track's menu text: the language, then " - " and the title when there is one. The
// separator stays in front of a title even without a language.
QString SubtitleItemText(const TrackEntry& track);

// Whether the current file shows a moving picture: a video track is selected and it is not a
// single image (the cover art of an audio file). False with no file or no engine.
bool PlaysMovingVideo(const EngineApi& api, mpv_handle* handle);
