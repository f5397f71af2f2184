#pragma once

#include <QRect>
#include <QString>
#include <chrono>

#include "HelperProcess.h"

namespace e2e {

// Openbox on a test's display, for the tests that need a real window manager: it
// reparents windows into its frames, places and stacks them, keeps windows above others
// and dialogs above their owners, maximises, and moves and sizes windows for
// _NET_WM_MOVERESIZE. It reads a configuration of its own, written into its HOME, so
// that no user's settings change what is tested: one desktop, new windows focused, a
// press in a window focuses and raises it, no key bindings that could take a key from
// the player.
class WindowManager : public HelperProcess {
  public:
    // `home` is made if missing and becomes openbox's HOME, holding its configuration;
    // its output goes to `logFile`.
    WindowManager(QString display, QString home, QString logFile);

    // Before start(): keeps a band of `pixels` at the bottom of the screen out of the work
    // area, as a task bar would.
    void reserveBottom(int pixels) { reservedBottom_ = pixels; }
    // The work area openbox publishes once started.
    QRect workArea() const;

    // Starts openbox and waits until it has taken the screen: it announces itself on the
    // root window and publishes its work area. False with `error` set if it did not within
    // `bound`.
    bool start(QString* error, std::chrono::milliseconds bound = std::chrono::seconds(15));

  private:
    bool writeConfig(const QString& path, QString* error) const;

    QString display_;
    QString home_;
    int reservedBottom_ = 0;
};

}  // namespace e2e
