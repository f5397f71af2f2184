// A settings folder the player cannot write to: one that cannot even be made, one on a
// read-only mount, one on a file system that is full. The player plays all the same, ends
// with exit code 0, and what was in the folder stays exactly as it was.
#include <unistd.h>

#include <QDir>

#include "BadInputSession.h"
#include "TestFiles.h"

namespace e2e {
namespace {

// Different from what the player writes for these settings ("35" against "35.0"), and
// without an entry for the clip: every save wants to write both files.
const QByteArray kOldConfig = "[Settings]\nVolume=35\nMute=0\nTopMost=0\nLanguage=lan_en.xml\n";
const QByteArray kOldProgress = "[123456]\nprogress=42.000\nx=1\ny=2\nw=3\nh=4\n";

class SettingsFolderTest : public BadInputTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(BadInputTest::SetUp());
        folder_ = player_->settingsDir();
        ASSERT_NO_FATAL_FAILURE(seedSettings(QStringLiteral("config.ini"), kOldConfig));
        ASSERT_NO_FATAL_FAILURE(seedSettings(QStringLiteral("progress.ini"), kOldProgress));
    }

    // Plays the clip to the point where it moves, then closes the window: exit code 0.
    void playAndClose() {
        ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
        ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());
        ASSERT_NO_FATAL_FAILURE(closeAndExpectCleanExit());
        EXPECT_EQ(otherWindowsShown(), QStringList());
    }

    QString folder_;
};

// XDG_CONFIG_HOME names a folder inside a regular file: nothing can be made there.
TEST_F(SettingsFolderTest, CannotBeCreated) {
    const QString blocker = inputs_ + QStringLiteral("/a file");
    const QByteArray content = "not a folder\n";
    ASSERT_TRUE(WriteFile(blocker, content));
    player_->setEnv(QStringLiteral("XDG_CONFIG_HOME"), blocker + QStringLiteral("/config"));

    ASSERT_NO_FATAL_FAILURE(playAndClose());
    EXPECT_EQ(ReadFile(blocker), content);
    EXPECT_EQ(FolderEntries(inputs_), QStringList{QStringLiteral("a file")});
}

// The settings folder is mounted read-only, in a mount namespace of the player's own.
TEST_F(SettingsFolderTest, ReadOnly) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount";
    const QStringList before = FolderEntries(folder_);
    player_->setLauncher({QStringLiteral("unshare"), QStringLiteral("-m"),
                          QStringLiteral("--propagation"), QStringLiteral("private"),
                          QStringLiteral("sh"), QStringLiteral("-c"),
                          QStringLiteral("dir=$1; shift; mount --bind \"$dir\" \"$dir\" && "
                                         "mount -o remount,bind,ro \"$dir\" && exec \"$@\""),
                          QStringLiteral("sh"), folder_});

    ASSERT_NO_FATAL_FAILURE(playAndClose());
    EXPECT_EQ(ReadFile(folder_ + QStringLiteral("/config.ini")), kOldConfig);
    EXPECT_EQ(ReadFile(folder_ + QStringLiteral("/progress.ini")), kOldProgress);
    EXPECT_EQ(FolderEntries(folder_), before);
}

// The settings folder is a 16 KiB tmpfs, in a mount namespace of the player's own, filled
// up before the player starts. The mount vanishes with the namespace, so the launcher
// copies what the folder holds at the end out to `out`, with a listing and whether the
// file system really was full.
TEST_F(SettingsFolderTest, FileSystemFull) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount";
    const QString out = inputs_ + QStringLiteral("/after");
    ASSERT_TRUE(QDir().mkpath(out + QStringLiteral("/seed")));
    player_->setLauncher(
        {QStringLiteral("unshare"), QStringLiteral("-m"), QStringLiteral("--propagation"),
         QStringLiteral("private"), QStringLiteral("sh"), QStringLiteral("-c"),
         QStringLiteral(
             "dir=$1; out=$2; shift 2\n"
             "cp -p \"$dir\"/*.ini \"$out/seed/\" || exit 101\n"
             "mount -t tmpfs -o size=16k tmpfs \"$dir\" || exit 102\n"
             "cp -p \"$out\"/seed/*.ini \"$dir/\" || exit 103\n"
             "cat /dev/zero > \"$dir/filler\" 2>/dev/null\n"
             "if printf x > \"$dir/probe\" 2>/dev/null; then echo room; else echo full; fi "
             "> \"$out/state\"\n"
             "rm -f \"$dir/probe\"\n"
             "\"$@\"; code=$?\n"
             "cp -p \"$dir\"/*.ini \"$out/\"; ls -A \"$dir\" > \"$out/listing\"\n"
             "exit $code"),
         QStringLiteral("sh"), folder_, out});

    ASSERT_NO_FATAL_FAILURE(playAndClose());
    EXPECT_EQ(ReadFile(out + QStringLiteral("/state")), "full\n");
    EXPECT_EQ(ReadFile(out + QStringLiteral("/config.ini")), kOldConfig);
    EXPECT_EQ(ReadFile(out + QStringLiteral("/progress.ini")), kOldProgress);
    // Lock files may stay (they take no space); nothing a failed save wrote may.
    QStringList left = QString::fromUtf8(ReadFile(out + QStringLiteral("/listing")))
                           .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    left.removeAll(QStringLiteral("config.ini.lock"));
    left.removeAll(QStringLiteral("progress.ini.lock"));
    EXPECT_EQ(left, (QStringList{QStringLiteral("config.ini"), QStringLiteral("filler"),
                                 QStringLiteral("progress.ini")}));
}

}  // namespace
}  // namespace e2e
