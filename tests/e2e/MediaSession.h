#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "Desktop.h"
#include "DragSourceProcess.h"
#include "Media.h"
#include "Session.h"
#include "SoundServer.h"
#include "WindowParts.h"

namespace e2e {

// Base of the tests that play media: a player prepared with its own sound server (a null
// sink, so that sound paces playback as it does for a user), started and restarted by the
// test, and ways to tell from screenshots whether it plays.
class MediaTest : public Session {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the player (again) with `arguments` and waits until its window is captioned
    // `caption`, stands at `geometry` and shows both bars.
    void startPlayer(const QStringList& arguments, const QString& caption, const QRect& geometry);
    void startWith(const media::Clip& clip, const QRect& geometry) {
        startPlayer({media::path(clip)}, media::title(clip), geometry);
    }
    // The waiting part of startPlayer: for a window that changes on its own, e.g. when a
    // dropped file loads.
    void awaitWindow(const QString& caption, const QRect& geometry);
    // The waiting once the window is known: until it stands at `geometry` and shows both
    // bars painted at that size, or only the control bar without `titleBar`.
    void awaitPlaced(const QRect& geometry, bool titleBar = true);

    QRect videoArea() const { return onScreen(sized::video(size())); }
    QRect slider() const { return onScreen(sized::progressSlider(size())); }
    // The progress slider's thumb centre on the screen when it stands at `fraction` of the
    // clip: where a press seeks to that place.
    QPoint sliderPoint(double fraction) const;

    // Waits until the picture changes from one screenshot to the next and the play button
    // shows the pause bars. `also` adds a condition of the test's own; it sees every
    // screenshot taken. Returns the screenshot that met them all, or a null image on
    // failure; the last screenshot taken is kept in lastShot_ either way.
    QImage awaitPlaying(const QString& label, const std::function<bool(const QImage&)>& also = {}) {
        return awaitPlayback(label, true, also);
    }
    // Waits until two screenshots in a row show the same picture and the play button shows
    // the play triangle. Returns the second of them (null on failure).
    QImage awaitPaused(const QString& label, const std::function<bool(const QImage&)>& also = {}) {
        return awaitPlayback(label, false, also);
    }
    // awaitPaused with the progress slider within `slack` of `place` (0 to 1 of the clip).
    QImage awaitPausedAt(const QString& label, double place, double slack);
    // Waits until `rect` is the same in two screenshots in a row, whatever else shows.
    QImage awaitStill(const QString& label, const QRect& rect);
    // Waits until the control at `rect` (window coordinates) looks as in `reference`, or
    // with `same` false, until it no longer does.
    bool awaitLook(const QString& label, const QRect& rect, const QImage& reference, bool same);

    // Gives the window the keyboard focus, then presses `keysym`.
    void pressKey(const QString& keysym);
    void clickAt(QPoint windowPos) { clickScreen(onScreen(windowPos)); }
    // Rests the pointer on bare control-bar space, so that screenshots show no hover look
    // and no tooltip.
    void restPointer();
    // Clicks at `windowPos`, or in the middle of the control at `rect`, then rests the
    // pointer.
    void press(QPoint windowPos);
    void press(const QRect& rect) { press(rect.center()); }
    // Clicks the close button and expects the process to end with success.
    void closeWithButton();

    // Writes the settings file `name` (config.ini, progress.ini) before the player starts.
    void seedSettings(const QString& name, const QByteArray& bytes);
    // A value of config.ini's [Settings] as the player left it: the exact text, or
    // "<no config.ini>" / "<missing>".
    QString savedSetting(const QString& key) const;

    // Starts the drag source with `files`, its window at `where` on the screen, and waits
    // for that window.
    void startDragSource(const QStringList& files, QPoint where);
    // Lets the button go at `to` on the screen after a last small move, which makes sure
    // the player has answered for the final place.
    void dropAt(QPoint to);

    std::unique_ptr<SoundServer> sound_;
    std::unique_ptr<DragSourceProcess> dragSource_;
    WindowId dragSourceWindow_ = 0;
    QImage lastShot_;

  private:
    // awaitPlaying, or awaitPaused without `playing`.
    QImage awaitPlayback(const QString& label, bool playing,
                         const std::function<bool(const QImage&)>& also);
    // Grabs until a screenshot meets `condition`, which also gets how many pixels of `rect`
    // changed since the screenshot before (-1 for the first); `moved` keeps the last count.
    std::optional<QImage> awaitMotion(const QString& label, const QRect& rect,
                                      const std::function<bool(int, const QImage&)>& condition,
                                      int* moved);
};

// Media tests run on each desktop of their parameter.
class MediaOnDesktopTest : public MediaTest, public ::testing::WithParamInterface<Desktop> {
  protected:
    MediaOnDesktopTest() { desktop_ = GetParam(); }
};

// `text` as a literal inside an extended regular expression, as xdotool takes them.
QString literalRegex(const QString& text);

}  // namespace e2e
