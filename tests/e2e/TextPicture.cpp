#include "TextPicture.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "Screen.h"

namespace e2e::text {

namespace {

// Allowed differences between the player's drawing and the test's: hinting may widen or
// narrow a line by a pixel or two; antialiasing moves a little ink between neighbouring
// columns. A text of other characters differs in width, or in the whole run of columns.
constexpr int kSizeSlack = 2;
constexpr double kProfileSlack = 0.25;

QRgb mostCommonColour(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    QRgb best = 0;
    int bestCount = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y) & RGB_MASK;
            const int count = ++counts[pixel];
            if (count > bestCount) {
                best = pixel;
                bestCount = count;
            }
        }
    }
    return best;
}

QRgb furthestColour(const QImage& image, const QRect& area, QRgb from) {
    QRgb best = from;
    int distance = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y) & RGB_MASK;
            if (colourDistance(pixel, from) > distance) {
                best = pixel;
                distance = colourDistance(pixel, from);
            }
        }
    }
    return best;
}

double columnDistance(const std::vector<int>& a, const std::vector<int>& b, int shift) {
    const int length = static_cast<int>(std::max(a.size(), b.size())) + std::abs(shift);
    long differing = 0;
    long total = 0;
    for (int i = -std::abs(shift); i < length; ++i) {
        const int j = i + shift;
        const int inA = i >= 0 && i < static_cast<int>(a.size()) ? a[i] : 0;
        const int inB = j >= 0 && j < static_cast<int>(b.size()) ? b[j] : 0;
        differing += std::abs(inA - inB);
        total += inA + inB;
    }
    return total == 0 ? 1.0 : static_cast<double>(differing) / static_cast<double>(total);
}

}  // namespace

Ink inkIn(const QImage& image, const QRect& rect) {
    const QRect area = rect.intersected(image.rect());
    Ink ink;
    if (area.isEmpty()) return ink;
    const QRgb background = mostCommonColour(image, area);
    const int threshold = colourDistance(furthestColour(image, area, background), background) / 3;
    if (threshold == 0) return ink;

    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    std::vector<int> columns(static_cast<size_t>(area.width()), 0);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (colourDistance(image.pixel(x, y), background) <= threshold) continue;
            ++columns[static_cast<size_t>(x - area.left())];
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return ink;
    ink.box = QRect(QPoint(left, top), QPoint(right, bottom));
    ink.columns.assign(columns.begin() + (left - area.left()),
                       columns.begin() + (right - area.left() + 1));
    return ink;
}

QImage render(const QString& text, const QFont& font, QRgb colour, QRgb background) {
    const QFontMetrics metrics(font);
    constexpr int kMargin = 10;
    QImage image(metrics.horizontalAdvance(text) + 2 * kMargin, metrics.height() + 2 * kMargin,
                 QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(colour));
    painter.drawText(image.rect().marginsRemoved(QMargins(kMargin, kMargin, kMargin, kMargin)),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    return image;
}

bool Likeness::alike() const {
    return seenAnything && std::abs(widthDifference) <= kSizeSlack &&
           std::abs(heightDifference) <= kSizeSlack && profileDistance <= kProfileSlack;
}

QString Likeness::describe() const {
    if (!seenAnything) return QStringLiteral("no text seen");
    return QStringLiteral("width %1%2, height %3%4, column profile %5 apart")
        .arg(widthDifference >= 0 ? QStringLiteral("+") : QString())
        .arg(widthDifference)
        .arg(heightDifference >= 0 ? QStringLiteral("+") : QString())
        .arg(heightDifference)
        .arg(profileDistance, 0, 'f', 2);
}

Likeness compare(const Ink& seen, const Ink& expected) {
    Likeness result;
    result.seenAnything = !seen.box.isEmpty();
    if (!result.seenAnything) return result;
    result.widthDifference = seen.box.width() - expected.box.width();
    result.heightDifference = seen.box.height() - expected.box.height();
    for (const int shift : {-1, 0, 1}) {
        result.profileDistance =
            std::min(result.profileDistance, columnDistance(seen.columns, expected.columns, shift));
    }
    return result;
}

Likeness likeness(const QImage& image, const QRect& rect, const QString& text, const QFont& font) {
    const QRect area = rect.intersected(image.rect());
    if (area.isEmpty()) return {};
    const QRgb background = mostCommonColour(image, area);
    const QRgb colour = furthestColour(image, area, background);
    const QImage drawn = render(text, font, colour, background);
    return compare(inkIn(image, area), inkIn(drawn, drawn.rect()));
}

QFont skinFont(int pixelSize) {
    // The substitutes the player registers for the skin's face, in its order.
    static const bool substituted = [] {
        QFont::insertSubstitutions(
            QStringLiteral("微软雅黑"),
            {QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
             QStringLiteral("Noto Sans CJK"), QStringLiteral("Noto Sans")});
        return true;
    }();
    (void)substituted;
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(pixelSize);
    return font;
}

QFont tooltipFont() { return QFont(QStringLiteral("Sans Serif"), 9); }

}  // namespace e2e::text
