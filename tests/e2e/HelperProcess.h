#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <utility>

#include "Poll.h"

namespace e2e {

// A program a test runs beside the player (a server, a window manager, another client),
// its output kept in a log file with the test's screenshots. It is ended with its object,
// the polite way first: SIGTERM, then SIGKILL if it does not go. Header only, as the
// integration tests build the servers of this harness without the rest of it.
class HelperProcess {
  public:
    // What the program prints goes to `logFile`, appended.
    explicit HelperProcess(QString logFile) : logFile_(std::move(logFile)) {}
    ~HelperProcess() { stop(); }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // Whether standard output goes to the log with standard error, or stays for the owner
    // to read.
    enum class Output { Log, Read };

    // Starts `program` in `env`; false with `error` set if it did not start within `bound`.
    bool launch(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& env, std::chrono::milliseconds bound, QString* error,
                Output output = Output::Log) {
        process_.setProcessEnvironment(env);
        if (output == Output::Log) {
            process_.setProcessChannelMode(QProcess::MergedChannels);
            process_.setStandardOutputFile(logFile_, QIODevice::Append);
        } else {
            process_.setStandardErrorFile(logFile_, QIODevice::Append);
        }
        process_.start(program, arguments);
        if (!process_.waitForStarted(static_cast<int>(bound.count()))) {
            *error = QStringLiteral("cannot start %1: %2").arg(program, process_.errorString());
            return false;
        }
        return true;
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // This process's environment for a client of the test's X server `display`, which
    // takes local clients without an authorisation cookie.
    static QProcessEnvironment onDisplay(const QString& display) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("XAUTHORITY"));
        return env;
    }

  protected:
    // Waits until `ready` holds while the program runs. Otherwise, once `bound` has passed
    // or the program has ended, stops it and returns false with `error` saying that it
    // `failed` and where its log is.
    bool awaitReady(const std::function<bool()>& ready, std::chrono::milliseconds bound,
                    const QString& failed, QString* error,
                    std::chrono::milliseconds interval = 20ms) {
        const auto ended = [&] { return process_.state() == QProcess::NotRunning; };
        pollUntil([&] { return ended() || ready(); }, bound, interval);
        if (!ended() && ready()) return true;
        *error = QStringLiteral("%1 %2; see %3").arg(process_.program(), failed, logFile_);
        stop();
        return false;
    }

    QString logFile_;
    QProcess process_;
};

}  // namespace e2e
