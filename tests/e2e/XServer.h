#pragma once

#include <QRect>
#include <QString>
#include <chrono>
#include <utility>

#include "HelperProcess.h"

namespace e2e {

// A private Xvfb for one test. It picks a free display itself (-displayfd), so tests can
// run side by side, and it accepts local clients without any authorisation cookie.
class XServer : public HelperProcess {
  public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 800;
    static constexpr QRect kScreen{0, 0, kWidth, kHeight};

    // `logFile` receives the server's own output.
    explicit XServer(QString logFile) : HelperProcess(std::move(logFile)) {}

    // Starts the server and waits until it accepts connections; false with `error` set if
    // it did not within `bound`.
    bool start(QString* error, std::chrono::milliseconds bound = std::chrono::seconds(15));

    // ":N", valid after start().
    QString display() const { return display_; }

  private:
    QString display_;
};

}  // namespace e2e
