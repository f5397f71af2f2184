#include "session/ShellSession.h"

#include <algorithm>
#include <cmath>

#include "platform/FileName.h"
#include "player/Player.h"

namespace {

// The taskbar's progress moves in thousandths, so a long film does not redraw the button
// on every frame.
constexpr double kProgressSteps = 1000.0;

MediaStatus StatusOf(const Player& player) {
    if (!player.HasOpenFile())
        return player.FilePath().isEmpty() ? MediaStatus::Closed : MediaStatus::Stopped;
    // A finished file waits on its last frame, as paused.
    return player.GetPlayState() == PlayState::Playing ? MediaStatus::Playing : MediaStatus::Paused;
}

}  // namespace

ShellSession::ShellSession(Player& player, ShellServices services)
    : m_player(player), m_services(std::move(services)) {
    if (m_services.media) m_services.media->SetNavigation(false, false);
    m_player.AddObserver(this);
    OnPlayerChanged();
}

ShellSession::~ShellSession() {
    m_player.RemoveObserver(this);
    if (m_services.display && m_shown.displayHeld) m_services.display->SetHeld(false);
    if (m_services.taskbar && m_shown.progress != TaskbarProgress::None)
        m_services.taskbar->SetProgress(TaskbarProgress::None, 0.0);
    if (m_services.media && m_shown.status != MediaStatus::Closed)
        m_services.media->SetStatus(MediaStatus::Closed);
}

void ShellSession::OnPlayerChanged() {
    const MediaStatus status = StatusOf(m_player);
    const bool fileOpen = status == MediaStatus::Playing || status == MediaStatus::Paused;
    const QString title = fileOpen ? m_player.Title() : QString();
    const bool video = fileOpen && m_player.PlaysMovingVideo();
    // A file's title comes after it opens: the controls wait for it rather than show none.
    const bool titleKnown = !fileOpen || !title.isEmpty();
    if (m_services.media && titleKnown && (title != m_shown.title || video != m_shown.video)) {
        m_services.media->SetMedia(title, video);
        m_shown.title = title;
        m_shown.video = video;
    }
    if (m_services.media && status != m_shown.status) m_services.media->SetStatus(status);
    // The timeline moves with the status and the length, and with seeks; not with playback.
    const double duration = m_player.Duration();
    if (m_services.media && fileOpen && (status != m_shown.status || duration != m_shown.duration))
        m_services.media->SetTimeline(m_player.Position().value_or(0.0), duration);
    const bool playing = status == MediaStatus::Playing;
    if (m_services.taskbar && (playing != m_shown.playing || fileOpen != m_shown.fileOpen))
        m_services.taskbar->SetThumbButtons(playing, fileOpen);
    const TaskbarProgress progress = !fileOpen ? TaskbarProgress::None
                                     : playing ? TaskbarProgress::Normal
                                               : TaskbarProgress::Paused;
    ShowProgress(progress, m_player.Position().value_or(0.0));
    const bool previous = m_player.HasPrevious();
    const bool next = m_player.HasNext();
    if (m_services.media && (previous != m_shown.previous || next != m_shown.next))
        m_services.media->SetNavigation(previous, next);
    m_shown.previous = previous;
    m_shown.next = next;
    const bool awake = m_player.KeepsDisplayAwake();
    if (m_services.display && awake != m_shown.displayHeld) m_services.display->SetHeld(awake);
    m_shown.status = status;
    m_shown.duration = duration;
    m_shown.playing = playing;
    m_shown.fileOpen = fileOpen;
    m_shown.displayHeld = awake;
}

void ShellSession::OnSeeked(double seconds) {
    if (m_services.media && m_shown.fileOpen)
        m_services.media->SetTimeline(seconds, m_player.Duration());
    ShowProgress(m_shown.progress, seconds);
}

void ShellSession::OnPositionChanged(double seconds) { ShowProgress(m_shown.progress, seconds); }

void ShellSession::OnFileLoaded() {
    const QString& path = m_player.FilePath();
    if (m_services.recent && platform::FileExists(path)) m_services.recent->Add(path);
}

void ShellSession::ShowProgress(TaskbarProgress state, double position) {
    const double duration = m_player.Duration();
    // Without a length (a live stream) there is nothing to show progress of.
    if (duration <= 0.0) state = TaskbarProgress::None;
    const long long step =
        state == TaskbarProgress::None
            ? -1
            : std::llround(std::clamp(position / duration, 0.0, 1.0) * kProgressSteps);
    if (state == m_shown.progress && step == m_shown.progressStep) return;
    m_shown.progress = state;
    m_shown.progressStep = step;
    if (m_services.taskbar)
        m_services.taskbar->SetProgress(state, step < 0 ? 0.0 : step / kProgressSteps);
}

void ShellSession::OnMediaButton(MediaButton button) {
    switch (button) {
        case MediaButton::Play:
            m_player.Play();
            break;
        case MediaButton::Pause:
            m_player.Pause();
            break;
        case MediaButton::Stop:
            m_player.Stop();
            break;
        case MediaButton::Next:
            m_player.Next();
            break;
        case MediaButton::Previous:
            m_player.Previous();
            break;
    }
}

void ShellSession::OnPositionRequested(double seconds) {
    if (!m_player.HasOpenFile() || !(seconds >= 0.0) || seconds > m_player.Duration()) return;
    m_player.SeekTo(seconds);
}

void ShellSession::OnThumbButton(ThumbButton button) {
    if (!m_player.HasOpenFile()) return;
    switch (button) {
        case ThumbButton::PlayPause:
            m_player.TogglePause();
            break;
        case ThumbButton::Backward:
            m_player.SeekBy(-Player::kStepSeconds);
            break;
        case ThumbButton::Forward:
            m_player.SeekBy(Player::kStepSeconds);
            break;
    }
}
