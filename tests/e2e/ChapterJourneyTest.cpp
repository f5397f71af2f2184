// A film with chapters, with the real mouse over the progress slider: a mark at each later
// chapter's start, and the label above the pointer telling the time there and the chapter it
// lies in, held inside the window at both ends of the slider and gone once the pointer
// leaves it.
#include <cmath>

#include "MediaSession.h"
#include "Screen.h"
#include "TextPicture.h"
#include "WindowParts.h"

namespace e2e {
namespace {

constexpr double kClipSeconds = 30.0;
// The marks' colour, and the label's border, height and gap above the slider.
constexpr QRgb kMark = 0xDDDDDD;
constexpr QRgb kLabelBorder = 0x5A5A5A;
constexpr int kLabelHeight = 20;
constexpr int kLabelGap = 2;

class ChapterJourneyTest : public MediaTest {
  protected:
    // The label found on `image` by its border through the pointer's column: empty if there
    // is none.
    QRect labelAt(const QImage& image, int pointerX) const {
        const int bottom = slider().top() - kLabelGap - 1;
        const int top = bottom - kLabelHeight + 1;
        const auto border = [&](int x, int y) {
            return x >= 0 && x < image.width() &&
                   colourDistance(image.pixel(x, y), kLabelBorder) <= 4;
        };
        if (!border(pointerX, bottom)) return {};
        int left = pointerX;
        int right = pointerX;
        while (border(left - 1, bottom)) --left;
        while (border(right + 1, bottom)) ++right;
        if (!border(left, top) || !border(right, top)) return {};
        return QRect(QPoint(left, top), QPoint(right, bottom));
    }
    // Moves the pointer to `fraction` of the slider and waits until the label above it shows
    // `text`; returns the label's rectangle on the screen (empty on failure).
    QRect expectLabel(const QString& step, double fraction, const QString& text) {
        const QPoint at = sliderPoint(fraction);
        EXPECT_TRUE(xdo_->mouseMove(at)) << str(xdo_->lastError());
        QRect found;
        text::Likeness seen;
        const auto shot = screen_->grabUntil(
            step,
            [&](const QImage& image) {
                found = labelAt(image, at.x());
                if (found.isEmpty()) return false;
                seen =
                    text::likeness(image, found.adjusted(1, 1, -1, -1), text, text::skinFont(12));
                return seen.alike();
            },
            10s, &lastShot_);
        EXPECT_TRUE(shot.has_value())
            << str(step) << ": no label showing \"" << str(text) << "\" above the pointer; "
            << (found.isEmpty() ? std::string("no label found") : str(seen.describe()));
        return shot ? found : QRect();
    }
};

TEST_F(ChapterJourneyTest, MarksTheChaptersAndTellsTheTimeAndChapterUnderThePointer) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kChapters, media::kBarsWindow));
    // Paused near the start, so that the thumb stays clear of the marks.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    ASSERT_FALSE(awaitPaused(QStringLiteral("paused")).isNull());

    // A light tick at 10 s and at 20 s, the bar's own colour beside each; the one at 0 s is
    // under the thumb. The film is a little longer than 30 s (its sound's last frame), so a
    // tick may stand a pixel short of where 30 s would put it.
    const auto marked = [&](const QImage& image) {
        for (const double start : {media::kChapterStarts[1], media::kChapterStarts[2]}) {
            const QPoint mark = sliderPoint(start / kClipSeconds);
            const auto light = [&](int dx) {
                return colourDistance(image.pixel(mark + QPoint(dx, 0)), kMark) <= 8;
            };
            if (!light(-2) && !light(-1) && !light(0)) return false;
            if (light(-6) || light(4)) return false;
        }
        return true;
    };
    EXPECT_TRUE(screen_->grabUntil(QStringLiteral("marks"), marked, 10s, &lastShot_).has_value())
        << "no chapter marks at 10 s and 20 s on the progress slider";

    // Half-way into seconds, so that a pixel either way reads the same second.
    const QRect middle = expectLabel(QStringLiteral("hover-middle"), 15.5 / kClipSeconds,
                                     QStringLiteral("00:15  Middle"));
    if (!middle.isEmpty()) {
        EXPECT_NEAR(middle.center().x(), sliderPoint(15.5 / kClipSeconds).x(), 1)
            << "centred on the pointer";
        EXPECT_EQ(middle.bottom(), slider().top() - kLabelGap - 1);
    }
    expectLabel(QStringLiteral("hover-opening"), 4.5 / kClipSeconds,
                QStringLiteral("00:04  Opening"));
    expectLabel(QStringLiteral("hover-credits"), 25.5 / kClipSeconds,
                QStringLiteral("00:25  Credits"));

    // At the slider's ends the label would stand half outside the window: it is held inside,
    // whole, against the edge.
    const QRect window = onScreen(QRect(QPoint(0, 0), size()));
    const QRect atEnd =
        expectLabel(QStringLiteral("hover-end"), 1.0, QStringLiteral("00:30  Credits"));
    EXPECT_EQ(atEnd.right(), window.right()) << "kept inside at the right edge";
    const QRect atStart =
        expectLabel(QStringLiteral("hover-start"), 0.0, QStringLiteral("00:00  Opening"));
    EXPECT_EQ(atStart.left(), window.left()) << "kept inside at the left edge";

    // Off the slider, the label goes.
    ASSERT_NO_FATAL_FAILURE(restPointer());
    const int column = sliderPoint(0.0).x();
    EXPECT_TRUE(screen_
                    ->grabUntil(
                        QStringLiteral("hover-gone"),
                        [&](const QImage& image) { return labelAt(image, column).isEmpty(); }, 10s,
                        &lastShot_)
                    .has_value())
        << "the label stays once the pointer has left the slider";
}

}  // namespace
}  // namespace e2e
