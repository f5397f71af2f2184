#pragma once

// What the window does with the engine's events; DrainEngineEvents calls it on the UI
// thread. Strings and values are only valid during the call.
class EngineEventSink {
  public:
    virtual ~EngineEventSink() = default;

    virtual void OnTimePos(double seconds) = 0;
    virtual void OnDuration(double seconds) = 0;
    // The pause flag changed; the receiver asks the engine for the whole play state, since
    // the flag alone cannot tell a pause from the end of the file.
    virtual void OnPause() = 0;
    virtual void OnMediaTitle(const char* utf8) = 0;
    virtual void OnFileLoaded() = 0;
};
