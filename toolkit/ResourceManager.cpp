#include "toolkit/ResourceManager.h"

#include <QXmlStreamReader>

#include "toolkit/PaintManager.h"

CResourceManager& CResourceManager::GetInstance() {
    static CResourceManager instance;
    return instance;
}

bool CResourceManager::LoadLanguage(const QString& file) {
    const auto bytes = CPaintManagerUI::LoadResource(file);
    return bytes && LoadLanguageFromData(*bytes);
}

bool CResourceManager::LoadLanguageFromData(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    QHash<QString, QString> texts;
    if (!reader.readNextStartElement() || reader.name() != u"Res") return false;
    while (reader.readNextStartElement()) {
        if (reader.name() != u"Text") return false;
        const auto attrs = reader.attributes();
        if (!attrs.hasAttribute(QStringLiteral("id")) ||
            !attrs.hasAttribute(QStringLiteral("value")))
            return false;
        texts.insert(attrs.value(QStringLiteral("id")).toString(),
                     attrs.value(QStringLiteral("value")).toString());
        reader.skipCurrentElement();
    }
    if (reader.hasError()) return false;
    m_texts = std::move(texts);
    return true;
}

QString CResourceManager::GetText(const QString& id) const { return m_texts.value(id, id); }
