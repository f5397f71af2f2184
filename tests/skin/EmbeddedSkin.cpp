#include "EmbeddedSkin.h"

#include <gtest/gtest.h>

#include "skin/SkinPackage.h"

const ResourceZip& EmbeddedSkin() {
    static ResourceZip zip;
    static const bool opened = [] {
        const SkinPackageBlob blob = EmbeddedSkinPackage();
        return zip.Open(blob.data, blob.size);
    }();
    EXPECT_TRUE(opened) << "the embedded package does not open";
    return zip;
}

QByteArray SkinMember(const QString& name) {
    const std::optional<QByteArray> bytes = EmbeddedSkin().Read(name);
    EXPECT_TRUE(bytes.has_value()) << "missing from the package: " << name.toStdString();
    return bytes.value_or(QByteArray());
}
