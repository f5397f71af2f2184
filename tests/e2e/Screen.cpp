#include "Screen.h"

#include <QColor>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace e2e {

Screen::Screen(QString display, QString artifactDir)
    : display_(std::move(display)), artifactDir_(std::move(artifactDir)) {}

QImage Screen::grab(const QString& label) {
    const QString path = QStringLiteral("%1/%2-%3.png")
                             .arg(artifactDir_)
                             .arg(++count_, 3, 10, QLatin1Char('0'))
                             .arg(label);
    QProcess import;
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-display"), display_, QStringLiteral("-silent"),
                  QStringLiteral("-window"), QStringLiteral("root"), path});
    if (!import.waitForFinished(15000) || import.exitStatus() != QProcess::NormalExit ||
        import.exitCode() != 0) {
        import.kill();
        import.waitForFinished();
        return {};
    }
    // `import` saves a grey screen as a grey PNG; compare everything as 32-bit RGB.
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

std::optional<QImage> Screen::grabUntil(const QString& label,
                                        const std::function<bool(const QImage&)>& condition,
                                        std::chrono::milliseconds bound, QImage* last) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        QImage image = grab(label);
        const bool met = !image.isNull() && condition(image);
        if (last != nullptr) *last = image;
        if (met) return image;
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        // A grab takes tens of milliseconds already; this only stops a failing grab from
        // spinning.
        QThread::msleep(20);
    }
}

int colourDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

bool isLightText(QRgb pixel) { return QColor(pixel).lightness() >= 150; }

int countPixels(const QImage& image, const QRect& rect, const std::function<bool(QRgb)>& test) {
    const QRect area = rect.intersected(image.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixel(x, y))) ++count;
        }
    }
    return count;
}

int countUnlike(const QImage& image, const QRect& rect, QRgb colour, int tolerance) {
    return countPixels(image, rect,
                       [&](QRgb pixel) { return colourDistance(pixel, colour) > tolerance; });
}

QString hexColour(QRgb colour) {
    return QStringLiteral("#%1").arg(colour & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

QString checkUniform(const QImage& image, const QRect& rect, QRgb colour, int tolerance) {
    if (!image.rect().contains(rect)) return QStringLiteral("region is outside the screenshot");
    int wrong = 0;
    QPoint first;
    QRgb firstColour = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (colourDistance(pixel, colour) <= tolerance) continue;
            if (wrong++ == 0) {
                first = {x, y};
                firstColour = pixel;
            }
        }
    }
    if (wrong == 0) return {};
    return QStringLiteral("%1 of %2 pixels are not %3; the first, at (%4,%5), is %6")
        .arg(wrong)
        .arg(rect.width() * rect.height())
        .arg(hexColour(colour))
        .arg(first.x())
        .arg(first.y())
        .arg(hexColour(firstColour));
}

int countDifferences(const QImage& a, const QImage& b, const QRect& rect) {
    const QRect area = rect.intersected(a.rect()).intersected(b.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) ++count;
        }
    }
    return count;
}

}  // namespace e2e
