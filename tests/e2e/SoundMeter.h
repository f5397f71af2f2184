#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

#include "HelperProcess.h"

namespace e2e {

// Hears what the player plays: records the monitor of a SoundServer's null sink with
// parec and measures each tenth of a second as it arrives by its peak, the largest sample
// magnitude of 16-bit mono. The engine's volume scales the samples (by the cube of the
// volume percentage, as libmpv's volume curve is cubic) and mute makes them zero, so the
// peaks show the volume and mute the engine really applies.
class SoundMeter : public HelperProcess {
  public:
    // Samples per measured block: 100 ms at 48 kHz.
    static constexpr int kRate = 48000;
    static constexpr int kBlockSamples = kRate / 10;

    // `runtimeDir` is the one the sound server listens in; parec's own messages go to
    // `logFile`.
    SoundMeter(QString runtimeDir, QString logFile);

    // Starts recording; what played before is not heard.
    bool start(QString* error);

    // Measures blocks in the order they were played until the peak of one meets
    // `condition`, and returns that peak; nothing if none did within `bound`.
    std::optional<int> awaitPeak(const std::function<bool(int peak)>& condition,
                                 std::chrono::milliseconds bound);
    // The loudest of the next `blocks` blocks; nothing if they did not arrive within
    // `bound`.
    std::optional<int> loudestOf(int blocks, std::chrono::milliseconds bound);

    // The peak of the last block measured, -1 before any; for failure messages.
    int lastPeak() const { return lastPeak_; }

  private:
    // The next block's peak, waiting for it until `deadline`.
    std::optional<int> nextPeak(std::chrono::steady_clock::time_point deadline);

    QString runtimeDir_;
    QByteArray pending_;
    int lastPeak_ = -1;
};

}  // namespace e2e
