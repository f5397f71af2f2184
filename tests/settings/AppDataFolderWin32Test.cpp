#include <QDir>

#include "AppDataFolderTest.h"
#include "platform/AppDataFolder.h"
#include "platform/PicturesFolder.h"
#include "settings/SettingsFolder.h"

namespace {

// APPDATA, when absolute, names the roaming folder in either separator; otherwise the
// system's own known folder counts, which is a profile's AppData\Roaming.
TEST_F(AppDataFolderTest, AbsoluteAppDataElseTheRoamingKnownFolder) {
    Set("APPDATA", "D:\\Profiles\\someone\\AppData\\Roaming\\");
    EXPECT_EQ(platform::AppDataFolder(), "D:/Profiles/someone/AppData/Roaming");
    EXPECT_EQ(SettingsFolder(), "D:/Profiles/someone/AppData/Roaming/MoviraPlayer/");
    Set("APPDATA", "\\\\server\\home\\someone");
    EXPECT_EQ(platform::AppDataFolder(), "//server/home/someone");

    for (const char* appData : {"relative\\conf", "", static_cast<const char*>(nullptr)}) {
        Set("APPDATA", appData);
        const QString folder = platform::AppDataFolder();
        EXPECT_TRUE(QDir::isAbsolutePath(folder)) << folder.toStdString();
        EXPECT_TRUE(folder.endsWith("/AppData/Roaming", Qt::CaseInsensitive))
            << folder.toStdString();
    }
}

// The Pictures known folder, in forward slashes.
TEST_F(AppDataFolderTest, PicturesFolderIsTheKnownFolder) {
    const QString folder = platform::PicturesFolder();
    EXPECT_TRUE(QDir::isAbsolutePath(folder)) << folder.toStdString();
    EXPECT_FALSE(folder.contains(u'\\')) << folder.toStdString();
    EXPECT_TRUE(folder.endsWith("/Pictures", Qt::CaseInsensitive)) << folder.toStdString();
}

}  // namespace
