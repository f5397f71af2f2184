#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDir>

#include "platform/AppDataFolder.h"
#include "settings/SettingsFolder.h"
#include "settings/SettingsStore.h"

namespace {

// Changes HOME and XDG_CONFIG_HOME for one test; puts back the private values the test
// program runs with. A null value unsets the variable.
class AppDataFolderTest : public testing::Test {
  protected:
    void TearDown() override {
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", config);
    }

    static void Set(const char* name, const char* value) {
        value != nullptr ? qputenv(name, value) : qunsetenv(name);
    }

    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
};

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

// The process-wide store lives in the user's folder, created private when a path is built.
TEST_F(AppDataFolderTest, InstanceKeepsItsFilesInTheSettingsFolder) {
    const QString folder = QFile::decodeName(config) + "/MoviraPlayer/";
    EXPECT_EQ(SettingsStore::Instance().ConfigFilePath(), folder + "config.ini");
    EXPECT_EQ(SettingsStore::Instance().ProgressFilePath(), folder + "progress.ini");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
}

}  // namespace
