#include "engine/TrackList.h"

#include <QLocale>
#include <QStringList>
#include <string>
#include <string_view>

#include "engine/StringProperty.h"

namespace {

std::string TrackProperty(std::int64_t index, const char* field) {
    return "track-list/" + std::to_string(index) + "/" + field;
}

bool IsTrackOfType(const EngineApi& api, mpv_handle* handle, std::int64_t index,
                   std::string_view wanted) {
    char* type = nullptr;
    api.mpv_get_property(handle, TrackProperty(index, "type").c_str(), MPV_FORMAT_STRING, &type);
    if (type == nullptr) {
        return false;
    }
    // Exact and case-sensitive: the engine's type names are fixed lower-case words.
    const bool matches = std::string_view(type) == wanted;
    api.mpv_free(type);
    return matches;
}

// The tracks of one type; with `details`, their codec and channel count too.
std::vector<TrackEntry> ReadTracks(const EngineApi& api, mpv_handle* handle, std::string_view type,
                                   bool details) {
    std::vector<TrackEntry> tracks;
    if (handle == nullptr) {
        return tracks;
    }
    std::int64_t count = 0;
    api.mpv_get_property(handle, "track-list/count", MPV_FORMAT_INT64, &count);
    for (std::int64_t index = 0; index < count; ++index) {
        if (!IsTrackOfType(api, handle, index, type)) {
            continue;
        }
        TrackEntry entry;
        // The engine always reports an id for a listed track; 0 stays if it ever does not.
        api.mpv_get_property(handle, TrackProperty(index, "id").c_str(), MPV_FORMAT_INT64,
                             &entry.id);
        ReadStringProperty(api, handle, TrackProperty(index, "lang").c_str(), entry.lang);
        ReadStringProperty(api, handle, TrackProperty(index, "title").c_str(), entry.title);
        if (details) {
            ReadStringProperty(api, handle, TrackProperty(index, "codec").c_str(), entry.codec);
            api.mpv_get_property(handle, TrackProperty(index, "demux-channel-count").c_str(),
                                 MPV_FORMAT_INT64, &entry.channels);
        }
        tracks.push_back(std::move(entry));
    }
    return tracks;
}

}  // namespace

std::vector<TrackEntry> ReadSubtitleTracks(const EngineApi& api, mpv_handle* handle) {
    return ReadTracks(api, handle, "sub", false);
}

std::vector<TrackEntry> ReadAudioTracks(const EngineApi& api, mpv_handle* handle) {
    return ReadTracks(api, handle, "audio", true);
}

namespace {

// The usual names of channel layouts; other counts are said as a number.
QString ChannelsText(std::int64_t channels) {
    switch (channels) {
        case 1:
            return QStringLiteral("mono");
        case 2:
            return QStringLiteral("stereo");
        case 6:
            return QStringLiteral("5.1");
        case 8:
            return QStringLiteral("7.1");
        default:
            return channels > 0 ? QString::number(channels) + QStringLiteral(" ch") : QString();
    }
}

// A language code as the engine reports it ("eng", "fr", "chi") by its English name;
// the code itself when it names no known language.
QString LanguageName(const QString& code) {
    const QLocale::Language language = QLocale::codeToLanguage(code);
    if (language == QLocale::AnyLanguage || language == QLocale::C) return code;
    return QLocale::languageToString(language);
}

}  // namespace

QString AudioItemText(const TrackEntry& track, int number, const QString& numbered) {
    QString name = track.title;
    if (name.isEmpty() && !track.lang.isEmpty()) name = LanguageName(track.lang);
    if (name.isEmpty())
        name = QString(numbered).replace(QStringLiteral("%1"), QString::number(number));
    QStringList details;
    if (!track.codec.isEmpty()) details << track.codec.toUpper();
    if (const QString channels = ChannelsText(track.channels); !channels.isEmpty())
        details << channels;
    if (details.isEmpty()) return name;
    return name + QStringLiteral(" (") + details.join(u' ') + u')';
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
