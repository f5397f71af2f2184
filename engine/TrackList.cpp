#include "engine/TrackList.h"

#include <string>
#include <string_view>

namespace {

std::string TrackProperty(std::int64_t index, const char* field) {
    return "track-list/" + std::to_string(index) + "/" + field;
}

// Strings from the engine are its own allocations and go back to it with mpv_free.
// A missing string leaves out as it is.
void ReadString(const EngineApi& api, mpv_handle* handle, const std::string& name, QString& out) {
    char* text = nullptr;
    api.mpv_get_property(handle, name.c_str(), MPV_FORMAT_STRING, &text);
    if (text != nullptr) {
        out = QString::fromUtf8(text);
        api.mpv_free(text);
    }
}

bool IsSubtitleTrack(const EngineApi& api, mpv_handle* handle, std::int64_t index) {
    char* type = nullptr;
    api.mpv_get_property(handle, TrackProperty(index, "type").c_str(), MPV_FORMAT_STRING, &type);
    if (type == nullptr) {
        return false;
    }
    // Exact and case-sensitive: the engine's type names are fixed lower-case words.
    const bool isSub = std::string_view(type) == "sub";
    api.mpv_free(type);
    return isSub;
}

}  // namespace

std::vector<TrackEntry> ReadSubtitleTracks(const EngineApi& api, mpv_handle* handle) {
    std::vector<TrackEntry> tracks;
    if (handle == nullptr) {
        return tracks;
    }
    std::int64_t count = 0;
    api.mpv_get_property(handle, "track-list/count", MPV_FORMAT_INT64, &count);
    for (std::int64_t index = 0; index < count; ++index) {
        if (!IsSubtitleTrack(api, handle, index)) {
            continue;
        }
        TrackEntry entry;
        // The engine always reports an id for a listed track; 0 stays if it ever does not.
        api.mpv_get_property(handle, TrackProperty(index, "id").c_str(), MPV_FORMAT_INT64,
                             &entry.id);
        ReadString(api, handle, TrackProperty(index, "lang"), entry.lang);
        ReadString(api, handle, TrackProperty(index, "title"), entry.title);
        tracks.push_back(std::move(entry));
    }
    return tracks;
}

QString SubtitleItemText(const TrackEntry& track) {
    if (track.title.isEmpty()) {
        return track.lang;
    }
    return track.lang + QStringLiteral(" - ") + track.title;
}

bool PlaysMovingVideo(const EngineApi& api, mpv_handle* handle) {
    if (handle == nullptr) {
        return false;
    }
    // The read fails when no video track is selected.
    int image = 0;
    if (api.mpv_get_property(handle, "current-tracks/video/image", MPV_FORMAT_FLAG, &image) < 0) {
        return false;
    }
    return image == 0;
}
