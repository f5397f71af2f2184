// The media title in the caption and the title bar, and the time label through to the end
// of a file.
#include <QColor>

#include "MediaSession.h"
#include "Picture.h"

namespace e2e {
namespace {

using DisplayTest = MediaTest;

TEST_F(DisplayTest, ShowsAChineseTitleAndTheTimeUpToTheLength) {
    // startWith finds the window by the title as caption already; this reads it back whole.
    ASSERT_NO_FATAL_FAILURE(startWith(media::kTitled, media::kTitledWindow));
    EXPECT_EQ(xdo_->windowName(window_), media::title(media::kTitled));
    const QImage titled = screen_->grab(QStringLiteral("titled"));
    ASSERT_FALSE(titled.isNull());
    const auto lightText = [](QRgb p) { return QColor(p).lightness() >= 120; };
    EXPECT_GE(countPixels(titled, onScreen(sized::titleText(size())), lightText), 40)
        << "no title text in the title bar";

    // The clip plays to its end and stays there, paused on the last frame, with the elapsed
    // time equal to the length. The end only counts after the time was seen running, with
    // the two times unlike: before the length is known the label reads 00:00 / 00:00.
    const QRect label = onScreen(sized::timeLabel(size()));
    const QRect button = onScreen(sized::playButton(size()));
    bool sawRunningTime = false;
    const QImage ended = awaitPaused(QStringLiteral("ended"), [&](const QImage& image) {
        if (picture::timesMatch(image, label)) return sawRunningTime;
        if (picture::playLook(image, button) == picture::PlayLook::Pause) sawRunningTime = true;
        return false;
    });
    ASSERT_FALSE(ended.isNull()) << (sawRunningTime ? "" : "the time was never seen running; ")
                                 << "the time label "
                                 << (picture::timesMatch(lastShot_, label) ? "shows"
                                                                           : "does not show")
                                 << " the elapsed time equal to the length";
    EXPECT_EQ(xdo_->windowName(window_), media::title(media::kTitled)) << "after the end";
}

}  // namespace
}  // namespace e2e
