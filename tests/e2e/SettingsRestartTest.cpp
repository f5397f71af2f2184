// The volume and mute a user sets survive a restart: in the exact text the run leaves in
// config.ini and progress.ini, in how the volume controls look when the player starts
// again, and in what the engine plays, heard on the sound server's null sink.
#include <QRegularExpression>
#include <cmath>
#include <memory>

#include "MediaSession.h"
#include "Picture.h"
#include "SettingsFiles.h"
#include "SoundMeter.h"
#include "TestFiles.h"
#include "WindowParts.h"

namespace e2e {
namespace {

constexpr int kVolume = 35;
// The volume slider's thumb travels 62 px (70 less its 8 px); the value follows the
// thumb's centre.
constexpr int kThumb = 8;
constexpr int kTravel = 70 - kThumb;
// libmpv's volume curve is cubic: at 35 % the samples keep 0.35^3 of their size. A step of
// one percent changes that by about 9 %; the tone's peaks vary by 2 % at most.
const double kGain = std::pow(kVolume / 100.0, 3);
constexpr double kGainSlack = 0.05;
// The clip's tone peaks near 4 200 of 32 767 at full volume.
constexpr int kAudible = 1000;
constexpr int kSilence = 2;
// Blocks of 100 ms taken for one measurement.
constexpr int kBlocks = 10;
// Past 5 s of the 30 s clip a position is remembered.
constexpr double kClipSeconds = 30.0;
constexpr double kRemembered = 7.0 / kClipSeconds;

class SettingsRestartTest : public MediaTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MediaTest::SetUp());
        meter_ = std::make_unique<SoundMeter>(player_->runtimeDir(),
                                              artifactDir_ + QStringLiteral("/parec.log"));
    }
    void TearDown() override {
        meter_.reset();
        MediaTest::TearDown();
    }

    // The volume button and slider together, on the screen.
    QRect volumeControls() const {
        return onScreen(sized::volumeButton(size()).united(sized::volumeSlider(size())));
    }

    // The tone, measured over kBlocks blocks once a block meets `first`. Returns the
    // loudest peak of the measurement; -1 when `first` never held or no sound arrived.
    int measure(const std::function<bool(int)>& first) {
        if (!meter_->awaitPeak(first, 20s)) return -1;
        return meter_->loudestOf(kBlocks, 10s).value_or(-1);
    }

    std::unique_ptr<SoundMeter> meter_;
};

TEST_F(SettingsRestartTest, VolumeAndMuteComeBackInTheControlsAndTheEngine) {
    const QString file = media::path(media::kBars);
    const QString folder = player_->settingsDir();
    QString error;

    // First run, at the default full volume.
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("first-run-playing")).isNull());
    ASSERT_TRUE(meter_->start(&error)) << str(error);
    const int full = measure([](int peak) { return peak >= kAudible; });
    ASSERT_GE(full, kAudible) << "the tone was never heard; the last peak was "
                              << meter_->lastPeak();

    // A click on the slider's track where 35 lies: the thumb jumps there and the tone
    // drops to 35 % on the engine's curve.
    const QRect slider = sized::volumeSlider(size());
    const int offset = static_cast<int>(std::lround(kTravel * kVolume / 100.0));
    ASSERT_NO_FATAL_FAILURE(press({slider.left() + kThumb / 2 + offset, slider.center().y()}));
    const double thumbAt = static_cast<double>(offset) / kTravel;
    const auto thumbAtVolume = [&](const QImage& image) {
        const auto at = picture::progress(image, onScreen(slider));
        return at && std::abs(*at - thumbAt) <= 0.5 / kTravel;
    };
    EXPECT_TRUE(screen_->grabUntil(QStringLiteral("volume-set"), thumbAtVolume, 20s, &lastShot_))
        << "the volume thumb stands at "
        << picture::progress(lastShot_, onScreen(slider)).value_or(-1) << ", expected " << thumbAt;
    const auto nearGain = [&](double slack) {
        return [&full, slack](int peak) {
            return std::abs(static_cast<double>(peak) / full - kGain) <= kGain * slack;
        };
    };
    const int lowered = measure(nearGain(0.25));
    EXPECT_TRUE(nearGain(kGainSlack)(lowered))
        << "at volume " << kVolume << " the tone peaks at " << lowered << " against " << full
        << " at full volume; expected a ratio of " << kGain;

    // Mute: the button changes its look and the tone stops.
    const QRect volumeButton = onScreen(sized::volumeButton(size()));
    const QImage unmuted = awaitStill(QStringLiteral("unmuted"), volumeButton);
    ASSERT_FALSE(unmuted.isNull());
    ASSERT_NO_FATAL_FAILURE(press(sized::volumeButton(size())));
    EXPECT_TRUE(screen_
                    ->grabUntil(
                        QStringLiteral("muted"),
                        [&](const QImage& image) {
                            return countDifferences(unmuted, image, volumeButton) >
                                   look::kIconPixels;
                        },
                        20s)
                    .has_value())
        << "the volume button kept its look when muted";
    const int afterMute = measure([](int peak) { return peak <= kSilence; });
    EXPECT_TRUE(afterMute >= 0 && afterMute <= kSilence)
        << "still heard after mute: the last peak was " << meter_->lastPeak();
    meter_->stop();

    // Played far enough to be remembered, then closed with how the volume controls look.
    const QRect progress = onScreen(sized::progressSlider(size()));
    QImage last;
    ASSERT_TRUE(pollUntil(
        [&] {
            last = screen_->grab(QStringLiteral("first-run-progress"));
            return picture::progress(last, progress).value_or(0) >= kRemembered;
        },
        60s, 500ms))
        << "the progress thumb stopped at " << picture::progress(last, progress).value_or(-1);
    const QImage muted = awaitStill(QStringLiteral("muted-controls"), volumeControls());
    ASSERT_FALSE(muted.isNull());
    ASSERT_NO_FATAL_FAILURE(closeWithButton());

    // The files hold exactly the store's keys, in its order and number formats.
    EXPECT_EQ(ReadFile(folder + QStringLiteral("/config.ini")),
              QByteArray("[Settings]\nVolume=35.0\nMute=1\nTopMost=0\nLanguage=lan_en.xml\n"));
    const QString progressText =
        QString::fromUtf8(ReadFile(folder + QStringLiteral("/progress.ini")));
    const QRect w = media::kBarsWindow;
    const auto entry =
        QRegularExpression(
            QStringLiteral("^\\[%1\\]\nprogress=(\\d+\\.\\d{3})\nx=%2\ny=%3\nw=%4\nh=%5\n$")
                .arg(resumeKey(file))
                .arg(w.x())
                .arg(w.y())
                .arg(w.width())
                .arg(w.height()))
            .match(progressText);
    ASSERT_TRUE(entry.hasMatch()) << str(progressText);
    const double saved = entry.captured(1).toDouble();
    EXPECT_GE(saved, kRemembered * kClipSeconds - 1.0);

    // Second run: it resumes paused where it was left, with the volume controls exactly
    // as they were: the thumb at 35 and the muted look.
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    const QImage resumed =
        awaitPaused(QStringLiteral("second-run-resumed"), [&](const QImage& image) {
            const auto at = picture::progress(image, progress);
            return at && std::abs(*at * kClipSeconds - saved) <= 0.5 &&
                   countDifferences(muted, image, volumeControls()) == 0;
        });
    ASSERT_FALSE(resumed.isNull())
        << countDifferences(muted, lastShot_, volumeControls())
        << " pixels of the volume controls differ from the first run's; the volume thumb stands at "
        << picture::progress(lastShot_, onScreen(slider)).value_or(-1) << ", expected " << thumbAt;

    // Played again, the engine is silent: it is muted. Unmuted, it plays at 35 %.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("second-run-playing")).isNull());
    ASSERT_TRUE(meter_->start(&error)) << str(error);
    const auto whileMuted = meter_->loudestOf(kBlocks, 10s);
    ASSERT_TRUE(whileMuted.has_value()) << "no sound data arrived";
    EXPECT_LE(*whileMuted, kSilence) << "heard while the restarted player should be muted";
    ASSERT_NO_FATAL_FAILURE(press(sized::volumeButton(size())));
    const int restored = measure(nearGain(0.25));
    EXPECT_TRUE(nearGain(kGainSlack)(restored))
        << "unmuted after the restart the tone peaks at " << restored << " against " << full
        << " at full volume; expected a ratio of " << kGain;

    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    EXPECT_EQ(ReadFile(folder + QStringLiteral("/config.ini")),
              QByteArray("[Settings]\nVolume=35.0\nMute=0\nTopMost=0\nLanguage=lan_en.xml\n"));
}

}  // namespace
}  // namespace e2e
