#pragma once

#include <QString>

// Told by the player of what its views show. Called on the UI thread. A view overrides what
// it shows; the rest do nothing.
class PlayerObserver {
  public:
    virtual ~PlayerObserver() = default;

    // The play state, the file or what is known of it (title, length), the volume, mute or
    // the speed may have changed; the observer reads what it needs from the player. Never
    // called for the position's steady progress.
    virtual void OnPlayerChanged() {}
    // A seek has completed, from whatever source; playback goes on from `seconds`.
    virtual void OnSeeked(double /*seconds*/) {}

    // The engine's position, on every frame while playing: kept cheap.
    virtual void OnPositionChanged(double /*seconds*/) {}
    // Pause, end of file or idle changed; ask the player for the whole state.
    virtual void OnPlayStateChanged() {}
    virtual void OnTitleChanged(const QString& /*title*/) {}
    // The engine has loaded a file; its length and picture size can be read now.
    virtual void OnFileLoaded() {}
    // Playback was stopped: nothing plays and the displays start over.
    virtual void OnStopped() {}
    virtual void OnVolumeChanged(int /*level*/) {}
    virtual void OnMuteChanged(bool /*muted*/) {}
    virtual void OnSpeedChanged(double /*speed*/) {}
};
