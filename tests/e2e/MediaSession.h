#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "Media.h"
#include "Session.h"
#include "SizedLayout.h"
#include "SoundServer.h"

namespace e2e {

// Base of the tests that play media: a player prepared with its own sound server (a null
// sink, so that sound paces playback as it does for a user), started and restarted by the
// test, and ways to tell from screenshots whether it plays.
class MediaTest : public Session {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the player (again) with `arguments` and waits until its window is captioned
    // `caption`, stands at `geometry` and shows both bars. Use with ASSERT_NO_FATAL_FAILURE.
    void startPlayer(const QStringList& arguments, const QString& caption, const QRect& geometry);
    void startWith(const media::Clip& clip, const QRect& geometry) {
        startPlayer({media::path(clip)}, media::title(clip), geometry);
    }
    // The waiting part of startPlayer: for a window that changes on its own, e.g. when a
    // dropped file loads.
    void awaitWindow(const QString& caption, const QRect& geometry);

    QRect onScreen(const QRect& windowRect) const {
        return windowRect.translated(geometry_.topLeft());
    }
    QPoint onScreen(QPoint windowPos) const { return windowPos + geometry_.topLeft(); }
    QSize size() const { return geometry_.size(); }
    QRect videoArea() const { return onScreen(sized::video(size())); }

    // Waits until the picture changes from one screenshot to the next and the play button
    // shows the pause bars. `also` adds a condition of the test's own; it sees every
    // screenshot taken. Returns the screenshot that met them all, or a null image on
    // failure; the last screenshot taken is kept in lastShot_ either way.
    QImage awaitPlaying(const QString& label, const std::function<bool(const QImage&)>& also = {});
    // Waits until two screenshots in a row show the same picture and the play button shows
    // the play triangle. Returns the second of them (null on failure).
    QImage awaitPaused(const QString& label, const std::function<bool(const QImage&)>& also = {});
    // Waits until `rect` is the same in two screenshots in a row, whatever else shows.
    QImage awaitStill(const QString& label, const QRect& rect);

    // Gives the window the keyboard focus, then presses `keysym`.
    void pressKey(const QString& keysym);
    void clickAt(QPoint windowPos);
    // Clicks the close button and expects the process to end with success.
    void closeWithButton();
    // Expects the process to end, by itself or after a request, with exit code 0.
    void expectCleanExit();

    std::unique_ptr<SoundServer> sound_;
    QImage lastShot_;
    WindowId window_ = 0;
    QRect geometry_;
};

// `text` as a literal inside an extended regular expression, as xdotool takes them.
QString literalRegex(const QString& text);

}  // namespace e2e
