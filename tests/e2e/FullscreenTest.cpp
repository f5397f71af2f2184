// Fullscreen with the real pointer: the bars hide on entering, come back for a pointer
// move near the top edge and hide again after the last move; Escape returns the window
// to where it was, bars shown. On the bare X server and under openbox, where fullscreen
// covers the task bar's band too.
#include "MediaSession.h"
#include "Picture.h"
#include "WindowParts.h"

namespace e2e {
namespace {

class FullscreenTest : public MediaOnDesktopTest {
  protected:
    // The two bands the bars take; with the bars hidden they show the black under them.
    static QRect topBand() { return {0, 0, XServer::kWidth, sized::titleHeight()}; }
    static QRect bottomBand() {
        return {0, XServer::kHeight - sized::controlsHeight(), XServer::kWidth,
                sized::controlsHeight()};
    }
    static bool barsHidden(const QImage& image) {
        return checkUniform(image, topBand(), look::kVideoColour, 8).isEmpty() &&
               checkUniform(image, bottomBand(), look::kVideoColour, 8).isEmpty();
    }
    // Both bars in their colour where no control lies, at `size`.
    static bool barsShown(const QImage& image, QPoint origin, QSize size) {
        return checkUniform(image, sized::bareTitle(size).translated(origin), look::kBarColour)
                   .isEmpty() &&
               checkUniform(image, sized::bareControls(size).translated(origin), look::kBarColour)
                   .isEmpty();
    }
    static QString describeBands(const QImage& image) {
        return QStringLiteral("top band: %1; bottom band: %2")
            .arg(checkUniform(image, topBand(), look::kVideoColour, 8),
                 checkUniform(image, bottomBand(), look::kVideoColour, 8));
    }
};

TEST_P(FullscreenTest, BarsFollowThePointerNearTheTopAndEscapeRestoresTheWindow) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, centred(media::kBarsWindow.size())));
    const QRect windowed = geometry_;
    const QSize fullSize = XServer::kScreen.size();
    const QPoint middle = XServer::kScreen.center();

    ASSERT_TRUE(xdo_->mouseMove(middle)) << str(xdo_->lastError());
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("F11")));
    ASSERT_TRUE(awaitGeometry(XServer::kScreen))
        << "the window stands at " << testing::PrintToString(geometry_);

    // The bars hide on entering, not only when the hide timer runs out: the pointer keeps
    // moving below the top band between the screenshots, and every move restarts that
    // timer. Two hidden screenshots in a row, with the picture drawn at the new size, so
    // that a window not yet repainted after the resize does not count.
    const QRect shownArea(0, 60, fullSize.width(), 600);
    const int colourful = shownArea.width() * shownArea.height() / 4;
    QImage last;
    int nudge = 0;
    int hiddenInARow = 0;
    const auto hidden = screen_->grabUntil(
        QStringLiteral("entered"),
        [&](const QImage& image) {
            xdo_->mouseMove(middle + QPoint(0, (++nudge % 2) * 3));
            const bool ok =
                barsHidden(image) && picture::countColourful(image, shownArea) >= colourful;
            hiddenInARow = ok ? hiddenInARow + 1 : 0;
            return hiddenInARow == 2;
        },
        10s, &last);
    ASSERT_TRUE(hidden.has_value())
        << "bars still shown: " << str(describeBands(last))
        << "; colourful pixels in the picture: " << picture::countColourful(last, shownArea);

    // A move into the top 50 pixels brings both bars back over the picture.
    ASSERT_TRUE(xdo_->mouseMove({middle.x(), 20})) << str(xdo_->lastError());
    const auto shown = screen_->grabUntil(
        QStringLiteral("revealed"),
        [&](const QImage& image) {
            return barsShown(image, {0, 0}, fullSize);
        },
        10s, &last);
    ASSERT_TRUE(shown.has_value()) << "the bars did not come back";

    // Without further moves they hide again.
    const auto rehidden = screen_->grabUntil(QStringLiteral("rehidden"), barsHidden, 10s, &last);
    ASSERT_TRUE(rehidden.has_value()) << "bars still shown: " << str(describeBands(last));

    // Moves further down do not bring them back. Space pauses the picture afterwards: once
    // that shows, the moves before it have been handled too.
    ASSERT_TRUE(xdo_->mouseMove(middle)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseMove({middle.x(), 600})) << str(xdo_->lastError());
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    const QImage still = awaitStill(QStringLiteral("moved-low"), shownArea);
    ASSERT_FALSE(still.isNull());
    EXPECT_TRUE(barsHidden(still)) << str(describeBands(still));

    // Escape while they are hidden: back to the former rectangle, bars shown.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Escape")));
    ASSERT_TRUE(awaitGeometry(windowed))
        << "the window stands at " << testing::PrintToString(geometry_) << ", expected "
        << testing::PrintToString(windowed);
    const auto back = screen_->grabUntil(
        QStringLiteral("left"),
        [&](const QImage& image) { return barsShown(image, windowed.topLeft(), windowed.size()); },
        10s, &last);
    EXPECT_TRUE(back.has_value()) << "the bars are not shown after leaving fullscreen";
}

INSTANTIATE_TEST_SUITE_P(Desktops, FullscreenTest, ::testing::Values(kBare, kOpenbox), CaseName());

}  // namespace
}  // namespace e2e
