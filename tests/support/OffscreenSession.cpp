#include "OffscreenSession.h"

#include <QFile>

#include "skin/SkinPackage.h"
#include "toolkit/PaintManager.h"

OffscreenSession::OffscreenSession() {
    // A test may ask for the offscreen platform with a screen layout of its own.
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QStringLiteral("offscreen:")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!m_home.isValid()) return;
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/config")));
    // Where Windows keeps the settings folder.
    qputenv("APPDATA", QFile::encodeName(m_home.path() + QStringLiteral("/config")));
}

bool OffscreenSession::LoadSkin() const {
    const SkinPackageBlob skin = EmbeddedSkinPackage();
    return CPaintManagerUI::SetResourceZip(skin.data, skin.size);
}
