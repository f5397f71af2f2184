#pragma once
// What the Windows shell offers a player around playback, each behind a small interface so
// that the rules of when to call them are tested with recording stand-ins: the media
// controls of the volume flyout and the media keys (System Media Transport Controls), the
// taskbar button's thumbnail toolbar and progress, a request that keeps the display on, and
// the recent documents of the jump list. The session/win32/ files implement them; where the
// system lacks one, its calls do nothing.

#include <QString>

// What the media controls show of the player.
enum class MediaStatus { Closed, Stopped, Playing, Paused };
// The media controls' buttons and the media keys that reach the player through them.
enum class MediaButton { Play, Pause, Stop, Next, Previous };
// The buttons of the taskbar thumbnail's toolbar.
enum class ThumbButton { PlayPause, Backward, Forward };
// How the taskbar button shows progress.
enum class TaskbarProgress { None, Normal, Paused };

// Where the shell's requests go; always called on the UI thread.
class ShellRequests {
  public:
    virtual void OnMediaButton(MediaButton button) = 0;
    // The media controls' timeline was moved to `seconds` from the start.
    virtual void OnPositionRequested(double seconds) = 0;
    virtual void OnThumbButton(ThumbButton button) = 0;

  protected:
    ~ShellRequests() = default;
};

class MediaTransportControls {
  public:
    virtual ~MediaTransportControls() = default;
    // The controls answer the media keys; while they do, the window leaves those keys alone.
    virtual bool IsActive() const = 0;
    virtual void SetStatus(MediaStatus status) = 0;
    // The title shown, as a film or as music; an empty title clears what is shown.
    virtual void SetMedia(const QString& title, bool video) = 0;
    virtual void SetTimeline(double position, double duration) = 0;
    // Which of the previous and next buttons are enabled.
    virtual void SetNavigation(bool previous, bool next) = 0;
};

class TaskbarButton {
  public:
    virtual ~TaskbarButton() = default;
    // The thumbnail toolbar: play or pause on the first button, all three enabled or not.
    virtual void SetThumbButtons(bool playing, bool enabled) = 0;
    // `fraction` of the file played, from 0 to 1; ignored with None.
    virtual void SetProgress(TaskbarProgress state, double fraction) = 0;
};

class DisplayRequest {
  public:
    virtual ~DisplayRequest() = default;
    // Keeps the display on and the screen unlocked while held.
    virtual void SetHeld(bool held) = 0;
};

class RecentDocuments {
  public:
    virtual ~RecentDocuments() = default;
    // Adds a local file the player opened to the program's recent documents.
    virtual void Add(const QString& path) = 0;
};
