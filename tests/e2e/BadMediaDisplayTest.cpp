// Media that asks more of the window than it has room for: a title of 10 000 characters
// and 60 subtitle tracks. The title is shortened with an ellipsis inside its label, the
// subtitle menu stays on the screen and scrolls to its last item, and the player stays
// well and keeps the user's settings.
#include <QImage>
#include <algorithm>
#include <climits>
#include <functional>

#include "BadInputSession.h"
#include "WindowParts.h"

namespace e2e {
namespace {

// Sound only, so the window keeps its size; titled "Movira title 0123456789 ...".
constexpr media::Clip kLongTitle{"e2e-long-title.m4a", "", {}};
QString longTitle() {
    return QStringLiteral("Movira title ") + QStringLiteral("0123456789 ").repeated(907) +
           QStringLiteral("0123456789");
}

// 640x360 of black with 60 subtitle tracks "eng - Track 1" to "eng - Track 60"; only the
// last one shows text while the clip runs.
constexpr media::Clip kSixtySubtitles{"e2e-60-subtitles.mkv", "Movira subtitles", {640, 360}};
constexpr int kSubtitleTracks = 60;

// Text pixels on the dark bars: far from the bar colour.
bool isText(QRgb pixel) { return colourDistance(pixel, look::kBarColour) > 60; }

// How many rows the text pixels of columns `left` to `right` span within `area` (screen
// coordinates), or -1 when there are none.
int textHeight(const QImage& image, int left, int right, const QRect& area) {
    int top = INT_MAX;
    int bottom = -1;
    for (int x = std::max(left, area.left()); x <= std::min(right, area.right()); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (!isText(image.pixel(x, y))) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return bottom < 0 ? -1 : bottom - top + 1;
}

// The rightmost column of `rect` holding text, or -1.
int lastTextColumn(const QImage& image, const QRect& rect) {
    for (int x = rect.right(); x >= rect.left(); --x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (isText(image.pixel(x, y))) return x;
        }
    }
    return -1;
}

using LongTitleTest = BadInputTest;

TEST_F(LongTitleTest, ShortenedWithAnEllipsisInsideItsLabel) {
    ASSERT_NO_FATAL_FAILURE(startAndAwaitMain({media::path(kLongTitle)}, media::kEmptyWindow));
    // The caption the window system gets is the whole title: a taskbar shortens it to its
    // own room.
    const auto titled = xdo_->waitForWindows(QStringLiteral("^Movira title 0123456789 "), 30s);
    ASSERT_EQ(titled, std::vector<WindowId>{window_}) << str(xdo_->lastError());
    const auto caption = xdo_->windowName(window_);
    ASSERT_TRUE(caption.has_value()) << str(xdo_->lastError());
    EXPECT_EQ(caption->size(), 10000);
    EXPECT_TRUE(*caption == longTitle()) << "the caption is not the whole title";

    // The info button hides the title and shows it again: with and without it, everything
    // right of the label (the pin button and the rest) looks the same.
    const QRect label = onScreen(sized::titleText(size()));
    const QRect rightOfLabel = onScreen(QRect(sized::pinButton(size()).left(), 0, 120, 30));
    const auto clickInfo = [&](const QString& shot,
                               const std::function<bool(const QImage&)>& condition) {
        ASSERT_NO_FATAL_FAILURE(press(sized::infoButton(size())));
        const auto seen = screen_->grabUntil(shot, condition, 20s, &lastShot_);
        ASSERT_TRUE(seen.has_value()) << str(shot) << " never seen";
    };
    const auto shown = screen_->grabUntil(
        QStringLiteral("title"),
        [&](const QImage& image) { return lastTextColumn(image, label) >= 0; }, 20s, &lastShot_);
    ASSERT_TRUE(shown.has_value()) << "the title label stays empty";
    ASSERT_NO_FATAL_FAILURE(clickInfo(QStringLiteral("title-hidden"), [&](const QImage& image) {
        return lastTextColumn(image, label) < 0;
    }));
    const QImage hidden = lastShot_;
    ASSERT_NO_FATAL_FAILURE(clickInfo(QStringLiteral("title-back"), [&](const QImage& image) {
        return lastTextColumn(image, label) >= 0;
    }));
    const QImage back = awaitStill(QStringLiteral("title-still"), label);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(countDifferences(hidden, back, rightOfLabel), 0)
        << "the title draws over the buttons right of it";

    // The text runs to the label's right end and ends in the low dots of an ellipsis, with
    // full-height characters before them.
    const int last = lastTextColumn(back, label);
    EXPECT_GE(last, label.right() - 30) << "the title does not fill its label";
    EXPECT_LE(textHeight(back, last - 8, last, label), 3) << "the text does not end in dots";
    EXPECT_GE(textHeight(back, last - 40, last - 14, label), 7) << "no characters before the dots";

    ASSERT_NO_FATAL_FAILURE(expectAnswersClicks());
    ASSERT_NO_FATAL_FAILURE(closeAndExpectCleanExit());
    expectSettingsKept();
    EXPECT_EQ(otherWindowsShown(), QStringList());
}

// Pixels bright enough to be subtitle text on the black picture.
int countBright(const QImage& image, const QRect& rect) {
    return countPixels(image, rect,
                       [](QRgb p) { return qRed(p) > 180 && qGreen(p) > 180 && qBlue(p) > 180; });
}

using ManySubtitlesTest = BadInputTest;

TEST_F(ManySubtitlesTest, MenuStaysOnScreenAndReachesTheLastOfSixty) {
    ASSERT_NO_FATAL_FAILURE(startPlayer({media::path(kSixtySubtitles)},
                                        media::title(kSixtySubtitles), media::kBarsWindow));
    const QImage before = awaitStill(QStringLiteral("no-subtitle"), videoArea());
    ASSERT_FALSE(before.isNull());
    ASSERT_EQ(countBright(before, videoArea()), 0) << "a subtitle shows before any pick";

    ASSERT_NO_FATAL_FAILURE(clickAt(sized::subtitleButton(size()).center()));
    WindowId menu = 0;
    const bool opened = watcher_.waitFor(
        [&](const std::vector<WindowEvent>& events) {
            for (const WindowEvent& e : events) {
                if (e.kind == WindowEvent::Mapped && e.name == QStringLiteral("Menu")) {
                    menu = e.window;
                }
            }
            return menu != 0;
        },
        20s);
    ASSERT_TRUE(opened) << "no menu opened";
    // otherWindowsShown() passes over tooltips; a pop-up menu must not pass for one.
    EXPECT_FALSE(isTooltip(watcher_.events(), menu)) << str(describe(watcher_.events()));
    const auto placed = xdo_->geometry(menu);
    ASSERT_TRUE(placed.has_value()) << str(xdo_->lastError());
    const QRect menuRect = *placed;
    EXPECT_TRUE(XServer::kScreen.contains(menuRect))
        << "the menu leaves the screen: " << testing::PrintToString(menuRect);
    // The turn-off item and 60 tracks do not fit: the menu must scroll.
    ASSERT_LT(menuRect.height(), (kSubtitleTracks + 1) * look::kMenuItemHeight);

    // More wheel notches than the list has items out of sight, then let the menu settle.
    ASSERT_TRUE(xdo_->mouseMove(menuRect.center())) << str(xdo_->lastError());
    for (int notch = 0; notch < 40; ++notch) {
        ASSERT_TRUE(xdo_->click(5)) << str(xdo_->lastError());
    }
    ASSERT_FALSE(awaitStill(QStringLiteral("menu-scrolled"), menuRect).isNull());

    // The bottom item is now "Load subtitle file…", and the last track just above it: picking
    // that shows its subtitle.
    ASSERT_NO_FATAL_FAILURE(
        clickScreen({menuRect.center().x(), menuRect.bottom() - look::kMenuItemHeight * 3 / 2}));
    const auto subtitle = screen_->grabUntil(
        QStringLiteral("subtitle"),
        [&](const QImage& image) { return countBright(image, videoArea()) > 100; }, 20s,
        &lastShot_);
    EXPECT_TRUE(subtitle.has_value()) << "the last track's subtitle never showed";

    ASSERT_NO_FATAL_FAILURE(expectAnswersClicks());
    ASSERT_NO_FATAL_FAILURE(closeAndExpectCleanExit());
    expectSettingsKept();
    EXPECT_EQ(otherWindowsShown({menu}), QStringList());
}

}  // namespace
}  // namespace e2e
