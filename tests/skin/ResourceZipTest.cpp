// ResourceZip over archives built here, the embedded package, and bytes that are no archive
// at all: whatever it is given, it either reads members exactly or refuses cleanly.

#include <gtest/gtest.h>

#include <QHash>
#include <random>

#include "EmbeddedSkin.h"
#include "QtPrinters.h"
#include "ZipPacker.h"
#include "skin/SkinPackage.h"
#include "toolkit/ResourceZip.h"

namespace {

QByteArray AllByteValues() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) bytes.append(char(i));
    return bytes;
}

const QByteArray kText = QByteArray("a line that deflates well\n").repeated(400);
const QByteArray kBinary = AllByteValues();

// text.txt (deflated), dir/binary.bin (stored), empty.txt.
QByteArray SampleArchive() {
    ZipPacker packer;
    EXPECT_TRUE(packer.Add("text.txt", kText, ZipPacker::Method::Deflate));
    EXPECT_TRUE(packer.Add("dir/binary.bin", kBinary, ZipPacker::Method::Store));
    EXPECT_TRUE(packer.Add("empty.txt", QByteArray(), ZipPacker::Method::Deflate));
    const std::optional<QByteArray> bytes = packer.Finish();
    EXPECT_TRUE(bytes.has_value()) << packer.ErrorString().toStdString();
    return bytes.value_or(QByteArray());
}

QByteArray EmbeddedBytes() {
    const SkinPackageBlob blob = EmbeddedSkinPackage();
    return QByteArray(reinterpret_cast<const char*>(blob.data), qsizetype(blob.size));
}

void ExpectClosed(const ResourceZip& zip) {
    EXPECT_FALSE(zip.IsOpen());
    EXPECT_TRUE(zip.Names().isEmpty());
    EXPECT_FALSE(zip.Read("text.txt").has_value());
}

TEST(ResourceZip, ReadsStoredDeflatedAndEmptyMembersExactly) {
    const QByteArray archive = SampleArchive();
    ResourceZip zip;
    ASSERT_TRUE(zip.Open(archive.constData(), archive.size()));
    EXPECT_TRUE(zip.IsOpen());
    EXPECT_EQ(zip.Names(), QStringList({"text.txt", "dir/binary.bin", "empty.txt"}));
    EXPECT_EQ(zip.Read("text.txt"), kText);
    EXPECT_EQ(zip.Read("dir/binary.bin"), kBinary);
    EXPECT_EQ(zip.Read("empty.txt"), QByteArray());
    // Reading again starts from the beginning.
    EXPECT_EQ(zip.Read("text.txt"), kText);
}

TEST(ResourceZip, KeepsItsOwnCopyOfTheBytes) {
    QByteArray archive = SampleArchive();
    ResourceZip zip;
    ASSERT_TRUE(zip.Open(archive.constData(), archive.size()));
    archive.fill('\0');
    EXPECT_EQ(zip.Read("dir/binary.bin"), kBinary);
}

TEST(ResourceZip, MatchesOnlyTheExactName) {
    const QByteArray archive = SampleArchive();
    ResourceZip zip;
    ASSERT_TRUE(zip.Open(archive.constData(), archive.size()));
    for (const char* name : {"", "missing.txt", "binary.bin", "/dir/binary.bin", "dir/BINARY.bin",
                             "dir\\binary.bin", "dir", "dir/", "text.txt ", "./text.txt"})
        EXPECT_FALSE(zip.Read(name).has_value()) << '"' << name << '"';
}

TEST(ResourceZip, RejectsNullAndEmptyInput) {
    const QByteArray archive = SampleArchive();
    ResourceZip zip;
    EXPECT_FALSE(zip.Open(nullptr, 0));
    ExpectClosed(zip);
    EXPECT_FALSE(zip.Open(nullptr, archive.size()));
    ExpectClosed(zip);
    EXPECT_FALSE(zip.Open(archive.constData(), 0));
    ExpectClosed(zip);
}

TEST(ResourceZip, ReplacesTheOpenArchiveAndClosesItOnFailure) {
    const QByteArray archive = SampleArchive();
    const QByteArray skin = EmbeddedBytes();
    ResourceZip zip;
    ASSERT_TRUE(zip.Open(archive.constData(), archive.size()));
    ASSERT_TRUE(zip.Open(skin.constData(), skin.size()));
    EXPECT_FALSE(zip.Read("text.txt").has_value());
    EXPECT_TRUE(zip.Read("main.xml").has_value());

    const QByteArray garbage(100, 'x');
    EXPECT_FALSE(zip.Open(garbage.constData(), garbage.size()));
    ExpectClosed(zip);
    EXPECT_FALSE(zip.Read("main.xml").has_value());
}

TEST(ResourceZip, RejectsTruncatedArchives) {
    for (const QByteArray& archive : {SampleArchive(), EmbeddedBytes()}) {
        const qsizetype size = archive.size();
        for (const qsizetype length : {qsizetype(1), qsizetype(4), qsizetype(21), qsizetype(22),
                                       size / 4, size / 2, size - 22, size - 1}) {
            ResourceZip zip;
            EXPECT_FALSE(zip.Open(archive.constData(), std::size_t(length)))
                << length << " of " << size;
            ExpectClosed(zip);
        }
    }
}

TEST(ResourceZip, RejectsRandomBytes) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const int size : {1, 3, 22, 64, 1000, 65536}) {
        QByteArray noise(size, Qt::Uninitialized);
        for (char& c : noise) c = char(byte(random));
        ResourceZip zip;
        EXPECT_FALSE(zip.Open(noise.constData(), noise.size())) << size;
        ExpectClosed(zip);

        // Noise that ends in an end-of-archive record leads the reader on into the noise.
        QByteArray baited = noise + QByteArray("PK\x05\x06\0\0\0\0\x01\0\x01\0", 12) +
                            QByteArray("\x2e\0\0\0\0\0\0\0\0\0", 10);
        EXPECT_FALSE(zip.Open(baited.constData(), baited.size())) << size;
        ExpectClosed(zip);
    }
}

TEST(ResourceZip, DetectsDamagedMemberData) {
    QByteArray archive = SampleArchive();
    const qsizetype at = archive.indexOf(kBinary);
    ASSERT_GE(at, 0);
    archive[at + 100] = char(archive[at + 100] ^ 0x01);
    ResourceZip zip;
    // The directory is intact, so the archive opens; the damaged member fails its checksum.
    ASSERT_TRUE(zip.Open(archive.constData(), archive.size()));
    EXPECT_FALSE(zip.Read("dir/binary.bin").has_value());
    EXPECT_EQ(zip.Read("text.txt"), kText);
}

// Random damage anywhere, and more often in the directory at the end: the archive may still
// open, but every member read must then be exactly what was packed.
TEST(ResourceZip, NeverReturnsWrongContentFromDamagedArchives) {
    const QByteArray original = EmbeddedBytes();
    QHash<QString, QByteArray> contents;
    for (const QString& name : EmbeddedSkin().Names()) contents.insert(name, SkinMember(name));

    std::mt19937 random(77);
    const qsizetype size = original.size();
    std::uniform_int_distribution<qsizetype> anywhere(0, size - 1);
    std::uniform_int_distribution<qsizetype> tail(std::max<qsizetype>(0, size - 4096), size - 1);
    std::uniform_int_distribution<int> flip(1, 255);
    int opened = 0;
    for (int round = 0; round < 200; ++round) {
        QByteArray damaged = original;
        for (int hits = 1 + round % 3; hits > 0; --hits) {
            const qsizetype at = round % 2 ? tail(random) : anywhere(random);
            damaged[at] = char(damaged[at] ^ flip(random));
        }
        ResourceZip zip;
        if (!zip.Open(damaged.constData(), damaged.size())) continue;
        ++opened;
        for (const QString& name : zip.Names()) {
            const std::optional<QByteArray> bytes = zip.Read(name);
            if (bytes) {
                ASSERT_EQ(*bytes, contents.value(name))
                    << "round " << round << ": " << name.toStdString();
            }
        }
    }
    // Most single hits land in image data, which leaves the archive readable: the reads above
    // really ran.
    EXPECT_GT(opened, 0);
}

}  // namespace
