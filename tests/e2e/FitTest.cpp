// When a file loads, the window takes the size of its video, within 90 % of the work area
// and at least 850 wide, and is centred; a file without video leaves it alone. The test
// screen is 1280x800 and all work area, so the limits are 1152 wide and 630 for the
// picture (720 less the 90 of the bars).
#include "MediaSession.h"
#include "Picture.h"

namespace e2e {
namespace {

struct FitCase {
    const char* name;
    media::Clip clip;
    QRect window;
};
// Failure messages name the case rather than dump its bytes.
void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class FitTest : public MediaTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(FitTest, WindowTakesTheVideosShapeCentredOnTheScreen) {
    ASSERT_NO_FATAL_FAILURE(startWith(GetParam().clip, GetParam().window));

    // The picture fills the video area up to its own aspect.
    const QRect area = videoArea();
    QImage last;
    const auto shown = screen_->grabUntil(
        QStringLiteral("fitted"),
        [&](const QImage& image) {
            return picture::countColourful(image, area) >= area.width() * area.height() / 5;
        },
        20s, &last);
    EXPECT_TRUE(shown.has_value())
        << "no picture in the fitted video area: " << picture::countColourful(last, area)
        << " colourful pixels";
}

INSTANTIATE_TEST_SUITE_P(
    Videos, FitTest,
    ::testing::Values(
        // 1920x1080: cut to 1152 wide (h 648), then to 630 high (w 1152*630/648 = 1120).
        FitCase{"Wide", media::kWide, media::kWideWindow},
        // 640x360: widened to 850, height kept.
        FitCase{"Small", media::kBars, media::kBarsWindow},
        // 360x640: widened to 850 first, then cut to 630 high: w 850*630/640 = 836.
        FitCase{"Portrait", media::kPortrait, media::kPortraitWindow}),
    CaseName());

using SoundOnlyFitTest = MediaTest;

TEST_F(SoundOnlyFitTest, SoundOnlyLeavesTheWindowAsItWas) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kTone, media::kEmptyWindow));

    // Once the time moves the file has loaded, and any fitting would have happened.
    const QRect label = onScreen(sized::timeLabel(size()));
    const QImage first = screen_->grab(QStringLiteral("time-before"));
    ASSERT_FALSE(first.isNull());
    const auto moved = screen_->grabUntil(
        QStringLiteral("time-after"),
        [&](const QImage& image) { return countDifferences(first, image, label) > 0; }, 20s);
    ASSERT_TRUE(moved.has_value()) << "the time label never changed: the sound does not play";

    const auto now = xdo_->geometry(window_);
    ASSERT_TRUE(now.has_value()) << str(xdo_->lastError());
    EXPECT_EQ(*now, media::kEmptyWindow);
}

}  // namespace
}  // namespace e2e
