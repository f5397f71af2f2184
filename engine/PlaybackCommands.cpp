#include "engine/PlaybackCommands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <vector>

#include "platform/FileName.h"

namespace {

void Command(const EngineApi& api, mpv_handle* handle, std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    argv.push_back(nullptr);
    api.mpv_command(handle, argv.data());
}

void SetDouble(const EngineApi& api, mpv_handle* handle, const char* name, double value) {
    api.mpv_set_property(handle, name, MPV_FORMAT_DOUBLE, &value);
}

bool ReadFlag(const EngineApi& api, mpv_handle* handle, const char* name) {
    int flag = 0;
    api.mpv_get_property(handle, name, MPV_FORMAT_FLAG, &flag);
    return flag != 0;
}

}  // namespace

void LoadFile(const EngineApi& api, mpv_handle* handle, const QString& path) {
    if (handle == nullptr) {
        return;
    }
    const QByteArray name = platform::EncodeFileName(path);
    Command(api, handle, {"loadfile", name.constData()});
}

PlayState GetPlayState(const EngineApi& api, mpv_handle* handle) {
    if (handle == nullptr) {
        return PlayState::Idle;
    }
    // All three are read, in this order, before deciding.
    const bool idle = ReadFlag(api, handle, "idle-active");
    const bool paused = ReadFlag(api, handle, "pause");
    const bool ended = ReadFlag(api, handle, "eof-reached");
    if (idle) {
        return PlayState::Idle;
    }
    if (ended) {
        return PlayState::Ended;
    }
    return paused ? PlayState::Paused : PlayState::Playing;
}

void TogglePause(const EngineApi& api, mpv_handle* handle) {
    if (handle == nullptr) {
        return;
    }
    if (GetPlayState(api, handle) == PlayState::Ended) {
        // Cycling pause on the last frame would only flicker; play the file again instead.
        Command(api, handle, {"seek", "0", "absolute"});
        api.mpv_set_property_string(handle, "pause", "no");
        return;
    }
    Command(api, handle, {"cycle", "pause"});
}

void SeekRelative(const EngineApi& api, mpv_handle* handle, double seconds) {
    if (handle == nullptr) {
        return;
    }
    const std::string text = FormatFixed(seconds, 1);
    Command(api, handle, {"seek", text.c_str(), "relative"});
}

void SeekAbsolute(const EngineApi& api, mpv_handle* handle, double seconds, int decimals) {
    if (handle == nullptr) {
        return;
    }
    const std::string text = FormatFixed(seconds, decimals);
    Command(api, handle, {"seek", text.c_str(), "absolute"});
}

void SetSpeed(const EngineApi& api, mpv_handle* handle, double speed) {
    if (handle != nullptr) {
        SetDouble(api, handle, "speed", speed);
    }
}

void SetMute(const EngineApi& api, mpv_handle* handle, bool mute) {
    if (handle != nullptr) {
        api.mpv_set_property_string(handle, "mute", mute ? "yes" : "no");
    }
}

void SetVolume(const EngineApi& api, mpv_handle* handle, double volume) {
    if (handle != nullptr) {
        SetDouble(api, handle, "volume", volume);
    }
}

void StopPlayback(const EngineApi& api, mpv_handle* handle) {
    if (handle != nullptr) {
        Command(api, handle, {"stop"});
    }
}

void SelectSubtitle(const EngineApi& api, mpv_handle* handle, std::int64_t id) {
    if (handle == nullptr) {
        return;
    }
    // The track first, so the subtitles that appear are already the chosen ones.
    api.mpv_set_property_string(handle, "sid", std::to_string(id).c_str());
    api.mpv_set_property_string(handle, "sub-visibility", "yes");
}

void HideSubtitles(const EngineApi& api, mpv_handle* handle) {
    if (handle != nullptr) {
        api.mpv_set_property_string(handle, "sub-visibility", "no");
    }
}

std::optional<double> GetDoubleProperty(const EngineApi& api, mpv_handle* handle,
                                        const char* name) {
    if (handle == nullptr) {
        return std::nullopt;
    }
    double value = 0.0;
    if (api.mpv_get_property(handle, name, MPV_FORMAT_DOUBLE, &value) < 0) {
        return std::nullopt;
    }
    return value;
}

std::int64_t GetInt64Property(const EngineApi& api, mpv_handle* handle, const char* name,
                              std::int64_t fallback) {
    if (handle == nullptr) {
        return fallback;
    }
    std::int64_t value = 0;
    if (api.mpv_get_property(handle, name, MPV_FORMAT_INT64, &value) < 0) {
        return fallback;
    }
    return value;
}

std::string FormatFixed(double v, int decimals) {
    // printf would follow LC_NUMERIC; to_chars never does. 350 holds every finite double
    // in fixed notation with the decimals allowed here.
    std::array<char, 350> buffer{};
    const int precision = std::clamp(decimals, 0, 17);
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                      std::chars_format::fixed, precision);
    return std::string(buffer.data(), result.ptr);
}
