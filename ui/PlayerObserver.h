#pragma once

// Told by the main window when something another view of the player shows has changed, so
// that the desktop's media controls and the idle inhibition follow the window. Called on
// the UI thread, never for the position's steady progress.
class PlayerObserver {
  public:
    virtual ~PlayerObserver() = default;

    // The play state, the file or what is known of it (title, length), the volume or the
    // speed may have changed; the observer reads what it needs from the window.
    virtual void OnPlayerChanged() = 0;
    // A seek has completed, from whatever source; playback goes on from `seconds`.
    virtual void OnSeeked(double seconds) = 0;
};
