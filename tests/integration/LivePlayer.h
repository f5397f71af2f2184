#pragma once

#include <gtest/gtest.h>

#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "Xdo.h"
#include "engine/EngineApi.h"

class CControlUI;
class CMenuWnd;
class PlayerWindow;
class SettingsStore;

namespace integration {

// A subtitle track as the engine lists it in its whole "track-list" property, read here on
// its own rather than through the player's track reader, so that the two can be compared.
struct EngineTrack {
    std::int64_t id = 0;
    QString lang;
    QString title;
};

// Base of the tests that drive a real PlayerWindow on the real engine: it is built the way
// the program's start-up builds it, with its own settings folder, and is shown on the
// private display. Controls are clicked through the window's own mouse messages.
class LivePlayerTest : public ::testing::Test {
  protected:
    // Out of line: the window and the store are only declared here.
    LivePlayerTest();
    ~LivePlayerTest() override;

    void SetUp() override;
    void TearDown() override;

    // Opens `path` and waits until the engine plays it and time has moved on. Use with
    // ASSERT_NO_FATAL_FAILURE.
    void openAndAwaitPlaying(const QString& path);

    CControlUI* control(const char* name);
    // A press and release at the middle of the main window's control `name`.
    void click(const char* name);
    // A press and release at the middle of the menu's item `index`.
    void clickItem(CMenuWnd& menu, int index);

    // The menus that are open now, in the order they were made.
    static std::vector<CMenuWnd*> openMenus();

    // Engine properties through the loaded library, as the engine reports them.
    std::optional<QString> engineString(const char* name) const;
    std::optional<double> engineDouble(const char* name) const;
    std::vector<EngineTrack> engineSubtitleTracks() const;

    // Where the main window's video area lies on the screen.
    QRect videoAreaOnScreen() const;
    // Waits until the X server shows no menu window any more; a menu closed in the toolkit
    // still shows until its window is gone there, and would cover what is under it.
    bool awaitMenusGoneFromScreen();

    QString artifactDir_;
    QTemporaryDir settingsDir_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<PlayerWindow> window_;
    // xdotool on this process's display, to see the windows as the X server has them.
    std::unique_ptr<e2e::Xdo> xdo_;
};

inline std::string str(const QString& text) { return text.toStdString(); }

}  // namespace integration
