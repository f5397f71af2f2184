#include "engine/EngineInstance.h"

#include <string>

#include "engine/EngineEvents.h"
#include "engine/EngineOptions.h"
#include "engine/FormatFixed.h"
#include "platform/FileName.h"

bool EngineInstance::Create(std::int64_t wid, double dpiScale, void (*wakeup)(void*),
                            void* context) {
    // A table that failed to load has no functions to call.
    if (!m_api.loaded) return false;
    return CreateEngineInstance(m_api, m_handle, wid, dpiScale, wakeup, context);
}

void EngineInstance::Shutdown() { ShutdownEngineInstance(m_api, m_handle); }

void EngineInstance::LoadFile(const QString& path) const {
    if (m_handle == nullptr) {
        return;
    }
    const QByteArray name = platform::EncodeFileName(path);
    Command({"loadfile", name.constData()});
}

PlayState EngineInstance::GetPlayState() const {
    if (m_handle == nullptr) {
        return PlayState::Idle;
    }
    // All three are read, in this order, before deciding.
    const bool idle = ReadFlag("idle-active");
    const bool paused = ReadFlag("pause");
    const bool ended = ReadFlag("eof-reached");
    if (idle) {
        return PlayState::Idle;
    }
    if (ended) {
        return PlayState::Ended;
    }
    return paused ? PlayState::Paused : PlayState::Playing;
}

void EngineInstance::TogglePause() const {
    if (m_handle == nullptr) {
        return;
    }
    if (GetPlayState() == PlayState::Ended) {
        // Cycling pause on the last frame would only flicker; play the file again instead.
        Command({"seek", "0", "absolute"});
        m_api.mpv_set_property_string(m_handle, "pause", "no");
        return;
    }
    Command({"cycle", "pause"});
}

void EngineInstance::SeekRelative(double seconds) const {
    if (m_handle == nullptr) {
        return;
    }
    const std::string text = FormatFixed(seconds, 1);
    Command({"seek", text.c_str(), "relative"});
}

void EngineInstance::SeekAbsolute(double seconds, int decimals) const {
    if (m_handle == nullptr) {
        return;
    }
    const std::string text = FormatFixed(seconds, decimals);
    Command({"seek", text.c_str(), "absolute"});
}

void EngineInstance::SetSpeed(double speed) const {
    if (m_handle != nullptr) {
        SetDoubleProperty("speed", speed);
    }
}

void EngineInstance::SetMute(bool mute) const {
    if (m_handle != nullptr) {
        m_api.mpv_set_property_string(m_handle, "mute", mute ? "yes" : "no");
    }
}

void EngineInstance::SetVolume(double volume) const {
    if (m_handle != nullptr) {
        SetDoubleProperty("volume", volume);
    }
}

void EngineInstance::Stop() const {
    if (m_handle != nullptr) {
        Command({"stop"});
    }
}

void EngineInstance::SelectSubtitle(std::int64_t id) const {
    if (m_handle == nullptr) {
        return;
    }
    // The track first, so the subtitles that appear are already the chosen ones.
    m_api.mpv_set_property_string(m_handle, "sid", std::to_string(id).c_str());
    m_api.mpv_set_property_string(m_handle, "sub-visibility", "yes");
}

void EngineInstance::HideSubtitles() const {
    if (m_handle != nullptr) {
        m_api.mpv_set_property_string(m_handle, "sub-visibility", "no");
    }
}

bool EngineInstance::Screenshot(const QString& path) const {
    if (m_handle == nullptr) {
        return false;
    }
    const QByteArray name = platform::EncodeFileName(path);
    return Command({"screenshot-to-file", name.constData(), "subtitles"}) >= 0;
}

void EngineInstance::ShowText(const QString& text, int milliseconds) const {
    if (m_handle == nullptr) {
        return;
    }
    // The client API's commands expand no "${...}", so any text shows as it is.
    const QByteArray utf8 = text.toUtf8();
    const std::string duration = std::to_string(milliseconds);
    Command({"show-text", utf8.constData(), duration.c_str()});
}

bool EngineInstance::AddSubtitleFile(const QString& path, bool select) const {
    if (m_handle == nullptr) {
        return false;
    }
    const QByteArray name = platform::EncodeFileName(path);
    return Command({"sub-add", name.constData(), select ? "select" : "auto"}) >= 0;
}

void EngineInstance::SetSubtitleDelay(double seconds) const {
    if (m_handle != nullptr) {
        SetDoubleProperty("sub-delay", seconds);
    }
}

void EngineInstance::SelectAudio(std::int64_t id) const {
    if (m_handle != nullptr) {
        m_api.mpv_set_property_string(m_handle, "aid", std::to_string(id).c_str());
    }
}

void EngineInstance::SelectAudioAuto() const {
    if (m_handle != nullptr) {
        m_api.mpv_set_property_string(m_handle, "aid", "auto");
    }
}

void EngineInstance::SetPause(bool paused) const {
    if (m_handle != nullptr) {
        m_api.mpv_set_property_string(m_handle, "pause", paused ? "yes" : "no");
    }
}

void EngineInstance::StepChapter(int delta) const {
    if (m_handle != nullptr) {
        const std::string text = std::to_string(delta);
        Command({"add", "chapter", text.c_str()});
    }
}

std::optional<double> EngineInstance::GetDouble(const char* name) const {
    if (m_handle == nullptr) {
        return std::nullopt;
    }
    double value = 0.0;
    if (m_api.mpv_get_property(m_handle, name, MPV_FORMAT_DOUBLE, &value) < 0) {
        return std::nullopt;
    }
    return value;
}

std::int64_t EngineInstance::GetInt64(const char* name, std::int64_t fallback) const {
    if (m_handle == nullptr) {
        return fallback;
    }
    std::int64_t value = 0;
    if (m_api.mpv_get_property(m_handle, name, MPV_FORMAT_INT64, &value) < 0) {
        return fallback;
    }
    return value;
}

void EngineInstance::DrainEvents(EngineEventSink& sink) {
    DrainEngineEvents(m_api, m_handle, sink);
}

int EngineInstance::Command(std::initializer_list<const char*> args) const {
    std::vector<const char*> argv(args);
    argv.push_back(nullptr);
    return m_api.mpv_command(m_handle, argv.data());
}

void EngineInstance::SetDoubleProperty(const char* name, double value) const {
    m_api.mpv_set_property(m_handle, name, MPV_FORMAT_DOUBLE, &value);
}

bool EngineInstance::ReadFlag(const char* name) const {
    int flag = 0;
    m_api.mpv_get_property(m_handle, name, MPV_FORMAT_FLAG, &flag);
    return flag != 0;
}
