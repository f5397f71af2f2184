// Toolkit, start-up and window tests run on Qt's offscreen platform with the embedded skin
// package loaded, and with HOME and XDG_CONFIG_HOME in a private temporary folder so that no
// user file is touched.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "skin/SkinPackage.h"
#include "toolkit/PaintManager.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid()) return 2;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    QApplication app(argc, argv);
    const SkinPackageBlob skin = EmbeddedSkinPackage();
    if (!CPaintManagerUI::SetResourceZip(skin.data, skin.size)) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
