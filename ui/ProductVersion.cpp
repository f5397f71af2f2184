#include "ui/ProductVersion.h"

namespace {
// What the About window shows when the build carries no version at all.
constexpr char16_t kFallbackVersion[] = u"1.0.0";
}  // namespace

QString ProductVersionFrom(const QString& versionText) {
    if (versionText.isEmpty()) return QString::fromUtf16(kFallbackVersion);
    int dots = 0;
    for (qsizetype i = 0; i < versionText.size(); ++i) {
        if (versionText.at(i) == u'.' && ++dots == 3) return versionText.left(i);
    }
    return versionText;
}

QString GetProductVersion() {
#ifdef MOVIRA_VERSION
    return ProductVersionFrom(QStringLiteral(MOVIRA_VERSION));
#else
    return ProductVersionFrom(QString());
#endif
}
