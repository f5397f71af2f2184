// Window tests run on Qt's offscreen platform with the embedded skin package loaded.

#include <gtest/gtest.h>

#include <QApplication>

#include "skin/SkinPackage.h"
#include "toolkit/PaintManager.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const SkinPackageBlob skin = EmbeddedSkinPackage();
    if (!CPaintManagerUI::SetResourceZip(skin.data, skin.size)) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
