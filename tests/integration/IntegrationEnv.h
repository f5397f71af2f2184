#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <chrono>

// What every integration test shares: where its screenshots and logs go, and how it waits
// for the player, whose work arrives as events of this process's own loop.
namespace integration {

inline QString artifactDir() { return QStringLiteral(MOVIRA_INTEGRATION_ARTIFACTS); }

// Runs the event loop until `done` holds or `bound` has passed; true when it held. The
// engine's wake-ups, posted menu picks and repaints are all delivered here. The bound only
// limits how long a failing test waits.
template <typename Done>
bool awaitEvents(Done&& done, std::chrono::milliseconds bound) {
    const QDeadlineTimer deadline(bound);
    // Wakes the wait below now and then, so that a condition that changes without an event
    // of this thread (the engine runs on its own threads) is still seen.
    QTimer tick;
    tick.start(10);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace integration
