#pragma once
// Player: the player model. It owns the engine instance and the play state that is not a
// control (the open file, its title and length, mute, the pending seek), keeps the settings
// and resume positions in the settings store, and offers the operations every input goes
// through: the window's controls and keys, and the desktop's media controls. Its views
// follow it as PlayerObservers.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/EngineApi.h"
#include "engine/EngineEventSink.h"
#include "engine/EngineInstance.h"
#include "player/PlayQueue.h"
#include "player/PlayerObserver.h"
#include "player/Screenshot.h"

class SettingsStore;

class Player : private EngineEventSink {
  public:
    // A saved position this far in or less starts the file from the beginning.
    static constexpr double kResumeThreshold = 5.0;
    // How far the step buttons (the window's and the taskbar's) seek.
    static constexpr double kStepSeconds = 30.0;

    // The engine table and the settings store are the process's own unless a test hands in
    // others.
    explicit Player(const EngineApi& api = GetEngineApi(), SettingsStore* store = nullptr);
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Creates the engine to draw into the native window `wid`; its wake-up callback runs on
    // an engine thread and must only post (the window then calls DrainEvents).
    bool CreateEngine(std::int64_t wid, double dpiScale, void (*wakeup)(void*), void* context);
    // Ends the engine; nothing is sent after this.
    void Shutdown() { m_engine.Shutdown(); }
    // Passes the engine's pending events on to the observers.
    void DrainEvents() { m_engine.DrainEvents(*this); }
    bool HasEngine() const { return m_engine.HasHandle(); }
    mpv_handle* Engine() const { return m_engine.Handle(); }

    // Reads the settings and gives the engine their volume and mute.
    void LoadSettings();
    SettingsStore& Store() const;

    // Saves the position of the file that plays, then opens `path`: a file or folder that
    // exists, or an address the engine plays. A media file's queue is the media files of its
    // folder. False, with nothing changed, for anything else or without an engine.
    bool Open(const QString& path);
    // Open without the save, for a caller that has saved already.
    bool Load(const QString& path);
    // Files given together (several arguments, a drop, a multiple selection): the ones that
    // can be opened are the queue, in that order, and the first of them plays. False, with
    // nothing changed, when none can.
    bool OpenFiles(const QStringList& paths);
    bool LoadFiles(const QStringList& paths);
    const PlayQueue& Queue() const { return m_queue; }
    bool HasNext() const { return m_queue.HasNext(); }
    bool HasPrevious() const { return m_queue.HasPrevious(); }
    // Saves the position, then plays the next or the previous file of the queue that still
    // exists. False, with nothing changed, at the end of the queue.
    bool Next();
    bool Previous();
    void TogglePause();
    // Plays when paused or at the end; pauses when playing. Nothing else changes.
    void Play();
    void Pause();
    // Unloads the file and forgets its saved position.
    void Stop();
    // Seeks to seconds from the start, sent with `decimals` decimals.
    void SeekTo(double seconds, int decimals = 3);
    void SeekBy(double seconds);
    // Does nothing without an engine.
    void SetSpeed(double speed);
    // The level, kept within the volume range; the sound is no longer muted.
    void SetVolume(int level);
    void SetMute(bool muted);
    void ToggleMute() { SetMute(!m_muted); }
    // Shows the subtitle track with the engine's id; -1 hides subtitles.
    void SelectSubtitle(std::int64_t id);
    // The subtitle track shown, -1 for none.
    std::int64_t CurrentSubtitle() const;
    // Adds a subtitle file to the file that plays and shows it; playback goes on where it
    // was. False when nothing plays or the engine could not read the file.
    bool AddSubtitleFile(const QString& path);
    // Moves the subtitles by `seconds` (earlier when negative), remembered for the file;
    // returns the delay now, in tenths of a second.
    double ShiftSubtitleDelay(double seconds);
    // Plays the audio track with the engine's id, remembered for the file.
    void SelectAudio(std::int64_t id);
    // Plays the audio track after the one that plays, the first after the last.
    void CycleAudio();
    // The audio track playing, -1 for none.
    std::int64_t CurrentAudio() const { return m_engine.GetInt64("aid", -1); }
    // Goes `delta` chapters on, back when negative.
    void StepChapter(int delta) { m_engine.StepChapter(delta); }
    // Shows `text` over the picture for a moment.
    void ShowMessage(const QString& text) const;
    // Saves the picture with its subtitles in the user's pictures folder; not saved when no
    // file is open.
    ScreenshotResult TakeScreenshot() const;
    // Starts the file just loaded where it was left, or from the beginning.
    void RestorePosition();
    // Writes the position of the open file, the volume and mute to the settings files.
    void SavePosition();

    // The range the volume is kept in, as the volume control allows it.
    void SetVolumeRange(int low, int high);
    // The speeds the player offers; the media controls accept any speed between the least
    // and the greatest.
    void SetOfferedSpeeds(std::vector<double> speeds);
    double MinimumSpeed() const;
    double MaximumSpeed() const;

    PlayState GetPlayState() const { return m_engine.GetPlayState(); }
    // A file is loaded or loading (not stopped, nothing open).
    bool HasOpenFile() const;
    const QString& FilePath() const { return m_filePath; }
    const QString& Title() const { return m_title; }
    double Duration() const { return m_duration; }
    // Counts the files loaded so far: a new number for each file, reloads included.
    std::uint64_t TrackNumber() const { return m_trackNumber; }
    std::optional<double> Position() const { return m_engine.GetDouble("time-pos"); }
    double Speed() const { return m_engine.GetDouble("speed").value_or(1.0); }
    int VolumeLevel() const { return static_cast<int>(m_volume); }
    bool IsMuted() const { return m_muted; }
    bool PlaysMovingVideo() const { return m_engine.PlaysMovingVideo(); }
    // The display should stay on: a moving picture plays (not paused, stopped, at the end, or
    // sound alone).
    bool KeepsDisplayAwake() const {
        return GetPlayState() == PlayState::Playing && PlaysMovingVideo();
    }
    // The engine's protocols: the schemes of the addresses it opens.
    QStringList EngineProtocols() const { return m_engine.Protocols(); }
    std::vector<TrackEntry> SubtitleTracks() const { return m_engine.SubtitleTracks(); }
    std::vector<TrackEntry> AudioTracks() const { return m_engine.AudioTracks(); }
    std::vector<ChapterEntry> Chapters() const { return m_engine.Chapters(); }
    // The picture's size in pixels, 0 where there is none.
    std::int64_t VideoWidth() const { return m_engine.GetInt64("video-params/w"); }
    std::int64_t VideoHeight() const { return m_engine.GetInt64("video-params/h"); }

    // Observers must outlive the player or be removed before they go.
    void AddObserver(PlayerObserver* observer);
    void RemoveObserver(PlayerObserver* observer);

  private:
    // Opens `name`, a name PlayableName gave. Reached by a move through the queue, it plays
    // once loaded, or with `play` false stays paused, wherever it resumes.
    void Start(const QString& name, bool play, int queueStep);
    // The name the engine is given for `path`: an address as given, a file or folder that
    // exists in the system's spelling; nullopt for anything else or without an engine.
    std::optional<QString> PlayableName(const QString& path) const;
    // What becomes of the file left by a move through the queue.
    enum class Leaving { Saved, Finished, Failed };
    // Saves the position (0 for a file finished, nothing for one that failed), then moves
    // through the queue by `step` to the first file that still exists and opens it; false,
    // with nothing changed, if none.
    bool Move(int step, bool play, Leaving leaving);
    // Writes the settings and the entry of the open file with the position `position`.
    void SaveAt(double position);
    // Puts back what the file's entry remembers beyond the position: audio track, delay.
    void RestoreChoices(const struct ResumeEntry& entry);

    template <class Call>
    void Tell(Call call);
    void TellChanged();

    // EngineEventSink
    void OnTimePos(double seconds) override;
    void OnDuration(double seconds) override;
    void OnPlayStateFlag() override;
    void OnMediaTitle(const char* utf8) override;
    void OnFileLoaded() override;
    void OnSeekStarted() override;
    void OnPlaybackRestarted() override;
    void OnFileFailed() override;

    SettingsStore* m_store;
    EngineInstance m_engine;
    std::vector<PlayerObserver*> m_observers;
    int m_telling = 0;  // calls of Tell under way
    QString m_filePath;
    QString m_title;
    double m_duration = 0.0;
    double m_lastPosition = 0.0;  // the engine's last reported position
    double m_volume = 100.0;
    int m_volumeLow = 0;
    int m_volumeHigh = 100;
    std::vector<double> m_speeds;
    bool m_muted = false;
    bool m_seekPending = false;  // the engine has begun a seek and not yet gone on
    std::uint64_t m_trackNumber = 0;
    PlayQueue m_queue;
    bool m_loading = false;      // a file was sent to the engine and has not loaded yet
    int m_queueStep = 0;         // the file loading was reached this way through the queue
    bool m_playOnLoad = false;   // ...and plays wherever it resumes
    bool m_audioChosen = false;  // an audio track was set for the open file
    bool m_delayChosen = false;  // a subtitle delay was set for the open file
};
