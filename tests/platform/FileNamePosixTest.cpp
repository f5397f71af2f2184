// Names on Linux are bytes: a name is looked up by its own bytes, and file: URIs give the
// bytes their percent-escapes stand for.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>
#include <optional>
#include <utility>

#include "platform/FileName.h"
#include "platform/FileUri.h"

namespace {

using platform::DecodeFileName;
using platform::EncodeFileName;

// Escaped bytes are written as \xDCnn code units: byte nn as DecodeFileName gives it.
QString U(const char16_t* text) { return QString::fromUtf16(text); }

TEST(FileName, ExistenceIsLookedUpByTheNamesOwnBytes) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray latin1 = folder + "/caf\xE9.mp4";
    const int fd = ::open(latin1.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    // Qt reads the name as another and could not remove it with the folder.
    const std::unique_ptr<const char, int (*)(const char*)> removal(latin1.constData(), ::unlink);

    EXPECT_TRUE(platform::FileExists(DecodeFileName(latin1)));
    EXPECT_TRUE(platform::FileExists(dir.path())) << "a folder exists too";
    // What Qt's own decoding makes of the name is another name.
    EXPECT_FALSE(platform::FileExists(QString::fromUtf8(latin1)));
    EXPECT_FALSE(platform::FileExists(dir.path() + QStringLiteral("/café.mp4")));
    EXPECT_FALSE(platform::FileExists(QString()));
    // Cut at the NUL, the name would be the folder's.
    EXPECT_FALSE(platform::FileExists(dir.path() + QChar(u'\0') + QStringLiteral("x")));
}

struct UriCase {
    const char* uri;
    std::optional<QString> name;
};

TEST(FileUri, LocalUrisGiveTheBytesOfTheirEscapes) {
    const UriCase cases[] = {
        {"file:///tmp/a%20b.mp4", QStringLiteral("/tmp/a b.mp4")},
        {"file:///tmp/caf%E9.mp4", U(u"/tmp/caf\xDCE9.mp4")},
        {"file:///tmp/%E8%A7%86%e9%a2%91.mp4", QStringLiteral(u"/tmp/视频.mp4")},
        {"file://localhost/x", QStringLiteral("/x")},
        {"FILE://LocalHost/X%2fY", QStringLiteral("/X/Y")},
        {"file:/tmp/x", QStringLiteral("/tmp/x")},
        {"file:///", QStringLiteral("/")},
        {"file:///tmp/100%.mp4", QStringLiteral("/tmp/100%.mp4")},
        {"file:///tmp/a%2", QStringLiteral("/tmp/a%2")},
        {"file:///tmp/a%zz", QStringLiteral("/tmp/a%zz")},
        {"file:///tmp/a%23b.mp4?query#part", QStringLiteral("/tmp/a#b.mp4")},
        {"file:///tmp/\xC3\xA9\xE9", U(u"/tmp/é\xDCE9")},
        {"file://server/share/x", std::nullopt},
        {"file://localhost", std::nullopt},
        {"file:relative", std::nullopt},
        {"http://host/a.mp4", std::nullopt},
        {"/tmp/file:///x", std::nullopt},
        {"fil", std::nullopt},
    };
    for (const UriCase& c : cases) EXPECT_EQ(platform::LocalFileOfUri(c.uri), c.name) << c.uri;
}

// Names as the desktop's media controls hear of them; each is read back as it was.
TEST(FileUri, NamesBecomeFileUrisOfTheirBytes) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("/m/a b#1.mp4"), QStringLiteral("file:///m/a%20b%231.mp4")},
        {QStringLiteral(u"/m/测.mp4"), QStringLiteral("file:///m/%E6%B5%8B.mp4")},
        // A name that is not UTF-8 keeps its own byte.
        {U(u"/m/caf\xDCE9.mp4"), QStringLiteral("file:///m/caf%E9.mp4")},
        {QStringLiteral("/m/100%?x=1"), QStringLiteral("file:///m/100%25%3Fx%3D1")},
        {QStringLiteral("/m/-._~+,;"), QStringLiteral("file:///m/-._~%2B%2C%3B")},
        {QStringLiteral("/"), QStringLiteral("file:///")},
        {QStringLiteral("//m//x"), QStringLiteral("file:////m//x")},
    };
    for (const auto& [name, uri] : cases) {
        EXPECT_EQ(platform::FileUriOf(name), uri) << name.toStdString();
        EXPECT_EQ(platform::LocalFileOfUri(uri.toLatin1()), name) << uri.toStdString();
    }
    // A relative name is taken from the current folder, as QUrl takes it.
    EXPECT_EQ(platform::FileUriOf(QStringLiteral("clip 1.mp4")),
              QUrl::fromLocalFile(QDir::currentPath() + QStringLiteral("/clip 1.mp4"))
                  .toString(QUrl::FullyEncoded));
}

// A desktop's file dialog hands its answer to the program as a QUrl; the escape of a byte
// that is not UTF-8 survives it.
TEST(FileUri, QUrlKeepsTheEscapesOfBytesThatAreNotUtf8) {
    const QUrl url(QStringLiteral("file:///tmp/caf%E9%20x.mp4"));
    const auto name = platform::LocalFileOfUri(url.toEncoded());
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(EncodeFileName(*name), "/tmp/caf\xE9 x.mp4");
    EXPECT_EQ(
        platform::LocalFileOfUri(QUrl::fromLocalFile(QStringLiteral(u"/m/视 #1%.mp4")).toEncoded()),
        QStringLiteral(u"/m/视 #1%.mp4"));
}

}  // namespace
