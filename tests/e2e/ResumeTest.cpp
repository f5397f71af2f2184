// A file remembers where it was left between runs: past 5 seconds it reopens there,
// paused; nearer the start it plays from the beginning again. The position travels
// through progress.ini, which is read here as the player left it.
#include <QRegularExpression>
#include <cmath>
#include <csignal>

#include "MediaSession.h"
#include "Picture.h"
#include "Poll.h"
#include "SettingsFiles.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

class ResumeTest : public MediaTest {
  protected:
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
        ASSERT_NO_FATAL_FAILURE(expectCleanExit());
    }

    QRect slider() const { return onScreen(sized::progressSlider(size())); }
};

// How the slider shows a position of the 30 s clip, and how far a reading may be off: a
// pixel of the 840 px slider is about 0.04 s.
constexpr double kClipSeconds = 30.0;
constexpr double kSliderSlack = 0.01;

TEST_F(ResumeTest, ReopensPausedWhereItWasLeftUnlessThatWasNearTheStart) {
    const QString file = media::path(media::kBars);

    // First run: no position is known, so it plays from the start. Let it play past 40 %
    // (12 s), pause it, note where the slider stands and end the process.
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("first-run-playing")).isNull());
    // A look every half second is plenty for a wait of seconds, and leaves the machine to
    // the player.
    QImage last;
    const bool farEnough = pollUntil(
        [&] {
            last = screen_->grab(QStringLiteral("first-run-progress"));
            return !last.isNull() && picture::progress(last, slider()).value_or(0) >= 0.4;
        },
        60s, 500ms);
    ASSERT_TRUE(farEnough) << "the slider stopped at "
                           << picture::progress(last, slider()).value_or(-1);
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
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
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
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    const QImage again = awaitPlaying(QStringLiteral("third-run-playing"));
    ASSERT_FALSE(again.isNull());
    EXPECT_LT(picture::progress(again, slider()).value_or(1), *left - 0.1)
        << "it went on from the first run's position";
}

}  // namespace
}  // namespace e2e
