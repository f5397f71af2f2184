// One sitting with a long clip, through every control of the window with the real mouse:
// pause and resume, a step forward, dragging the progress thumb, the speed menu, mute,
// pin, fullscreen, the About window and the close button, then what the run left in the
// settings files. Another sitting with the keyboard alone: Tab to the speed button and its
// menu, on to the volume slider, and what the run left.
#include <QColor>
#include <cmath>

#include "MediaSession.h"
#include "Picture.h"
#include "SettingsFiles.h"
#include "WindowParts.h"

namespace e2e {
namespace {

// A pixel of the 840 px slider is about 0.1 s of the 90 s clip.
constexpr double kClipSeconds = 90.0;
constexpr double kSliderSlack = 0.02;

// The focus ring: main.xml's focusbordercolor, two pixels wide, one pixel off the control.
bool isRing(QRgb pixel) { return (pixel & 0xFFFFFF) == 0x11E000; }
constexpr int kRingOffset = 3;
constexpr int kRingWidth = 2;
// The volume slider's thumb travels 62 px for 0 to 100.
constexpr double kVolumeTravel = 62.0;

class ControlJourneyTest : public MediaTest {
  protected:
    // Waits for a screenshot whose thumb meets `condition`; returns where it stood.
    std::optional<double> awaitThumb(const QString& label,
                                     const std::function<bool(double)>& condition) {
        QImage last;
        const auto shot = screen_->grabUntil(
            label,
            [&](const QImage& image) {
                const auto at = picture::progress(image, slider());
                return at && condition(*at);
            },
            20s, &last);
        const auto at = picture::progress(shot.value_or(last), slider());
        EXPECT_TRUE(shot.has_value()) << str(label) << ": the thumb stands at " << at.value_or(-1);
        return shot ? at : std::nullopt;
    }
    // Waits until the speed label shows light text left of the speed button.
    void expectSpeedLabel() {
        const QRect speedLabel = onScreen(sized::speedLabel(size()));
        QImage last;
        const bool shown = screen_
                               ->grabUntil(
                                   QStringLiteral("speed-label"),
                                   [&](const QImage& image) {
                                       return countPixels(image, speedLabel, isLightText) >= 10;
                                   },
                                   10s, &last)
                               .has_value();
        EXPECT_TRUE(shown) << "no light text left of the speed button: "
                           << countPixels(last, speedLabel, isLightText) << " light pixels";
    }
    // Waits until the focus ring's top edge stands above the control at `rect` (window
    // coordinates).
    void awaitRing(const QString& label, const QRect& rect) {
        const QRect top = onScreen(QRect(rect.left() - kRingOffset, rect.top() - kRingOffset,
                                         rect.width() + 2 * kRingOffset, kRingWidth));
        QImage last;
        const bool seen =
            screen_
                ->grabUntil(
                    label,
                    [&](const QImage& image) {
                        return countPixels(image, top, isRing) == top.width() * top.height();
                    },
                    10s, &last)
                .has_value();
        ASSERT_TRUE(seen) << str(label) << ": " << countPixels(last, top, isRing) << " of "
                          << top.width() * top.height() << " pixels of the ring's top edge";
    }
};

TEST_F(ControlJourneyTest, EveryControlActsAndTheRunIsRemembered) {
    const QString file = media::path(media::kLong);
    ASSERT_NO_FATAL_FAILURE(startWith(media::kLong, media::kBarsWindow));
    const QRect windowed = geometry_;
    ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());

    // The play button pauses and resumes.
    ASSERT_NO_FATAL_FAILURE(press(sized::playButton(size())));
    ASSERT_FALSE(awaitPaused(QStringLiteral("paused")).isNull());
    const auto before = picture::progress(lastShot_, slider());
    ASSERT_TRUE(before.has_value()) << "no slider thumb";
    ASSERT_NO_FATAL_FAILURE(press(sized::playButton(size())));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("resumed")).isNull());

    // A step forward moves the thumb a third of the way on at once; playing alone would
    // take half a minute for that.
    ASSERT_NO_FATAL_FAILURE(press(sized::forwardButton(size())));
    const double step = 30.0 / kClipSeconds;
    ASSERT_TRUE(awaitThumb(QStringLiteral("stepped"), [&](double at) {
                    return at >= *before + step - kSliderSlack && at <= *before + step + 0.1;
                }).has_value());

    // Dragged to the middle and let go, the thumb stays there and playback goes on from
    // that point: the time text changes while the thumb moves on from the middle.
    const auto stepped = picture::progress(screen_->grab(QStringLiteral("before-drag")), slider());
    ASSERT_TRUE(stepped.has_value()) << "no slider thumb";
    ASSERT_TRUE(xdo_->mouseMove(sliderPoint(*stepped))) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseDown()) << str(xdo_->lastError());
    for (int i = 1; i <= 4; ++i) {
        const double at = *stepped + (0.5 - *stepped) * i / 4;
        ASSERT_TRUE(xdo_->mouseMove(sliderPoint(at))) << str(xdo_->lastError());
    }
    ASSERT_TRUE(xdo_->mouseUp()) << str(xdo_->lastError());
    ASSERT_NO_FATAL_FAILURE(restPointer());
    const auto dragged = screen_->grabUntil(
        QStringLiteral("dragged"),
        [&](const QImage& image) {
            return std::abs(picture::progress(image, slider()).value_or(-1) - 0.5) <= kSliderSlack;
        },
        20s, &lastShot_);
    ASSERT_TRUE(dragged.has_value())
        << "the thumb stands at " << picture::progress(lastShot_, slider()).value_or(-1);
    const QRect time = onScreen(sized::timeLabel(size()));
    // Seconds of playing move the thumb on by a few hundredths; anything else is a jump.
    const auto fromMiddle = [](double at) { return at >= 0.5 - kSliderSlack && at <= 0.6; };
    bool strayed = false;
    const auto goesOn = screen_->grabUntil(
        QStringLiteral("played-on"),
        [&](const QImage& image) {
            strayed = !fromMiddle(picture::progress(image, slider()).value_or(-1));
            return strayed || countDifferences(*dragged, image, time) > 0;
        },
        20s, &lastShot_);
    ASSERT_TRUE(goesOn.has_value() && !strayed)
        << (strayed ? "the thumb left the middle: " : "the time text never changed; ")
        << "it stands at " << picture::progress(lastShot_, slider()).value_or(-1);

    // The speed menu opens above its button, left edges together; its "1.5x" item makes
    // the speed label appear beside the button.
    const QRect speedLabel = onScreen(sized::speedLabel(size()));
    const QRect speedButton = onScreen(sized::speedButton(size()));
    EXPECT_EQ(str(checkUniform(screen_->grab(QStringLiteral("no-speed-label")), speedLabel,
                               look::kBarColour)),
              "")
        << "the speed label shows before any speed was picked";
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::speedButton(size()).center()));
    QRect menu;
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^Menu$"), 10s, nullptr, &menu));
    EXPECT_EQ(menu.left(), speedButton.left());
    EXPECT_EQ(menu.top() + menu.height(), speedButton.top());
    screen_->grab(QStringLiteral("speed-menu"));
    // Ten items of equal height inside a one-pixel border; "1.5x" is the fifth.
    ASSERT_NO_FATAL_FAILURE(
        clickScreen({menu.center().x(), menu.top() + 1 + (menu.height() - 2) * 9 / 20}));
    ASSERT_NO_FATAL_FAILURE(restPointer());
    EXPECT_TRUE(awaitNoWindow(QStringLiteral("^Menu$"))) << "the menu stayed open after the pick";
    expectSpeedLabel();

    // Mute, unmute and mute again: the volume button changes its image and back.
    const QRect volume = sized::volumeButton(size());
    const QImage unmuted = screen_->grab(QStringLiteral("unmuted"));
    ASSERT_NO_FATAL_FAILURE(press(volume));
    EXPECT_TRUE(awaitLook(QStringLiteral("muted"), volume, unmuted, false))
        << "the volume button did not change when muted";
    ASSERT_NO_FATAL_FAILURE(press(volume));
    EXPECT_TRUE(awaitLook(QStringLiteral("unmuted-again"), volume, unmuted, true))
        << "the volume button did not come back when unmuted";
    ASSERT_NO_FATAL_FAILURE(press(volume));
    EXPECT_TRUE(awaitLook(QStringLiteral("muted-again"), volume, unmuted, false));

    // Pin: with no window manager there is no stacking to see, but the button shows the
    // pinned image and the window stays where it was.
    const QRect pin = sized::pinButton(size());
    const QImage unpinned = screen_->grab(QStringLiteral("unpinned"));
    ASSERT_NO_FATAL_FAILURE(press(pin));
    EXPECT_TRUE(awaitLook(QStringLiteral("pinned"), pin, unpinned, false))
        << "the pin button kept its image";
    EXPECT_EQ(xdo_->geometry(window_), windowed);
    EXPECT_EQ(xdo_->visibleWindows(QLatin1Char('^') + literalRegex(media::title(media::kLong)) +
                                   QLatin1Char('$'))
                  .size(),
              1u);

    // Fullscreen from its button covers the screen; Escape brings the window back.
    ASSERT_NO_FATAL_FAILURE(press(sized::fullscreenButton(size())));
    EXPECT_TRUE(awaitGeometry(XServer::kScreen))
        << "fullscreen stands at " << testing::PrintToString(geometry_);
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Escape")));
    ASSERT_TRUE(awaitGeometry(windowed))
        << "after Escape the window stands at " << testing::PrintToString(geometry_);

    // About: a 400x300 window centred over the player, closed by its own close button.
    ASSERT_NO_FATAL_FAILURE(press(sized::menuButton(size())));
    QRect about;
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^About$"), 10s, nullptr, &about));
    EXPECT_EQ(about.size(), QSize(400, 300));
    EXPECT_EQ(about.center(), windowed.center());
    screen_->grab(QStringLiteral("about"));
    ASSERT_NO_FATAL_FAILURE(clickScreen(about.topLeft() + QPoint(about.width() - 15, 15)));
    ASSERT_NO_FATAL_FAILURE(restPointer());
    ASSERT_TRUE(awaitNoWindow(QStringLiteral("^About$")))
        << "the About window stayed after a click on its close button";
    // The player answers again: its play button pauses.
    ASSERT_NO_FATAL_FAILURE(press(sized::playButton(size())));
    ASSERT_FALSE(awaitPaused(QStringLiteral("paused-after-about")).isNull());

    // The close button ends the run with success; the run left the mute and the file's
    // entry with where it stopped and the window's rectangle.
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    const auto config = IniText::load(player_->settingsDir() + QStringLiteral("/config.ini"));
    ASSERT_TRUE(config.has_value()) << "no config.ini";
    EXPECT_EQ(config->value(QStringLiteral("Settings"), QStringLiteral("Mute")),
              QStringLiteral("1"))
        << str(config->text());
    const auto progress = IniText::load(player_->settingsDir() + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(progress.has_value()) << "no progress.ini";
    SCOPED_TRACE(str(progress->text()));
    const QString key = resumeKey(file);
    EXPECT_EQ(progress->value(key, QStringLiteral("x")), QString::number(windowed.x()));
    EXPECT_EQ(progress->value(key, QStringLiteral("y")), QString::number(windowed.y()));
    EXPECT_EQ(progress->value(key, QStringLiteral("w")), QString::number(windowed.width()));
    EXPECT_EQ(progress->value(key, QStringLiteral("h")), QString::number(windowed.height()));
    // Paused past the middle, where the thumb was dragged to.
    const double stoppedAt =
        progress->value(key, QStringLiteral("progress")).value_or(QStringLiteral("0")).toDouble();
    EXPECT_GE(stoppedAt, (0.5 - kSliderSlack) * kClipSeconds);
    EXPECT_LT(stoppedAt, kClipSeconds);
}

TEST_F(ControlJourneyTest, TheKeyboardAloneReachesTheSpeedMenuAndTheVolume) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kLong, media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());
    ASSERT_NO_FATAL_FAILURE(restPointer());
    const QRect speedLabel = onScreen(sized::speedLabel(size()));
    ASSERT_EQ(countPixels(screen_->grab(QStringLiteral("no-speed-label")), speedLabel, isLightText),
              0);

    // With the title shown, Tab stops at the menu, info, pin, minimise, maximise and close
    // buttons, the progress slider, and the previous, play, next, stop, backward, forward and
    // open buttons before it comes to the speed button.
    for (int i = 0; i < 15; ++i) ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Tab")));
    ASSERT_NO_FATAL_FAILURE(
        awaitRing(QStringLiteral("speed-button-focused"), sized::speedButton(size())));

    // Return opens the speed menu above the button; the open menu holds the keyboard, so
    // Down and Return go to it: the first item, a quarter of the speed.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Return")));
    QRect menu;
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^Menu$"), 10s, nullptr, &menu));
    EXPECT_EQ(menu.left(), onScreen(sized::speedButton(size())).left());
    screen_->grab(QStringLiteral("speed-menu"));
    ASSERT_TRUE(xdo_->key(QStringLiteral("Down"))) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->key(QStringLiteral("Return"))) << str(xdo_->lastError());
    EXPECT_TRUE(awaitNoWindow(QStringLiteral("^Menu$"))) << "the menu stayed open after Return";
    expectSpeedLabel();

    // The focus stayed on the speed button; four more stops on, past the subtitle, audio and
    // volume buttons, is the volume slider, whose Left moves its thumb a step down from
    // the top.
    for (int i = 0; i < 4; ++i) ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Tab")));
    ASSERT_NO_FATAL_FAILURE(
        awaitRing(QStringLiteral("volume-focused"), sized::volumeSlider(size())));
    const QRect volume = onScreen(sized::volumeSlider(size()));
    const auto full = picture::progress(screen_->grab(QStringLiteral("full-volume")), volume);
    ASSERT_TRUE(full && std::abs(*full - 1.0) <= 0.5 / kVolumeTravel)
        << "the volume thumb stands at " << full.value_or(-1);
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Left")));
    const double lowered = std::lround(kVolumeTravel * 0.95) / kVolumeTravel;
    EXPECT_TRUE(screen_
                    ->grabUntil(
                        QStringLiteral("volume-lowered"),
                        [&](const QImage& image) {
                            const auto at = picture::progress(image, volume);
                            return at && std::abs(*at - lowered) <= 0.5 / kVolumeTravel;
                        },
                        10s, &lastShot_)
                    .has_value())
        << "the volume thumb stands at " << picture::progress(lastShot_, volume).value_or(-1)
        << ", expected " << lowered;

    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    EXPECT_EQ(savedSetting(QStringLiteral("Volume")), QStringLiteral("95.0"));
    EXPECT_EQ(savedSetting(QStringLiteral("Mute")), QStringLiteral("0"));
}

}  // namespace
}  // namespace e2e
