#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "engine/ChapterList.h"
#include "engine/EngineApi.h"
#include "engine/EngineEventSink.h"
#include "engine/PlayState.h"
#include "engine/StreamAddress.h"
#include "engine/TrackList.h"

// The program's one engine instance: the function table it is driven through and the
// library's handle. Every operation is safe without a handle (none created, creation
// failed, or already shut down): it then sends nothing, and reads give their fallback;
// the library must never see a null handle. A handle that was created but not initialised
// is used like a running one; the library refuses what it cannot do. Results of commands
// and property writes are ignored: the displays follow the engine's events, not our
// requests. An operation that answers whether the engine took it (a screenshot) reads the
// result. Destroying the object ends the instance.
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

    // Starts loading path, sent as the bytes it stands for (platform::EncodeFileName):
    // UTF-8, and a name that is not UTF-8 as it is on disk. The engine reports the loaded
    // file with an event.
    void LoadFile(const QString& path) const;
    bool PlaysAddress(const QString& text) const {
        return EnginePlaysAddress(m_api, m_handle, text);
    }
    QStringList Protocols() const { return EngineProtocols(m_api, m_handle); }
    // What the engine is doing. Ended wins over Paused: with "keep-open" the engine sits
    // paused on the last frame at the end of a file. A failed read counts as false; Idle
    // without an engine.
    PlayState GetPlayState() const;
    // Play or pause; at the end of a file, start it again from the beginning.
    void TogglePause() const;
    // Seeks by seconds (negative is backward), sent with one decimal.
    void SeekRelative(double seconds) const;
    // Seeks to seconds from the start, sent with the given number of decimals.
    void SeekAbsolute(double seconds, int decimals) const;
    void SetSpeed(double speed) const;
    void SetMute(bool mute) const;
    // volume is in the engine's percent, 0 to 100.
    void SetVolume(double volume) const;
    // Unloads the file; the engine becomes idle.
    void Stop() const;
    // Shows the subtitle track with the engine's id (not its index in the track list).
    void SelectSubtitle(std::int64_t id) const;
    // Hides subtitles and leaves the selected track as it is.
    void HideSubtitles() const;
    bool SubtitlesVisible() const { return m_handle != nullptr && ReadFlag("sub-visibility"); }
    // Adds a subtitle file (sent as bytes, like LoadFile) as a track of the file that plays;
    // `select` shows it at once, else the engine's own choice stands. False when the engine
    // could not read it.
    bool AddSubtitleFile(const QString& path, bool select) const;
    // Subtitles shown this many seconds later (earlier when negative).
    void SetSubtitleDelay(double seconds) const;
    // Plays the audio track with the engine's id.
    void SelectAudio(std::int64_t id) const;
    // Leaves the audio track to the engine's own choice again.
    void SelectAudioAuto() const;
    void SetPause(bool paused) const;
    // Goes to the chapter `delta` chapters on (back when negative), if there is one.
    void StepChapter(int delta) const;
    // Saves the picture as it shows, subtitles included, to the file `path` (sent as
    // LoadFile sends a name; the name's extension picks the format). True when the engine
    // says it saved it; the engine has finished writing by then.
    bool Screenshot(const QString& path) const;
    // Shows `text` on the picture for `milliseconds`, in the engine's on-screen display.
    void ShowText(const QString& text, int milliseconds) const;

    // A property read as a double; nullopt when the read fails or there is no engine.
    std::optional<double> GetDouble(const char* name) const;
    // A property read as a 64-bit integer; fallback when the read fails or there is no
    // engine.
    std::int64_t GetInt64(const char* name, std::int64_t fallback = 0) const;
    std::vector<TrackEntry> SubtitleTracks() const { return ReadSubtitleTracks(m_api, m_handle); }
    std::vector<TrackEntry> AudioTracks() const { return ReadAudioTracks(m_api, m_handle); }
    bool PlaysMovingVideo() const { return ::PlaysMovingVideo(m_api, m_handle); }
    std::vector<ChapterEntry> Chapters() const { return ReadChapters(m_api, m_handle); }

    // Passes every pending event to sink (see DrainEngineEvents).
    void DrainEvents(EngineEventSink& sink);

  private:
    // These three need a handle; the public operations check for one first. Command gives
    // the library's result: negative for an error.
    int Command(std::initializer_list<const char*> args) const;
    void SetDoubleProperty(const char* name, double value) const;
    bool ReadFlag(const char* name) const;

    const EngineApi& m_api;
    mpv_handle* m_handle = nullptr;
};
