#pragma once

#include <QString>
#include <chrono>

#include "HelperProcess.h"

namespace e2e {

// A private PulseAudio server whose only output is a null sink, listening in a player's
// runtime folder, where that player looks for it. It gives the engine a real audio output
// and therefore real pacing: without one an audio-only file does not play at all.
class SoundServer : public HelperProcess {
  public:
    // `runtimeDir` and `home` are the player's; `logFile` receives the server's output.
    SoundServer(QString runtimeDir, QString home, QString logFile);

    // Starts the server and waits until its socket accepts clients; false with `error` set
    // if it did not within `bound`.
    bool start(QString* error, std::chrono::milliseconds bound = std::chrono::seconds(15));

  private:
    QString runtimeDir_;
    QString home_;
};

}  // namespace e2e
