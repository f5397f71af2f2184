#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "HelperProcess.h"

namespace e2e {

// A private D-Bus session bus, as dbus-run-session gives one: the player, the desktop
// services that stand in for the real ones and the tools that drive them (playerctl,
// dbus-send, gdbus) all meet on it, and nothing reaches the machine's own session.
class SessionBus : public HelperProcess {
  public:
    explicit SessionBus(QString logFile) : HelperProcess(std::move(logFile)) {}

    // Starts the bus and learns its address; false with `error` set if it did not come up.
    bool start(QString* error, std::chrono::milliseconds bound = std::chrono::seconds(10));
    const QString& address() const { return address_; }
    // The machine's environment with this bus as the session bus.
    QProcessEnvironment env() const;

    // Runs `program` with `arguments` on this bus and returns what it printed on standard
    // output, trimmed; `ok` tells whether it ended by itself with status 0 in time.
    // `display` names an X display for it, if it needs one.
    QString run(const QString& program, const QStringList& arguments, bool* ok = nullptr,
                const QString& display = QString()) const;

    // What a screen reader does when it starts: tells the applications on this bus that
    // accessibility is on. False if the accessibility bus did not start.
    bool enableAccessibility() const;

  private:
    QString address_;
    // The bus's own runtime folder: the services it starts keep their sockets there (the
    // accessibility bus's is named by it alone), so buses of tests that run side by side
    // never take each other's.
    QTemporaryDir runtimeDir_;
};

// Starts a bus for one test into `bus`, logging into `artifactDir`; a fatal failure of the
// test if it did not come up.
void StartSessionBus(const QString& artifactDir, std::unique_ptr<SessionBus>* bus);

}  // namespace e2e
