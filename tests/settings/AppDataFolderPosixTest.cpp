#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "AppDataFolderTest.h"
#include "TestFiles.h"
#include "platform/AppDataFolder.h"
#include "platform/PicturesFolder.h"
#include "settings/SettingsFolder.h"
#include "settings/SettingsStore.h"

namespace {

TEST_F(AppDataFolderTest, AbsoluteXdgConfigHomeElseHomeConfig) {
    Set("HOME", "/home/someone/");
    Set("XDG_CONFIG_HOME", "/data/conf//");
    EXPECT_EQ(platform::AppDataFolder(), "/data/conf");
    EXPECT_EQ(SettingsFolder(), "/data/conf/MoviraPlayer/");
    Set("XDG_CONFIG_HOME", "/");
    EXPECT_EQ(SettingsFolder(), "/MoviraPlayer/");

    // A relative XDG_CONFIG_HOME must be ignored like an empty one.
    for (const char* xdg : {"relative/conf", "", static_cast<const char*>(nullptr)}) {
        Set("XDG_CONFIG_HOME", xdg);
        EXPECT_EQ(platform::AppDataFolder(), "/home/someone/.config") << xdg;
    }
    // Without HOME the account's home folder counts, not the root or the current folder.
    Set("HOME", nullptr);
    const passwd* account = getpwuid(getuid());
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(platform::AppDataFolder(), QDir::cleanPath(QString(account->pw_dir) + "/.config"));
}

// XDG_PICTURES_DIR when absolute, else the desktop's folder from user-dirs.dirs under
// XDG_CONFIG_HOME (with $HOME in it), else $HOME/Pictures.
TEST_F(AppDataFolderTest, PicturesFolderFromTheVariableElseUserDirsElseHome) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray homePath = QFile::encodeName(home.path());
    Set("HOME", homePath.constData());
    Set("XDG_CONFIG_HOME", (homePath + "/conf").constData());
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("conf")));
    struct Case {
        const char* userDirs;  // the file's text; none when null
        const char* variable;  // XDG_PICTURES_DIR; unset when null
        QString expected;      // "~" for the home folder
    };
    const Case cases[] = {
        {nullptr, nullptr, "~/Pictures"},
        {nullptr, "relative/shots", "~/Pictures"},
        {nullptr, "/srv/shots//", "/srv/shots"},
        {"# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", nullptr,
         "~/Bilder"},
        {"XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", "", "~/Bilder"},
        {"XDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_PICTURES_DIR=\"/data/Fotos\"\n", nullptr,
         "/data/Fotos"},
        {"XDG_PICTURES_DIR=\"/data/Fotos\"\n", "/srv/shots", "/srv/shots"},
        {"XDG_MUSIC_DIR=\"$HOME/Musik\"\n", nullptr, "~/Pictures"},
    };
    const QString userDirs = home.path() + QStringLiteral("/conf/user-dirs.dirs");
    for (const Case& c : cases) {
        QFile::remove(userDirs);
        if (c.userDirs) {
            ASSERT_TRUE(WriteFile(userDirs, c.userDirs));
        }
        Set("XDG_PICTURES_DIR", c.variable);
        QString expected = c.expected;
        expected.replace(u'~', home.path());
        EXPECT_EQ(platform::PicturesFolder(), expected)
            << (c.userDirs ? c.userDirs : "(no user-dirs.dirs)") << " "
            << (c.variable ? c.variable : "(unset)");
    }
}

// Others on the machine cannot read the settings folder.
TEST_F(AppDataFolderTest, SettingsFolderIsPrivate) {
    const QFileInfo folder(SettingsStore::Instance().ConfigFilePath().section(u'/', 0, -2));
    EXPECT_TRUE(folder.isDir());
    EXPECT_EQ(folder.permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
}

}  // namespace
