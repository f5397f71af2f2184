#include "IcoWriter.h"

#include <QBuffer>
#include <QtEndian>

namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr int kBitmapHeaderSize = 40;

void Append16(QByteArray& bytes, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void Append32(QByteArray& bytes, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

}  // namespace

bool IcoWriter::Add(const QImage& image) {
    if (image.isNull()) {
        m_error = QStringLiteral("the image is empty");
        return false;
    }
    const int side = image.width();
    if (image.height() != side || side > kMaxSide) {
        m_error = QStringLiteral("an icon image must be square and at most %1 pixels, not %2x%3")
                      .arg(kMaxSide)
                      .arg(image.width())
                      .arg(image.height());
        return false;
    }
    if (m_images.count(side)) {
        m_error = QStringLiteral("two images of %1 pixels").arg(side);
        return false;
    }
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    m_images[side] = side <= kMaxBitmapSide ? Bitmap(straight) : Png(straight);
    if (m_images[side].isEmpty()) {
        m_images.erase(side);
        m_error = QStringLiteral("cannot encode the image of %1 pixels").arg(side);
        return false;
    }
    return true;
}

std::optional<QByteArray> IcoWriter::Bytes() const {
    if (m_images.empty()) return std::nullopt;
    QByteArray file;
    Append16(file, 0);  // reserved
    Append16(file, 1);  // an icon, not a cursor
    Append16(file, quint16(m_images.size()));
    quint32 offset = kDirectorySize + kEntrySize * quint32(m_images.size());
    for (const auto& [side, data] : m_images) {
        // A side of 256 does not fit the byte and is written as 0.
        file.append(char(side == kMaxSide ? 0 : side));
        file.append(char(side == kMaxSide ? 0 : side));
        file.append(char(0));  // no palette
        file.append(char(0));  // reserved
        Append16(file, 1);     // planes
        Append16(file, 32);    // bits a pixel
        Append32(file, quint32(data.size()));
        Append32(file, offset);
        offset += quint32(data.size());
    }
    for (const auto& entry : m_images) file.append(entry.second);
    return file;
}

QString IcoWriter::ErrorString() const { return m_error; }

QByteArray IcoWriter::Bitmap(const QImage& image) {
    const int side = image.width();
    // The transparency mask that follows the colours: one bit a pixel, rows padded to 32 bits.
    const int maskStride = (side + 31) / 32 * 4;
    QByteArray bitmap;
    Append32(bitmap, kBitmapHeaderSize);
    Append32(bitmap, quint32(side));
    Append32(bitmap, quint32(2 * side));  // the colours and the mask, one above the other
    Append16(bitmap, 1);                  // planes
    Append16(bitmap, 32);                 // bits a pixel
    Append32(bitmap, 0);                  // uncompressed
    Append32(bitmap, quint32(side * side * 4 + maskStride * side));
    for (int i = 0; i < 4; ++i) Append32(bitmap, 0);  // resolution, palette
    // Rows from the bottom up, each pixel blue, green, red, alpha.
    for (int y = side - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            bitmap.append(char(qBlue(row[x])));
            bitmap.append(char(qGreen(row[x])));
            bitmap.append(char(qRed(row[x])));
            bitmap.append(char(qAlpha(row[x])));
        }
    }
    // Set bits are transparent, for whatever draws the icon without its alpha channel.
    for (int y = side - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray mask(maskStride, '\0');
        for (int x = 0; x < side; ++x)
            if (qAlpha(row[x]) == 0) mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        bitmap.append(mask);
    }
    return bitmap;
}

QByteArray IcoWriter::Png(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return png;
}
