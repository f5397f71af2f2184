// The Windows icon file the executable's icon resource is made from, read back entry by
// entry: its directory, each image's pixels, and what Qt's own icon reader makes of it.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <vector>

#include "IcoWriter.h"
#include "QtPrinters.h"

namespace {

struct Entry {
    int side;  // from the width and height bytes, 0 read as 256
    int planes;
    int bits;
    QByteArray data;
};

quint16 U16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 U32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The directory and each entry's bytes; fails the test when the file is not laid out as an
// icon file with its images one after the other, right after the directory.
std::vector<Entry> ReadIco(const QByteArray& file) {
    std::vector<Entry> entries;
    EXPECT_GE(file.size(), 6);
    if (file.size() < 6) return entries;
    EXPECT_EQ(U16(file, 0), 0);
    EXPECT_EQ(U16(file, 2), 1);
    const int count = U16(file, 4);
    qsizetype expectedOffset = 6 + 16 * count;
    EXPECT_GE(file.size(), expectedOffset);
    if (file.size() < expectedOffset) return entries;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 6 + 16 * i;
        const int width = quint8(file[at]) ? quint8(file[at]) : 256;
        const int height = quint8(file[at + 1]) ? quint8(file[at + 1]) : 256;
        EXPECT_EQ(width, height) << "entry " << i;
        EXPECT_EQ(file[at + 2], 0) << "entry " << i;
        EXPECT_EQ(file[at + 3], 0) << "entry " << i;
        const quint32 size = U32(file, at + 8);
        const quint32 offset = U32(file, at + 12);
        EXPECT_EQ(offset, expectedOffset) << "entry " << i;
        EXPECT_LE(qsizetype(offset) + size, file.size()) << "entry " << i;
        if (qsizetype(offset) + size > file.size()) return entries;
        entries.push_back({width, U16(file, at + 4), U16(file, at + 6), file.mid(offset, size)});
        expectedOffset += size;
    }
    EXPECT_EQ(expectedOffset, file.size()) << "bytes after the last image";
    return entries;
}

// A 32-bit bitmap entry's colours, and its mask as a picture of the pixels marked
// transparent (white); a null image when the header does not describe one of `side` pixels.
std::pair<QImage, QImage> DecodeBitmap(const QByteArray& data, int side) {
    const int maskStride = (side + 31) / 32 * 4;
    const qsizetype expected = 40 + qsizetype(side) * side * 4 + qsizetype(maskStride) * side;
    EXPECT_EQ(data.size(), expected);
    if (data.size() != expected || U32(data, 0) != 40 || U32(data, 4) != quint32(side) ||
        U32(data, 8) != quint32(2 * side) || U16(data, 12) != 1 || U16(data, 14) != 32 ||
        U32(data, 16) != 0) {
        ADD_FAILURE() << "not a 32-bit bitmap of " << side << " pixels";
        return {};
    }
    QImage colours(side, side, QImage::Format_ARGB32);
    QImage mask(side, side, QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const uchar*>(data.constData() + 40);
    const auto* maskBits = pixels + side * side * 4;
    for (int row = 0; row < side; ++row) {
        const int y = side - 1 - row;  // bottom-up
        for (int x = 0; x < side; ++x) {
            const uchar* p = pixels + (row * side + x) * 4;
            colours.setPixel(x, y, qRgba(p[2], p[1], p[0], p[3]));
            const bool transparent = maskBits[row * maskStride + x / 8] & (0x80 >> (x % 8));
            mask.setPixel(x, y, transparent ? 0xffffffff : 0xff000000);
        }
    }
    return {colours, mask};
}

// Every pixel different, with opaque, clear and half-clear ones, so that a swapped channel,
// a flipped row or premultiplied alpha shows.
QImage Sample(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int alpha = (x + y) % 3 == 0 ? 0 : (x + y) % 3 == 1 ? 255 : 100;
            image.setPixel(x, y, qRgba(x * 255 / side, y * 255 / side, (x ^ y) & 0xff, alpha));
        }
    }
    return image;
}

QImage TransparentWhere(const QImage& image) {
    QImage mask(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            mask.setPixel(x, y, qAlpha(image.pixel(x, y)) == 0 ? 0xffffffff : 0xff000000);
    return mask;
}

// The sides the executable's icon has, and sides where the mask rows need padding or
// span more than one 32-bit word, and the smallest that is stored as PNG.
const std::vector<int> kSides{256, 16, 20, 24, 32, 33, 40, 48, 64, 65, 1};

QByteArray IcoOf(const std::vector<int>& sides) {
    IcoWriter writer;
    for (const int side : sides) EXPECT_TRUE(writer.Add(Sample(side))) << side;
    return writer.Bytes().value_or(QByteArray());
}

TEST(IcoWriter, StoresEachImageExactlyInItsSizeOrder) {
    const std::vector<Entry> entries = ReadIco(IcoOf(kSides));
    ASSERT_EQ(entries.size(), kSides.size());
    std::vector<int> sorted = kSides;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        const int side = sorted[i];
        SCOPED_TRACE(side);
        ASSERT_EQ(entry.side, side);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bits, 32);
        if (side <= IcoWriter::kMaxBitmapSide) {
            const auto [colours, mask] = DecodeBitmap(entry.data, side);
            EXPECT_EQ(colours, Sample(side));
            EXPECT_EQ(mask, TransparentWhere(Sample(side)));
        } else {
            ASSERT_TRUE(entry.data.startsWith("\x89PNG\r\n\x1a\n"));
            const QImage png = QImage::fromData(entry.data, "PNG");
            EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32), Sample(side));
        }
    }
}

// Another reader than the one above: Qt's icon plugin, which follows Windows' own rules.
TEST(IcoWriter, QtReadsEveryImage) {
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("ico"))
        << "Qt's ico image plugin is not installed";
    QByteArray file = IcoOf({16, 32, 48, 256});
    QBuffer buffer(&file);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), 4);
    for (const int side : {16, 32, 48, 256}) {
        SCOPED_TRACE(side);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        // Qt hands the pixels over premultiplied, which is where the two are compared.
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  Sample(side).convertToFormat(QImage::Format_ARGB32_Premultiplied));
        reader.jumpToNextImage();
    }
}

TEST(IcoWriter, RefusesWhatAnIconFileCannotHold) {
    IcoWriter writer;
    EXPECT_FALSE(writer.Bytes().has_value());
    EXPECT_FALSE(writer.Add(QImage()));
    EXPECT_FALSE(writer.Add(QImage(16, 17, QImage::Format_ARGB32)));
    EXPECT_FALSE(writer.Add(Sample(257)));
    EXPECT_FALSE(writer.ErrorString().isEmpty());
    EXPECT_FALSE(writer.Bytes().has_value());
    ASSERT_TRUE(writer.Add(Sample(16)));
    // A second image of one size would leave the shell to pick either.
    EXPECT_FALSE(writer.Add(Sample(16)));
    ASSERT_TRUE(writer.Add(Sample(256)));
    const std::vector<Entry> entries = ReadIco(writer.Bytes().value_or(QByteArray()));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(DecodeBitmap(entries[0].data, 16).first, Sample(16));
}

}  // namespace
