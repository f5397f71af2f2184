// Pausing and resuming with Space and with clicks on the picture, the double click on the
// video area, which asks for a file only while none is open, and the keys and the wheel
// that seek and set the volume.
#include <cmath>

#include "MediaSession.h"
#include "Picture.h"

namespace e2e {
namespace {

using InputTest = MediaTest;

constexpr double kLongSeconds = 90.0;
// The long clip has a key frame every second, where a relative seek may land.
constexpr double kKeyFrameSlack = 1.5 / kLongSeconds;
// Half a pixel of the volume thumb's 62 px travel.
constexpr double kVolumeSlack = 0.5 / 62;

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

TEST_F(InputTest, ArrowKeysSeekAndStepTheVolumeMMutesAndTheWheelOverThePictureSetsTheVolume) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kLong, media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());
    ASSERT_NO_FATAL_FAILURE(restPointer());
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    const auto start = picture::progress(awaitPaused(QStringLiteral("paused")), slider());
    ASSERT_TRUE(start.has_value()) << "not paused, or no progress thumb";

    // Paused, Right moves 5 s on and Left 5 s back.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Right")));
    EXPECT_FALSE(awaitPausedAt(QStringLiteral("right"), *start + 5.5 / kLongSeconds, kKeyFrameSlack)
                     .isNull());
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Left")));
    EXPECT_FALSE(awaitPausedAt(QStringLiteral("left"), *start, kKeyFrameSlack).isNull());

    // From the full volume of a first start: three steps down and one up, then M mutes.
    const QRect volume = onScreen(sized::volumeSlider(size()));
    const auto volumeAt = [&](int value) {
        return [&volume, value](const QImage& image) {
            const auto at = picture::progress(image, volume);
            return at && std::abs(*at - sized::volumeThumb(value)) <= kVolumeSlack;
        };
    };
    for (const char* key : {"Down", "Down", "Down", "Up"})
        ASSERT_NO_FATAL_FAILURE(pressKey(QString::fromLatin1(key)));
    EXPECT_FALSE(awaitPaused(QStringLiteral("keys-volume"), volumeAt(90)).isNull());
    const QRect button = sized::volumeButton(size());
    const QImage unmuted = screen_->grab(QStringLiteral("unmuted"));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("m")));
    EXPECT_TRUE(awaitLook(QStringLiteral("m-muted"), button, unmuted, false));

    // A notch down over the control bar does nothing. Over the picture two notches down and
    // one up take the volume to 85 and end the mute, as a move of the slider does.
    ASSERT_TRUE(xdo_->click(5)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseMove(onScreen(sized::video(size()).center()))) << str(xdo_->lastError());
    for (const int notch : {5, 5, 4}) ASSERT_TRUE(xdo_->click(notch)) << str(xdo_->lastError());
    ASSERT_NO_FATAL_FAILURE(restPointer());
    EXPECT_FALSE(awaitPaused(QStringLiteral("wheel-volume"), volumeAt(85)).isNull());
    EXPECT_TRUE(awaitLook(QStringLiteral("wheel-unmuted"), button, unmuted, true));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("m")));
    EXPECT_TRUE(awaitLook(QStringLiteral("m-muted-again"), button, unmuted, false));

    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    EXPECT_EQ(savedSetting(QStringLiteral("Volume")), QStringLiteral("85.0"));
    EXPECT_EQ(savedSetting(QStringLiteral("Mute")), QStringLiteral("1"));
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
