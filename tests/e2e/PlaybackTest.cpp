// A file named on the command line plays: its picture shows in the video area at its own
// aspect and moves, and the close button still ends the process with success.
#include "MediaSession.h"
#include "Picture.h"

namespace e2e {
namespace {

using PlaybackTest = MediaTest;

TEST_F(PlaybackTest, PlaysTheFileFromTheCommandLine) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));

    // The 640x360 picture sits unscaled in the middle of the 850x360 video area, with black
    // on either side. Strong colours fill most of it: the colour bars.
    const QSize clip = media::kBars.video;
    const QRect area = videoArea();
    const QRect shownArea(area.left() + (area.width() - clip.width()) / 2, area.top(), clip.width(),
                          clip.height());
    const QRect leftBand(area.left(), area.top(), shownArea.left() - area.left() - 2,
                         area.height());
    const QRect rightBand(shownArea.right() + 3, area.top(), area.right() - shownArea.right() - 2,
                          area.height());
    const int half = shownArea.width() * shownArea.height() / 2;
    QImage last;
    const auto shown = screen_->grabUntil(
        QStringLiteral("picture"),
        [&](const QImage& image) { return picture::countColourful(image, shownArea) >= half; }, 20s,
        &last);
    ASSERT_TRUE(shown.has_value())
        << "colourful pixels in the picture: " << picture::countColourful(last, shownArea) << " of "
        << shownArea.width() * shownArea.height();
    EXPECT_EQ(str(checkUniform(*shown, leftBand, 0x000000, 8)), "") << "left of the picture";
    EXPECT_EQ(str(checkUniform(*shown, rightBand, 0x000000, 8)), "") << "right of the picture";

    ASSERT_FALSE(awaitPlaying(QStringLiteral("moving")).isNull());
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
}

}  // namespace
}  // namespace e2e
