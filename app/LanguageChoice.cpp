#include "app/LanguageChoice.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/UiLanguage.h"
#include "toolkit/ResourceManager.h"

QString LanguageFileFor(int primaryLanguage) {
    switch (primaryLanguage) {
        case platform::kLangChinese:
            return QStringLiteral("lan_zh.xml");
        case platform::kLangGerman:
            return QStringLiteral("lan_de.xml");
        case platform::kLangSpanish:
            return QStringLiteral("lan_es.xml");
        case platform::kLangFrench:
            return QStringLiteral("lan_fr.xml");
        case platform::kLangItalian:
            return QStringLiteral("lan_it.xml");
        default:
            return QStringLiteral("lan_en.xml");
    }
}

QString LoadInterfaceLanguage(int primaryLanguage) {
    CResourceManager& resources = CResourceManager::GetInstance();
    const QString wanted = LanguageFileFor(primaryLanguage);
    if (resources.LoadLanguage(wanted)) return wanted;
    const QString english = QStringLiteral("lan_en.xml");
    return resources.LoadLanguage(english) ? english : QString();
}

bool InstallQtTranslation(QTranslator& translator, int primaryLanguage) {
    // Every Chinese locale gets the skin's Simplified Chinese table; Qt's texts match it.
    if (primaryLanguage != platform::kLangChinese) return false;
    if (!translator.load(QStringLiteral("qt_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
