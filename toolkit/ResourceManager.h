#pragma once
// CResourceManager: the process's language table. A control with resource text on shows the
// table's value for the id written in its layout.

#include <QHash>
#include <QString>

class CResourceManager {
  public:
    static CResourceManager& GetInstance();

    // Loads a table ("lan_en.xml") from the skin package, replacing the current one. Returns
    // false, leaving the current table, when the file is missing or is not a valid table.
    bool LoadLanguage(const QString& file);
    // Parses a table from its bytes; the same rules as LoadLanguage.
    bool LoadLanguageFromData(const QByteArray& xml);
    // The value for `id`; an id the table lacks is shown as written.
    QString GetText(const QString& id) const;
    bool HasText(const QString& id) const { return m_texts.contains(id); }
    int TextCount() const { return static_cast<int>(m_texts.size()); }

  private:
    CResourceManager() = default;
    QHash<QString, QString> m_texts;
};
