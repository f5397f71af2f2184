// Names on Windows are UTF-16 paths with either separator; file: URIs name drives
// ("file:///C:/…") and network shares ("file://server/share/…").
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <utility>

#include "platform/FileName.h"
#include "platform/FileUri.h"

namespace {

// A name outside any ANSI code page is found as it is, in either separator; the folder too.
TEST(FileName, ExistenceIsLookedUpByTheWholeName) {
    QTemporaryDir dir;
    const QString name = dir.path() + QStringLiteral(u"/张三 电影 😀.mp4");
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_TRUE(platform::FileExists(name));
    EXPECT_TRUE(platform::FileExists(QDir::toNativeSeparators(name)));
    EXPECT_TRUE(platform::FileExists(dir.path())) << "a folder exists too";
    EXPECT_FALSE(platform::FileExists(dir.path() + QStringLiteral(u"/张三 电影.mp4")));
    EXPECT_FALSE(platform::FileExists(QString()));
    // Cut at the NUL, the name would be the folder's.
    EXPECT_FALSE(platform::FileExists(dir.path() + QChar(u'\0') + QStringLiteral("x")));
}

TEST(FileUri, LocalUrisGiveDrivesAndShares) {
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"file:///C:/tmp/a%20b.mp4", QStringLiteral("C:\\tmp\\a b.mp4")},
        {"file:///D:/%E8%A7%86%e9%a2%91.mp4", QStringLiteral(u"D:\\视频.mp4")},
        {"FILE://LocalHost/c:/X%2fY", QStringLiteral("c:\\X\\Y")},
        {"file:/C:/x", QStringLiteral("C:\\x")},
        {"file:///c|/old", QStringLiteral("c:\\old")},
        {"file:///C:/", QStringLiteral("C:\\")},
        {"file:///C:/a%23b.mp4?query#part", QStringLiteral("C:\\a#b.mp4")},
        {"file://server/share/x%20y.mkv", QStringLiteral("\\\\server\\share\\x y.mkv")},
        {"file:////server/share/x", QStringLiteral("\\\\server\\share\\x")},
        // No drive: nothing on this machine has that name.
        {"file:///tmp/x", std::nullopt},
        {"file:///C", std::nullopt},
        {"file:relative", std::nullopt},
        {"http://host/a.mp4", std::nullopt},
    };
    for (const auto& [uri, name] : cases) EXPECT_EQ(platform::LocalFileOfUri(uri), name) << uri;
}

// Names as other programs hear of them; each is read back as it was, in native form.
TEST(FileUri, NamesBecomeFileUris) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("C:\\m\\a b#1.mp4"), QStringLiteral("file:///C:/m/a%20b%231.mp4")},
        {QStringLiteral(u"D:\\测.mp4"), QStringLiteral("file:///D:/%E6%B5%8B.mp4")},
        {QStringLiteral("C:\\m\\100%?x=1"), QStringLiteral("file:///C:/m/100%25%3Fx%3D1")},
        {QStringLiteral("\\\\server\\share\\x y"), QStringLiteral("file://server/share/x%20y")},
    };
    for (const auto& [name, uri] : cases) {
        EXPECT_EQ(platform::FileUriOf(name), uri) << name.toStdString();
        EXPECT_EQ(platform::LocalFileOfUri(uri.toLatin1()), name) << uri.toStdString();
    }
    EXPECT_EQ(platform::FileUriOf(QStringLiteral("C:/m/x.mp4")),
              QStringLiteral("file:///C:/m/x.mp4"))
        << "either separator";
}

}  // namespace
