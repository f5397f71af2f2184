#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "AppDataFolderTest.h"
#include "platform/AppDataFolder.h"
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

// Others on the machine cannot read the settings folder.
TEST_F(AppDataFolderTest, SettingsFolderIsPrivate) {
    const QFileInfo folder(SettingsStore::Instance().ConfigFilePath().section(u'/', 0, -2));
    EXPECT_TRUE(folder.isDir());
    EXPECT_EQ(folder.permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
}

}  // namespace
