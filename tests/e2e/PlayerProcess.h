#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <optional>

namespace e2e {

// How a finished player process ended.
struct ExitResult {
    bool crashed = false;  // killed by a signal; `code` is then meaningless
    int code = 0;
};

// The built player, run on a given X display with a fresh HOME, XDG_CONFIG_HOME and
// runtime directory, so that nothing of the user's (or of another test's) is read or
// written. Output goes to "player.log" in the work directory, kept with the screenshots.
class PlayerProcess {
  public:
    // `workDir` must exist; the sandboxed home and config folders are made inside it.
    PlayerProcess(QString display, QString workDir);
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // Environment changes for the next start(); the defaults give an English interface.
    void setEnv(const QString& name, const QString& value) { env_.insert(name, value); }
    void unsetEnv(const QString& name) { env_.remove(name); }
    // A program that the next start() runs instead, with the player and its arguments
    // after `launcher`'s own, and that runs the player (best by executing it in its own
    // place, so that signals reach it): setpriv to run it as another user, say, or unshare
    // for a mount namespace of its own.
    void setLauncher(const QStringList& launcher) { launcher_ = launcher; }

    bool start(const QStringList& arguments, QString* error);
    bool running() const { return process_.state() != QProcess::NotRunning; }
    // Its process id while it runs (that of the launcher, if one was set).
    qint64 processId() const { return process_.processId(); }
    std::optional<ExitResult> waitForExit(std::chrono::milliseconds bound);
    // Asks the process to end the way a session manager or a terminal would (SIGTERM,
    // SIGINT, SIGHUP); false when it is not running.
    bool sendSignal(int signal);
    void kill();

    QString home() const { return home_; }
    QString configHome() const { return configHome_; }
    // The player's XDG_RUNTIME_DIR, where it looks for the sound server's socket.
    QString runtimeDir() const { return runtimeDir_.path(); }
    // Where the player keeps config.ini and progress.ini.
    QString settingsDir() const { return configHome_ + QStringLiteral("/MoviraPlayer"); }
    QString log() const;

    static QString executable();

  private:
    QString workDir_;
    QString home_;
    QString configHome_;
    QTemporaryDir runtimeDir_;  // short path: sockets live here
    QProcessEnvironment env_;
    QStringList launcher_;
    QProcess process_;
};

}  // namespace e2e
