#include "player/Player.h"

#include <algorithm>

#include "platform/FileName.h"
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
    if (path.isEmpty()) return false;
    const bool address = m_engine.PlaysAddress(path);
    if (!address && !platform::FileExists(path)) return false;
    // Without an engine nothing is opened, so the player never claims a file it cannot play.
    if (!m_engine.HasHandle()) return false;
    // One file, one name: its saved position is found by it.
    m_filePath = address ? path : platform::NativeFileName(path);
    m_lastPosition = 0.0;
    m_engine.LoadFile(m_filePath);
    return true;
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
    const double position = entry ? entry->progress : 0.0;
    if (position > kResumeThreshold)
        m_engine.SeekAbsolute(position, 3);
    else
        TogglePause();
}

void Player::SavePosition() {
    const double position = m_engine.GetDouble("time-pos").value_or(m_lastPosition);
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
    ++m_trackNumber;
    Tell([](PlayerObserver& o) { o.OnFileLoaded(); });
    TellChanged();
}

void Player::OnSeekStarted() { m_seekPending = true; }

void Player::OnPlaybackRestarted() {
    // Also sent when a file starts, which is no seek.
    if (!m_seekPending) return;
    m_seekPending = false;
    const double at = Position().value_or(0.0);
    Tell([at](PlayerObserver& o) { o.OnSeeked(at); });
}
