// Every test runs with HOME and XDG_CONFIG_HOME inside one private temporary folder, so not
// even SettingsStore::Instance() can reach the real user's settings.
#include <gtest/gtest.h>

#include <QTemporaryDir>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    return RUN_ALL_TESTS();
}
