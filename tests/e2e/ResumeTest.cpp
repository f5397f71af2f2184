// A file remembers where it was left between runs: past 5 seconds it reopens there,
// paused; nearer the start, or after the stop button, it plays from the beginning again.
// The position travels through progress.ini, which is read here as the player left it.
// On the bare X server and under openbox.
#include <QRegularExpression>
#include <cmath>
#include <csignal>

#include "MediaSession.h"
#include "Picture.h"
#include "SettingsFiles.h"

namespace e2e {
namespace {

class ResumeTest : public MediaOnDesktopTest {
  protected:
    // Starts the player on the 30 s clip and waits for its fitted window.
    void start() { startWith(media::kBars, centred(media::kBarsWindow.size())); }

    // The position progress.ini holds for `file`, as written.
    QString savedProgress(const QString& file) {
        const auto ini = IniText::load(player_->settingsDir() + QStringLiteral("/progress.ini"));
        EXPECT_TRUE(ini.has_value()) << "no progress.ini";
        if (!ini) return {};
        const auto value = ini->value(resumeKey(file), QStringLiteral("progress"));
        EXPECT_TRUE(value.has_value())
            << "no progress for " << str(file) << " under " << str(resumeKey(file)) << " in\n"
            << str(ini->text());
        return value.value_or(QString());
    }

    // Ends the player as a session manager would; that is a normal close too.
    void terminate() {
        ASSERT_TRUE(player_->sendSignal(SIGTERM)) << "the player is not running";
        ASSERT_NO_FATAL_FAILURE(expectExit());
    }

    // Lets the clip play until the slider's thumb stands at `fraction` or beyond; a look
    // every half second is plenty for a wait of seconds, and leaves the machine to the
    // player.
    void playUntil(const QString& label, double fraction) {
        QImage last;
        const bool farEnough = pollUntil(
            [&] {
                last = screen_->grab(label);
                return !last.isNull() && picture::progress(last, slider()).value_or(0) >= fraction;
            },
            60s, 500ms);
        ASSERT_TRUE(farEnough) << "the slider stopped at "
                               << picture::progress(last, slider()).value_or(-1);
    }
};

// How the slider shows a position of the 30 s clip, and how far a reading may be off: a
// pixel of the 840 px slider is about 0.04 s.
constexpr double kClipSeconds = 30.0;
constexpr double kSliderSlack = 0.01;

TEST_P(ResumeTest, ReopensPausedWhereItWasLeftUnlessThatWasNearTheStart) {
    const QString file = media::path(media::kBars);

    // First run: no position is known, so it plays from the start. Let it play past 40 %
    // (12 s), pause it, note where the slider stands and end the process.
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_FALSE(awaitPlaying(QStringLiteral("first-run-playing")).isNull());
    ASSERT_NO_FATAL_FAILURE(playUntil(QStringLiteral("first-run-progress"), 0.4));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    const QImage paused = awaitPaused(QStringLiteral("first-run-paused"));
    ASSERT_FALSE(paused.isNull());
    const auto left = picture::progress(paused, slider());
    ASSERT_TRUE(left.has_value()) << "no slider thumb";
    ASSERT_NO_FATAL_FAILURE(terminate());

    const QString saved = savedProgress(file);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d{3}$")).match(saved).hasMatch())
        << "progress=" << str(saved);
    EXPECT_NEAR(saved.toDouble(), *left * kClipSeconds, 2 * kSliderSlack * kClipSeconds);

    // Second run: it opens at that position and stays paused. The picture there is the
    // clip's, not a black screen.
    ASSERT_NO_FATAL_FAILURE(start());
    const auto atSavedPlace = [&](const QImage& image) {
        const auto at = picture::progress(image, slider());
        return at && std::abs(*at - *left) <= kSliderSlack;
    };
    const QImage resumed = awaitPaused(QStringLiteral("second-run-resumed"), atSavedPlace);
    ASSERT_FALSE(resumed.isNull())
        << "the slider stands at " << picture::progress(lastShot_, slider()).value_or(-1)
        << ", where the first run left it: " << *left;
    const QRect area = videoArea();
    EXPECT_GE(picture::countColourful(resumed, area), area.width() * area.height() / 4)
        << "the paused picture is not the clip's";

    // Back to the start with the backward button (30 s back from 12 s) and ended there: a
    // position below 5 s is saved as none at all.
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::backwardButton(size()).center()));
    QImage last;
    const auto rewound = screen_->grabUntil(
        QStringLiteral("second-run-rewound"),
        [&](const QImage& image) {
            return picture::progress(image, slider()).value_or(1) <= kSliderSlack;
        },
        20s, &last);
    ASSERT_TRUE(rewound.has_value())
        << "the slider stands at " << picture::progress(last, slider()).value_or(-1);
    ASSERT_NO_FATAL_FAILURE(terminate());
    EXPECT_EQ(str(savedProgress(file)), "0.000");

    // Third run: it plays from the beginning, as with no saved position.
    ASSERT_NO_FATAL_FAILURE(start());
    const QImage again = awaitPlaying(QStringLiteral("third-run-playing"));
    ASSERT_FALSE(again.isNull());
    EXPECT_LT(picture::progress(again, slider()).value_or(1), *left - 0.1)
        << "it went on from the first run's position";
}

INSTANTIATE_TEST_SUITE_P(Desktops, ResumeTest, ::testing::Values(kBare, kOpenbox), CaseName());

// The journey with the window's own buttons: closed with the close button at two thirds
// of the clip, it reopens paused there and plays on from there; stopped with the stop
// button and closed, it starts from the beginning next time.
class ResumeAfterStopTest : public ResumeTest {};

TEST_P(ResumeAfterStopTest, CloseButtonKeepsThePlaceAndTheStopButtonForgetsIt) {
    const QString file = media::path(media::kBars);

    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_FALSE(awaitPlaying(QStringLiteral("first-run-playing")).isNull());
    ASSERT_NO_FATAL_FAILURE(playUntil(QStringLiteral("first-run-progress"), 20 / kClipSeconds));
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    // It played on while the click travelled: somewhere past 20 s, short of the end.
    const double saved = savedProgress(file).toDouble();
    EXPECT_GE(saved, 20 - 2 * kSliderSlack * kClipSeconds);
    EXPECT_LT(saved, kClipSeconds - 1);

    // Reopened: paused at that place, on the clip's picture.
    ASSERT_NO_FATAL_FAILURE(start());
    const double place = saved / kClipSeconds;
    const QImage resumed =
        awaitPausedAt(QStringLiteral("second-run-resumed"), place, 2 * kSliderSlack);
    ASSERT_FALSE(resumed.isNull())
        << "the slider stands at " << picture::progress(lastShot_, slider()).value_or(-1)
        << ", where the first run left it: " << place;
    const QRect area = videoArea();
    EXPECT_GE(picture::countColourful(resumed, area), area.width() * area.height() / 4)
        << "the paused picture is not the clip's";

    // The play button plays on from there, not from the start.
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::playButton(size()).center()));
    const QImage playing = awaitPlaying(QStringLiteral("second-run-playing"));
    ASSERT_FALSE(playing.isNull());
    EXPECT_GE(picture::progress(playing, slider()).value_or(0), place - 2 * kSliderSlack)
        << "it played from elsewhere than where it resumed";

    // The stop button: the thumb goes back to the start, the picture goes, the play
    // button shows the play triangle.
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::stopButton(size()).center()));
    const QRect button = onScreen(sized::playButton(size()));
    QImage last;
    const auto stopped = screen_->grabUntil(
        QStringLiteral("second-run-stopped"),
        [&](const QImage& image) {
            return picture::progress(image, slider()).value_or(1) <= kSliderSlack &&
                   picture::playLook(image, button) == picture::PlayLook::Play &&
                   picture::countColourful(image, area) == 0;
        },
        20s, &last);
    ASSERT_TRUE(stopped.has_value())
        << "the slider stands at " << picture::progress(last, slider()).value_or(-1) << ", "
        << picture::countColourful(last, area) << " colourful pixels in the video area";
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    EXPECT_EQ(str(savedProgress(file)), "0.000");

    // Third run: from the beginning.
    ASSERT_NO_FATAL_FAILURE(start());
    const QImage again = awaitPlaying(QStringLiteral("third-run-playing"));
    ASSERT_FALSE(again.isNull());
    EXPECT_LT(picture::progress(again, slider()).value_or(1), place / 2)
        << "it went on from the first run's position";
}

INSTANTIATE_TEST_SUITE_P(Desktops, ResumeAfterStopTest, ::testing::Values(kOpenbox), CaseName());

}  // namespace
}  // namespace e2e
