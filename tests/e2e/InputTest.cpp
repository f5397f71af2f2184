// Pausing and resuming with Space and with clicks on the picture, and the double click on
// the video area, which asks for a file only while none is open.
#include "MediaSession.h"

namespace e2e {
namespace {

using InputTest = MediaTest;

TEST_F(InputTest, SpaceAndClicksOnThePictureTogglePause) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());

    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    ASSERT_FALSE(awaitPaused(QStringLiteral("space-paused")).isNull());
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("space-resumed")).isNull());

    const QPoint onPicture = sized::video(size()).center();
    ASSERT_NO_FATAL_FAILURE(clickAt(onPicture));
    ASSERT_FALSE(awaitPaused(QStringLiteral("click-paused")).isNull());
    ASSERT_NO_FATAL_FAILURE(clickAt(onPicture));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("click-resumed")).isNull());

    // With a file open a double click is two clicks: it pauses and resumes, and asks for no
    // file. Had it toggled an odd number of times, the Space after it would resume instead
    // of pausing; had it opened the file dialog, that would take the Space.
    ASSERT_TRUE(xdo_->doubleClick()) << str(xdo_->lastError());
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    ASSERT_FALSE(awaitPaused(QStringLiteral("double-click-then-space")).isNull());
    EXPECT_EQ(xdo_->visibleWindows(QStringLiteral(".")).size(), 1u)
        << "another window is open beside the player";
}

TEST_F(InputTest, DoubleClickWithoutAFileAsksForOne) {
    ASSERT_NO_FATAL_FAILURE(startPlayer({}, QStringLiteral("MoviraPlayer"), media::kEmptyWindow));
    ASSERT_TRUE(xdo_->mouseMove(onScreen(sized::video(size()).center()))) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->doubleClick()) << str(xdo_->lastError());

    // Qt's own file dialog, captioned for opening a file.
    WindowId dialog = 0;
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^Open$"), 20s, &dialog));
    screen_->grab(QStringLiteral("dialog"));

    // Cancelled, it goes away and leaves the empty player as it was.
    ASSERT_TRUE(xdo_->focus(dialog)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->key(QStringLiteral("Escape"))) << str(xdo_->lastError());
    EXPECT_TRUE(awaitNoWindow(QStringLiteral("^Open$"))) << "the dialog stayed after Escape";
    EXPECT_TRUE(player_->running());
    EXPECT_EQ(xdo_->windowName(window_), QStringLiteral("MoviraPlayer"));
    EXPECT_EQ(xdo_->geometry(window_), media::kEmptyWindow);
}

}  // namespace
}  // namespace e2e
