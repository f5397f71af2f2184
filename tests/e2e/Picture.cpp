#include "Picture.h"

#include <QColor>
#include <algorithm>

#include "Screen.h"

namespace e2e::picture {

namespace {

bool lit(QRgb pixel) { return QColor(pixel).lightness() >= 128; }

int countLit(const QImage& image, const QRect& rect) { return countPixels(image, rect, lit); }

}  // namespace

int countColourful(const QImage& image, const QRect& rect) {
    return countPixels(image, rect, [](QRgb p) {
        const int high = std::max({qRed(p), qGreen(p), qBlue(p)});
        const int low = std::min({qRed(p), qGreen(p), qBlue(p)});
        return high - low >= 80;
    });
}

std::optional<double> progress(const QImage& image, const QRect& slider) {
    // The thumb is a light 8x8 dot; its middle row crosses the slider's middle row. The
    // played part left of it is green and the rest dark grey, neither of them light.
    constexpr int kThumb = 8;
    const int y = slider.top() + slider.height() / 2;
    int first = -1;
    int last = -1;
    for (int x = slider.left(); x <= slider.right(); ++x) {
        const QRgb p = image.pixel(x, y);
        if (std::min({qRed(p), qGreen(p), qBlue(p)}) < 180) continue;
        if (first < 0) first = x;
        last = x;
    }
    if (first < 0 || last - first > kThumb) return std::nullopt;
    const double centre = (first + last) / 2.0;
    const double travel = slider.width() - kThumb;
    return std::clamp((centre - slider.left() - (kThumb - 1) / 2.0) / travel, 0.0, 1.0);
}

PlayLook playLook(const QImage& image, const QRect& button) {
    // In the button's 40x40 icon the pause bars stand at x 14..18 and 22..26 from y 12.5;
    // the play triangle points right from x 15.5 with its top edge falling towards
    // (27.5, 20). So the gap between the bars is lit only by the triangle, and the top of
    // the right bar only by the bars.
    const QRect gap = QRect(19, 15, 2, 10).translated(button.topLeft());
    const QRect barTop = QRect(23, 14, 2, 2).translated(button.topLeft());
    const bool gapLit = countLit(image, gap) >= gap.width() * gap.height() / 2;
    const bool barTopLit = countLit(image, barTop) == barTop.width() * barTop.height();
    if (!gapLit && barTopLit && countLit(image, gap) == 0) return PlayLook::Pause;
    if (gapLit && countLit(image, barTop) == 0) return PlayLook::Play;
    return PlayLook::Neither;
}

bool timesMatch(const QImage& image, const QRect& label) {
    const QRect area = label.intersected(image.rect());
    const auto columnLit = [&](int x) {
        return countLit(image, QRect(x, area.top(), 1, area.height())) > 0;
    };
    int left = area.left();
    while (left <= area.right() && !columnLit(left)) ++left;
    int right = area.right();
    while (right > left && !columnLit(right)) --right;
    const int width = right - left + 1;
    if (width < 20) return false;

    // "A / B" with A and B alike is the same run of columns twice: some shift d makes the
    // first (width - d) columns equal the last ones, pixel for pixel. With A and B unlike,
    // the last digit differs at the one shift that lines them up, and other shifts line up
    // nothing. Too short an overlap would only compare a few columns of a digit.
    for (int shift = width / 2; shift <= width - width / 4; ++shift) {
        const int overlap = width - shift;
        bool same = true;
        for (int y = area.top(); same && y <= area.bottom(); ++y) {
            for (int x = 0; same && x < overlap; ++x) {
                same = image.pixel(left + x, y) == image.pixel(left + shift + x, y);
            }
        }
        if (same) return true;
    }
    return false;
}

}  // namespace e2e::picture
