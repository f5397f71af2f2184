#pragma once

#include <gtest/gtest.h>

#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

#include "PlayerProcess.h"
#include "Screen.h"
#include "WindowManager.h"
#include "XServer.h"
#include "Xdo.h"

namespace e2e {

// Base of every end-to-end test: a private X server, the tools to drive and watch it and
// a folder for the test's screenshots and logs under the build tree. The folder is
// removed when the test passes and kept when it fails. There is no window manager unless
// the fixture asks for one.
class Session : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A player process for this display; start it with player->start(...).
    void preparePlayer();

    // Where windows are placed and maximised: the window manager's work area, or the whole
    // screen without one.
    QRect workArea() const;

    // Set in a fixture's constructor: openbox runs on the display from before anything
    // else starts, with `reservedBottom_` pixels at the bottom kept out of its work area.
    bool withWindowManager_ = false;
    int reservedBottom_ = 0;

    QString artifactDir_;
    std::unique_ptr<XServer> server_;
    std::unique_ptr<WindowManager> windowManager_;
    std::unique_ptr<Xdo> xdo_;
    std::unique_ptr<Screen> screen_;
    std::unique_ptr<PlayerProcess> player_;
};

// Tests of the main window, which launch() starts and awaits.
class MainWindowTest : public Session {
  protected:
    // Starts the player with `arguments`, waits for its window and its first paint.
    // The window is found by its caption, which becomes the media title once a file has
    // loaded. Use with ASSERT_NO_FATAL_FAILURE.
    void launch(const QStringList& arguments = {},
                const QString& captionRegex = QStringLiteral("^MoviraPlayer$"));

    // Re-reads the window's geometry from the X server.
    QRect currentGeometry();

    QPoint toScreen(QPoint windowPos) const { return windowPos + geometry_.topLeft(); }
    QRect toScreen(const QRect& windowRect) const {
        return windowRect.translated(geometry_.topLeft());
    }

    // Presses the left button at `from` (window coordinates), moves in a few steps by
    // `delta` and releases, like a user dragging.
    void drag(QPoint from, QPoint delta);

    WindowId window_ = 0;
    QRect geometry_;  // as last read
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
