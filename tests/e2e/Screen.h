#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

namespace e2e {

// Screenshots of a whole X display, taken with ImageMagick's `import` and saved, numbered
// in order, in the test's artifact folder so that a failed test can be looked at later.
class Screen {
  public:
    Screen(QString display, QString artifactDir);

    // A null image when the grab failed.
    QImage grab(const QString& label);

    // Grabs until `condition` holds for a screenshot or `bound` has passed. Returns the
    // screenshot that satisfied it, or nothing; the last one taken is kept in `last`.
    std::optional<QImage> grabUntil(const QString& label,
                                    const std::function<bool(const QImage&)>& condition,
                                    std::chrono::milliseconds bound, QImage* last = nullptr);

  private:
    QString display_;
    QString artifactDir_;
    int count_ = 0;
};

// Largest difference of the red, green and blue channels.
int colourDistance(QRgb a, QRgb b);

// The player's light grey texts (the time, the speed, the captions) against its dark bars.
bool isLightText(QRgb pixel);

// Pixels of `rect` (clipped to the image) for which `test` holds.
int countPixels(const QImage& image, const QRect& rect, const std::function<bool(QRgb)>& test);

// Pixels of `rect` further than `tolerance` from `colour`.
int countUnlike(const QImage& image, const QRect& rect, QRgb colour, int tolerance = 8);

// Empty when every pixel of `rect` is within `tolerance` of `colour`; otherwise a
// description of how many are not and the first of them, for the failure message.
QString checkUniform(const QImage& image, const QRect& rect, QRgb colour, int tolerance = 2);

// Pixels of `rect` that differ between two screenshots of the same display.
int countDifferences(const QImage& a, const QImage& b, const QRect& rect);

QString hexColour(QRgb colour);

}  // namespace e2e
