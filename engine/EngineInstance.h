#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/EngineApi.h"
#include "engine/EngineEventSink.h"
#include "engine/PlaybackCommands.h"
#include "engine/StreamAddress.h"
#include "engine/TrackList.h"

// The program's one engine instance: the function table it is driven through and the
// library's handle. Every operation is safe without a handle (none created, creation
// failed, or already shut down): it then sends nothing, and reads give their fallback.
// A handle that was created but not initialised is used like a running one; the library
// refuses what it cannot do. Destroying the object ends the instance.
class EngineInstance {
  public:
    explicit EngineInstance(const EngineApi& api) : m_api(api) {}
    ~EngineInstance() { Shutdown(); }
    EngineInstance(const EngineInstance&) = delete;
    EngineInstance& operator=(const EngineInstance&) = delete;

    // Creates and sets up the instance to draw into the native window wid (see
    // CreateEngineInstance). False, with no handle, when the table did not load.
    bool Create(std::int64_t wid, double dpiScale, void (*wakeup)(void*), void* context);
    // Ends the instance, if there is one. No wake-up comes after this.
    void Shutdown();

    bool HasHandle() const { return m_handle != nullptr; }
    mpv_handle* Handle() const { return m_handle; }

    void LoadFile(const QString& path) const { ::LoadFile(m_api, m_handle, path); }
    bool PlaysAddress(const QString& text) const {
        return EnginePlaysAddress(m_api, m_handle, text);
    }
    QStringList Protocols() const { return EngineProtocols(m_api, m_handle); }
    PlayState GetPlayState() const { return ::GetPlayState(m_api, m_handle); }
    void TogglePause() const { ::TogglePause(m_api, m_handle); }
    void SeekRelative(double seconds) const { ::SeekRelative(m_api, m_handle, seconds); }
    void SeekAbsolute(double seconds, int decimals) const {
        ::SeekAbsolute(m_api, m_handle, seconds, decimals);
    }
    void SetSpeed(double speed) const { ::SetSpeed(m_api, m_handle, speed); }
    void SetMute(bool mute) const { ::SetMute(m_api, m_handle, mute); }
    void SetVolume(double volume) const { ::SetVolume(m_api, m_handle, volume); }
    void Stop() const { ::StopPlayback(m_api, m_handle); }
    void SelectSubtitle(std::int64_t id) const { ::SelectSubtitle(m_api, m_handle, id); }
    void HideSubtitles() const { ::HideSubtitles(m_api, m_handle); }

    std::optional<double> GetDouble(const char* name) const {
        return GetDoubleProperty(m_api, m_handle, name);
    }
    std::int64_t GetInt64(const char* name, std::int64_t fallback = 0) const {
        return GetInt64Property(m_api, m_handle, name, fallback);
    }
    std::vector<TrackEntry> SubtitleTracks() const { return ReadSubtitleTracks(m_api, m_handle); }
    bool PlaysMovingVideo() const { return ::PlaysMovingVideo(m_api, m_handle); }

    // Passes every pending event to sink (see DrainEngineEvents).
    void DrainEvents(EngineEventSink& sink);

  private:
    const EngineApi& m_api;
    mpv_handle* m_handle = nullptr;
};
