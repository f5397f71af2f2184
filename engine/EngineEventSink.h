#pragma once

// What the window does with the engine's events; DrainEngineEvents calls it on the UI
// thread. Strings and values are only valid during the call.
class EngineEventSink {
  public:
    virtual ~EngineEventSink() = default;

    virtual void OnTimePos(double seconds) = 0;
    virtual void OnDuration(double seconds) = 0;
    // The pause, end-of-file or idle flag changed; the receiver asks the engine for the whole
    // play state, since no one flag tells a pause from the end of the file or from a stop.
    virtual void OnPlayStateFlag() = 0;
    virtual void OnMediaTitle(const char* utf8) = 0;
    virtual void OnFileLoaded() = 0;
    // A seek began; several may begin before playback goes on.
    virtual void OnSeekStarted() = 0;
    // Playback goes on after a seek or after the start of a file.
    virtual void OnPlaybackRestarted() = 0;
    // The file being loaded or played could not be played (the engine's error ending).
    virtual void OnFileFailed() {}
};
