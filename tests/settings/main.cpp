// Every test runs with HOME and the settings folder's variable (XDG_CONFIG_HOME, APPDATA on
// Windows) inside one private temporary folder, TEST_HOME, so not even
// SettingsStore::Instance() can reach the real user's settings.
#include <gtest/gtest.h>

#include <QTemporaryDir>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("TEST_HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("APPDATA", QFile::encodeName(home.path() + QStringLiteral("/config")));
    return RUN_ALL_TESTS();
}
