#pragma once
// Builds a Windows icon file (.ico) in memory from square images of several sizes, so that
// the shell picks the one drawn for the size it shows instead of scaling another. Images of
// up to 64 pixels are stored as 32-bit bitmaps with an alpha channel, which every part of
// Windows reads; bigger ones as PNG, which keeps the 256-pixel image small.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <map>
#include <optional>

class IcoWriter {
  public:
    // The biggest side an icon file can describe.
    static constexpr int kMaxSide = 256;
    // Sides up to this one are stored as bitmaps.
    static constexpr int kMaxBitmapSide = 64;

    // Adds an image at its own size; false when it is null, not square, bigger than
    // kMaxSide or of a size already added.
    bool Add(const QImage& image);

    // The file, its images ordered from the smallest; nullopt when none was added.
    std::optional<QByteArray> Bytes() const;

    // Why the last failing call failed.
    QString ErrorString() const;

  private:
    static QByteArray Bitmap(const QImage& image);
    static QByteArray Png(const QImage& image);

    // Each image's encoded bytes by its side.
    std::map<int, QByteArray> m_images;
    QString m_error;
};
