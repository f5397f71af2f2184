#pragma once

#include <QProcess>
#include <QString>
#include <chrono>

namespace e2e {

// A private Xvfb for one test. It picks a free display itself (-displayfd), so tests can
// run side by side, and it accepts local clients without any authorisation cookie.
class XServer {
  public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 800;

    // `logFile` receives the server's own output.
    explicit XServer(QString logFile);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Starts the server and waits until it accepts connections; false with `error` set if
    // it did not within `bound`.
    bool start(QString* error, std::chrono::milliseconds bound = std::chrono::seconds(15));
    void stop();

    // ":N", valid after start().
    QString display() const { return display_; }

  private:
    QString logFile_;
    QString display_;
    QProcess process_;
};

}  // namespace e2e
