#include "AppDataFolderTest.h"

#include <QDir>
#include <QFileInfo>

#include "platform/AppDataFolder.h"
#include "settings/SettingsFolder.h"
#include "settings/SettingsStore.h"

namespace {

// The process-wide store lives in the user's folder (main() points it into a private one),
// created when a path is built.
TEST_F(AppDataFolderTest, InstanceKeepsItsFilesInTheSettingsFolder) {
    const QString folder = platform::AppDataFolder() + "/MoviraPlayer/";
    EXPECT_EQ(SettingsStore::Instance().ConfigFilePath(), folder + "config.ini");
    EXPECT_EQ(SettingsStore::Instance().ProgressFilePath(), folder + "progress.ini");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(folder.startsWith(qEnvironmentVariable("TEST_HOME")))
        << folder.toStdString() << " " << qEnvironmentVariable("TEST_HOME").toStdString();
}

}  // namespace
