#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>

#include "CaseName.h"
#include "Desktop.h"
#include "PlayerProcess.h"
#include "Poll.h"
#include "Screen.h"
#include "WindowManager.h"
#include "WindowWatcher.h"
#include "XServer.h"
#include "Xdo.h"

namespace e2e {

// Base of every end-to-end test: a private X server, the tools to drive and watch it and
// a folder for the test's screenshots and logs under the build tree. The folder is
// removed when the test passes and kept when it fails. There is no window manager unless
// the fixture's desktop has one. The helpers that check something are used with
// ASSERT_NO_FATAL_FAILURE.
class Session : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A player process for this display; start it with player->start(...).
    void preparePlayer();
    // Records every window shown on the display from now on in watcher_; a failed test
    // prints the record.
    void watchWindows();

    // Where windows are placed and maximised: the window manager's work area, or the whole
    // screen without one.
    QRect workArea() const;
    // Where the player puts a window of `size`: centred on the work area.
    QRect centred(QSize size) const { return centredIn(workArea(), size); }

    // The player's window, window_, where it stood when geometry_ was last read.
    QRect onScreen(const QRect& windowRect) const {
        return windowRect.translated(geometry_.topLeft());
    }
    QPoint onScreen(QPoint windowPos) const { return windowPos + geometry_.topLeft(); }
    QSize size() const { return geometry_.size(); }
    // Reads geometry_ again from the X server; it keeps the last value when that fails.
    QRect refreshGeometry();
    // Waits until the window stands at `expected`; false if it did not within `bound`,
    // with geometry_ holding where it stood last.
    bool awaitGeometry(const QRect& expected, std::chrono::milliseconds bound = 10s);

    // Waits until each of `areas` (on the screen) is all `colour`. Returns what the last
    // screenshot showed in those that were not, empty once all were; `last` receives it.
    QString awaitUniform(const QString& label, const QList<QRect>& areas, QRgb colour,
                         std::chrono::milliseconds bound, QImage* last = nullptr);

    // Waits for the one visible window whose caption matches `regex` and tells which it
    // is and where it stands (either may be null).
    void awaitOnlyWindow(const QString& regex, std::chrono::milliseconds bound, WindowId* window,
                         QRect* rect = nullptr);
    // Waits until no visible window's caption matches `regex`; false if one still does.
    bool awaitNoWindow(const QString& regex);

    // Moves the pointer to `screenPos` and clicks the left button there.
    void clickScreen(QPoint screenPos);
    // Presses the left button at `from` and moves to `to` in `steps` steps with the button
    // down, like a hand (screen coordinates).
    void pressAndMove(QPoint from, QPoint to, int steps);
    // Expects the player process to end, by itself or after a request, with exit code
    // `code` and not by a signal.
    void expectExit(int code = 0);

    // Set in a fixture's constructor: what runs on the display from before anything else
    // starts.
    Desktop desktop_ = kBare;

    QString artifactDir_;
    std::unique_ptr<XServer> server_;
    std::unique_ptr<WindowManager> windowManager_;
    std::unique_ptr<Xdo> xdo_;
    std::unique_ptr<Screen> screen_;
    std::unique_ptr<PlayerProcess> player_;
    WindowWatcher watcher_;
    WindowId window_ = 0;
    QRect geometry_;  // as last read
};

// Tests of the main window, which launch() starts and awaits.
class MainWindowTest : public Session {
  protected:
    // Starts the player with `arguments`, waits for its window and its first paint.
    // The window is found by its caption, which becomes the media title once a file has
    // loaded.
    void launch(const QStringList& arguments = {},
                const QString& captionRegex = QStringLiteral("^MoviraPlayer$"));

    // Re-reads the window's geometry from the X server, expecting that it can.
    QRect currentGeometry();

    // Presses the left button at `from` (window coordinates), moves in a few steps by
    // `delta` and releases, like a user dragging.
    void drag(QPoint from, QPoint delta);
};

// gtest prints QStrings as byte arrays otherwise.
inline std::string str(const QString& text) { return text.toStdString(); }

}  // namespace e2e

// Readable geometry in gtest messages, found by argument-dependent lookup.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << "," << p.y() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y();
}
QT_END_NAMESPACE
