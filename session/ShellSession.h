#pragma once
// The player's part in the Windows shell: it shows the player in the media controls and on
// the taskbar button, keeps the display on while a moving picture plays, adds opened files
// to the recent documents, and passes the shell's requests to the same player operations
// the window's controls use. Each service is told only what changed.

#include <memory>
#include <optional>

#include "player/PlayerObserver.h"
#include "session/ShellServices.h"

class Player;

struct ShellServices {
    std::unique_ptr<MediaTransportControls> media;
    std::unique_ptr<TaskbarButton> taskbar;
    std::unique_ptr<DisplayRequest> display;
    std::unique_ptr<RecentDocuments> recent;
};

class ShellSession final : public PlayerObserver, public ShellRequests {
  public:
    // Observes `player`, which must outlive this object. Any service may be null.
    ShellSession(Player& player, ShellServices services);
    // Clears what the shell shows and lets the display sleep again.
    ~ShellSession() override;
    ShellSession(const ShellSession&) = delete;
    ShellSession& operator=(const ShellSession&) = delete;

    // The media keys reach the player through the media controls.
    bool TakesMediaKeys() const { return m_services.media && m_services.media->IsActive(); }

    // PlayerObserver
    void OnPlayerChanged() override;
    void OnSeeked(double seconds) override;
    void OnPositionChanged(double seconds) override;
    void OnFileLoaded() override;

    // ShellRequests
    void OnMediaButton(MediaButton button) override;
    void OnPositionRequested(double seconds) override;
    void OnThumbButton(ThumbButton button) override;

  private:
    struct Shown {
        MediaStatus status = MediaStatus::Closed;
        QString title;
        bool video = false;
        double duration = 0.0;
        bool playing = false;
        bool fileOpen = false;
        TaskbarProgress progress = TaskbarProgress::None;
        long long progressStep = -1;  // the taskbar's progress in thousandths
        bool displayHeld = false;
        bool previous = false;  // the media controls' previous and next buttons are enabled
        bool next = false;
    };

    void ShowTimeline(double position);
    void ShowProgress(TaskbarProgress state, double position);

    Player& m_player;
    ShellServices m_services;
    Shown m_shown;
};
