#include "player/Player.h"

#include <algorithm>
#include <cmath>

#include "platform/FileName.h"
#include "platform/PicturesFolder.h"
#include "settings/SettingsStore.h"

Player::Player(const EngineApi& api, SettingsStore* store) : m_store(store), m_engine(api) {}

Player::~Player() = default;

SettingsStore& Player::Store() const { return m_store ? *m_store : SettingsStore::Instance(); }

bool Player::CreateEngine(std::int64_t wid, double dpiScale, void (*wakeup)(void*), void* context) {
    return m_engine.Create(wid, dpiScale, wakeup, context);
}

void Player::LoadSettings() {
    SettingsStore& store = Store();
    store.Load();
    m_muted = store.m_mute;
    m_volume = store.m_volume;
    m_engine.SetVolume(m_volume);
    m_engine.SetMute(m_muted);
}

void Player::AddObserver(PlayerObserver* observer) {
    if (observer &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void Player::RemoveObserver(PlayerObserver* observer) {
    // While observers are told, the list keeps its length: an observer that goes then is
    // only blanked, and removed once the telling is over.
    std::replace(m_observers.begin(), m_observers.end(), observer,
                 static_cast<PlayerObserver*>(nullptr));
    if (m_telling == 0) std::erase(m_observers, nullptr);
}

template <class Call>
void Player::Tell(Call call) {
    // No copy of the list: this runs on every frame.
    ++m_telling;
    for (std::size_t i = 0; i < m_observers.size(); ++i) {
        if (PlayerObserver* observer = m_observers[i]) call(*observer);
    }
    if (--m_telling == 0) std::erase(m_observers, nullptr);
}

void Player::TellChanged() {
    Tell([](PlayerObserver& o) { o.OnPlayerChanged(); });
}

bool Player::Open(const QString& path) {
    SavePosition();
    return Load(path);
}

bool Player::Load(const QString& path) {
    // A file or a folder that exists, or an address the engine opens itself; anything else
    // is ignored without a word.
    const std::optional<QString> name = PlayableName(path);
    if (!name) return false;
    // An address, a folder or a file of another type is a queue of its own.
    m_queue.SetFolderOf(path);
    Start(*name, false, 0);
    return true;
}

bool Player::OpenFiles(const QStringList& paths) {
    if (paths.size() == 1) return Open(paths.front());
    SavePosition();
    return LoadFiles(paths);
}

bool Player::LoadFiles(const QStringList& paths) {
    if (paths.size() == 1) return Load(paths.front());
    QStringList playable;
    for (const QString& path : paths)
        if (const std::optional<QString> name = PlayableName(path)) playable << *name;
    if (playable.isEmpty()) return false;
    m_queue.SetFiles(playable);
    Start(playable.front(), false, 0);
    return true;
}

std::optional<QString> Player::PlayableName(const QString& path) const {
    if (path.isEmpty()) return std::nullopt;
    const bool address = m_engine.PlaysAddress(path);
    if (!address && !platform::FileExists(path)) return std::nullopt;
    // Without an engine nothing is opened, so the player never claims a file it cannot play.
    if (!m_engine.HasHandle()) return std::nullopt;
    // One file, one name: its saved position is found by it.
    return address ? path : platform::NativeFileName(path);
}

void Player::Start(const QString& name, bool play, int queueStep) {
    m_filePath = name;
    m_lastPosition = 0.0;
    m_playOnLoad = play;
    m_queueStep = queueStep;
    m_loading = true;
    // The engine keeps a chosen track and delay for the next file; the next file has its own.
    if (m_audioChosen) m_engine.SelectAudioAuto();
    if (m_delayChosen) m_engine.SetSubtitleDelay(0.0);
    m_audioChosen = false;
    m_delayChosen = false;
    // Moving through the queue, the file waits for its resume like the first one.
    if (queueStep != 0) m_engine.SetPause(true);
    m_engine.LoadFile(m_filePath);
}

bool Player::Next() { return Move(1, GetPlayState() != PlayState::Paused, Leaving::Saved); }

bool Player::Previous() { return Move(-1, GetPlayState() != PlayState::Paused, Leaving::Saved); }

bool Player::Move(int step, bool play, Leaving leaving) {
    if (!m_engine.HasHandle()) return false;
    const qsizetype from = m_queue.Index();
    // Files gone from the folder since the queue was made are passed over.
    while (step > 0 ? m_queue.Advance() : m_queue.GoBack()) {
        const std::optional<QString> name = PlayableName(m_queue.Current());
        if (!name) continue;
        // Still the file that played: a file watched to its end starts from the beginning
        // next time, one that could not be played gets no entry.
        if (leaving == Leaving::Finished)
            SaveAt(0.0);
        else if (leaving == Leaving::Saved)
            SavePosition();
        Start(*name, play, step);
        return true;
    }
    m_queue.MoveTo(from);
    return false;
}

void Player::TogglePause() {
    if (m_filePath.isEmpty()) return;
    m_engine.TogglePause();
}

void Player::Play() {
    const PlayState state = GetPlayState();
    if (state == PlayState::Paused || state == PlayState::Ended) TogglePause();
}

void Player::Pause() {
    if (GetPlayState() == PlayState::Playing) TogglePause();
}

bool Player::HasOpenFile() const {
    return !m_filePath.isEmpty() && GetPlayState() != PlayState::Idle;
}

void Player::Stop() {
    if (m_engine.HasHandle()) {
        m_engine.Stop();
        if (!m_filePath.isEmpty()) Store().EraseEntry(m_filePath);
    }
    m_lastPosition = 0.0;
    Tell([](PlayerObserver& o) { o.OnStopped(); });
    TellChanged();
}

void Player::SeekTo(double seconds, int decimals) { m_engine.SeekAbsolute(seconds, decimals); }

void Player::SeekBy(double seconds) { m_engine.SeekRelative(seconds); }

void Player::SetSpeed(double speed) {
    if (!m_engine.HasHandle()) return;
    m_engine.SetSpeed(speed);
    Tell([speed](PlayerObserver& o) { o.OnSpeedChanged(speed); });
    TellChanged();
}

void Player::SetVolume(int level) {
    m_volume = std::clamp(level, m_volumeLow, std::max(m_volumeLow, m_volumeHigh));
    m_engine.SetVolume(m_volume);
    m_muted = false;
    m_engine.SetMute(false);
    const int shown = VolumeLevel();
    Tell([shown](PlayerObserver& o) { o.OnVolumeChanged(shown); });
    Tell([](PlayerObserver& o) { o.OnMuteChanged(false); });
    TellChanged();
}

void Player::SetMute(bool muted) {
    m_muted = muted;
    m_engine.SetMute(muted);
    Tell([muted](PlayerObserver& o) { o.OnMuteChanged(muted); });
    TellChanged();
}

void Player::SelectSubtitle(std::int64_t id) {
    if (id == -1)
        m_engine.HideSubtitles();
    else
        m_engine.SelectSubtitle(id);
}

std::int64_t Player::CurrentSubtitle() const {
    return m_engine.SubtitlesVisible() ? m_engine.GetInt64("sid", -1) : -1;
}

bool Player::AddSubtitleFile(const QString& path) {
    if (!HasOpenFile()) return false;
    return m_engine.AddSubtitleFile(path, true);
}

double Player::ShiftSubtitleDelay(double seconds) {
    const double now = m_engine.GetDouble("sub-delay").value_or(0.0);
    // In tenths, so that steps back and forth come back to exactly where they began.
    const double delay = std::round((now + seconds) * 10.0) / 10.0;
    m_engine.SetSubtitleDelay(delay);
    m_delayChosen = true;
    if (!m_filePath.isEmpty()) Store().EntryFor(m_filePath).subtitleDelay = delay;
    return delay;
}

void Player::SelectAudio(std::int64_t id) {
    m_engine.SelectAudio(id);
    m_audioChosen = true;
    if (m_filePath.isEmpty()) return;
    // By language, which another release of the same film keeps; by number without one.
    QString chosen = QString::number(id);
    for (const TrackEntry& track : m_engine.AudioTracks())
        if (track.id == id && !track.lang.isEmpty()) chosen = track.lang;
    Store().EntryFor(m_filePath).audio = chosen;
}

void Player::CycleAudio() {
    const std::vector<TrackEntry> tracks = m_engine.AudioTracks();
    if (tracks.empty()) return;
    const std::int64_t current = CurrentAudio();
    auto next = std::find_if(tracks.begin(), tracks.end(),
                             [current](const TrackEntry& t) { return t.id == current; });
    next = (next == tracks.end() || next + 1 == tracks.end()) ? tracks.begin() : next + 1;
    SelectAudio(next->id);
}

void Player::ShowMessage(const QString& text) const {
    constexpr int kMessageMilliseconds = 2000;
    m_engine.ShowText(text, kMessageMilliseconds);
}

ScreenshotResult Player::TakeScreenshot() const {
    if (!HasOpenFile()) return {};
    return SaveScreenshot(m_engine, m_title, m_engine.GetDouble("time-pos").value_or(0.0),
                          platform::PicturesFolder());
}

void Player::RestoreChoices(const ResumeEntry& entry) {
    if (!entry.audio.isEmpty()) {
        const std::vector<TrackEntry> tracks = m_engine.AudioTracks();
        // By language first; a number names a track that has none.
        auto found = std::find_if(tracks.begin(), tracks.end(), [&](const TrackEntry& t) {
            return t.lang.compare(entry.audio, Qt::CaseInsensitive) == 0;
        });
        bool number = false;
        const std::int64_t id = entry.audio.toLongLong(&number);
        if (found == tracks.end() && number)
            found = std::find_if(tracks.begin(), tracks.end(),
                                 [id](const TrackEntry& t) { return t.id == id; });
        if (found != tracks.end()) {
            m_engine.SelectAudio(found->id);
            m_audioChosen = true;
        }
    }
    if (entry.subtitleDelay != 0.0) {
        m_engine.SetSubtitleDelay(entry.subtitleDelay);
        m_delayChosen = true;
    }
}

void Player::SetVolumeRange(int low, int high) {
    m_volumeLow = low;
    m_volumeHigh = high;
}

void Player::SetOfferedSpeeds(std::vector<double> speeds) {
    std::sort(speeds.begin(), speeds.end());
    m_speeds = std::move(speeds);
}

double Player::MinimumSpeed() const { return m_speeds.empty() ? 1.0 : m_speeds.front(); }

double Player::MaximumSpeed() const { return m_speeds.empty() ? 1.0 : m_speeds.back(); }

void Player::RestorePosition() {
    const ResumeEntry* entry = Store().FindEntry(m_filePath);
    if (entry) RestoreChoices(*entry);
    const double position = entry ? entry->progress : 0.0;
    const bool resumes = position > kResumeThreshold;
    if (resumes) m_engine.SeekAbsolute(position, 3);
    if (m_queueStep != 0) {
        // Moving through the queue, the file goes on as the one before was going.
        m_engine.SetPause(!m_playOnLoad);
    } else if (!resumes) {
        TogglePause();
    }
    m_queueStep = 0;
    m_playOnLoad = false;
}

void Player::SavePosition() { SaveAt(m_engine.GetDouble("time-pos").value_or(m_lastPosition)); }

void Player::SaveAt(double position) {
    SettingsStore& store = Store();
    // With nothing open there is no file to remember a position for.
    if (!m_filePath.isEmpty())
        store.EntryFor(m_filePath).progress = position < kResumeThreshold ? 0.0 : position;
    store.m_volume = m_engine.GetDouble("volume").value_or(m_volume);
    store.m_mute = m_muted;
    store.Save();
}

void Player::OnTimePos(double seconds) {
    m_lastPosition = seconds;
    // The length comes as an event of its own, which the engine has been seen to skip when a
    // file resumes paused; without it the slider and the total would stay at zero.
    if (m_duration <= 0.0) m_duration = m_engine.GetDouble("duration").value_or(0.0);
    Tell([seconds](PlayerObserver& o) { o.OnPositionChanged(seconds); });
}

void Player::OnDuration(double seconds) {
    m_duration = seconds;
    TellChanged();
}

void Player::OnPlayStateFlag() {
    Tell([](PlayerObserver& o) { o.OnPlayStateChanged(); });
    TellChanged();
    // At the end of a file the next one starts, once: the flags of the file that ended still
    // change while the next one loads.
    const PlayState state = GetPlayState();
    if (state == PlayState::Idle) m_loading = false;
    if (state == PlayState::Ended && !m_loading && Store().m_autoNext && m_queue.HasNext())
        Move(1, true, Leaving::Finished);
}

void Player::OnMediaTitle(const char* utf8) {
    if (utf8) {
        m_title = QString::fromUtf8(utf8);
        const QString& title = m_title;
        Tell([&title](PlayerObserver& o) { o.OnTitleChanged(title); });
    }
    TellChanged();
}

void Player::OnFileLoaded() {
    m_loading = false;
    ++m_trackNumber;
    Tell([](PlayerObserver& o) { o.OnFileLoaded(); });
    TellChanged();
}

void Player::OnFileFailed() {
    // A file the queue led to that cannot be played is passed over, the same way on; one the
    // user opened is left as the engine leaves it.
    if (!m_loading || m_queueStep == 0) return;
    m_loading = false;
    Move(m_queueStep, m_playOnLoad, Leaving::Failed);
}

void Player::OnSeekStarted() { m_seekPending = true; }

void Player::OnPlaybackRestarted() {
    // Also sent when a file starts, which is no seek.
    if (!m_seekPending) return;
    m_seekPending = false;
    const double at = Position().value_or(0.0);
    Tell([at](PlayerObserver& o) { o.OnSeeked(at); });
}
