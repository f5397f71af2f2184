#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include "MediaSession.h"

namespace e2e {

// Base of the tests that hand the player input it cannot play or places it cannot write.
// Before the player starts, config.ini holds settings of the user's (and a key of their
// own); every window shown on the display is recorded. What each test then expects of the
// player: it stays alive and answers clicks, ends with exit code 0 when closed, tells the
// user nothing (shows no window but its own, tooltips aside) and keeps the settings.
class BadInputTest : public MediaTest {
  protected:
    void SetUp() override;

    // The config.ini written before the player starts.
    static const QByteArray kSeededConfig;

    // Starts the player with `arguments` and waits until its main window, the first window
    // it shows whatever its caption, stands at `geometry` and is painted. Use with
    // ASSERT_NO_FATAL_FAILURE.
    void startAndAwaitMain(const QStringList& arguments, const QRect& geometry);
    // Clicks the volume button twice with the pointer moved away after each click: the
    // button must show the muted look and then its first look again. Proves that the
    // window still takes input and repaints.
    void expectAnswersClicks();
    // Closes the window with its button and expects exit code 0.
    void closeAndExpectCleanExit();
    // config.ini still holds every seeded setting.
    void expectSettingsKept();
    // The windows shown so far other than the main window, tooltips and those the test
    // expects: by id, or by name for another program's windows.
    QStringList otherWindowsShown(const std::vector<WindowId>& allowed = {},
                                  const QStringList& allowedNames = {}) const;

    // Makes the next start run the player as the unprivileged user "nobody", whose home
    // and settings folder become its own. False (the test should skip) unless this process
    // may switch users.
    bool runAsNobody();

    QString inputs_;  // where a test makes its files, outside the player's home
};

}  // namespace e2e
