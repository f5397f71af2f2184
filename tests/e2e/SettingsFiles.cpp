#include "SettingsFiles.h"

#include <QFile>
#include <QStringList>
#include <cstdint>

namespace e2e {

std::optional<IniText> IniText::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    IniText ini;
    ini.text_ = QString::fromUtf8(file.readAll());
    QString section;
    for (const QString& raw : ini.text_.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            ini.sections_[section];
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0) ini.sections_[section][line.left(eq).trimmed()] = line.mid(eq + 1).trimmed();
    }
    return ini;
}

bool IniText::hasSection(const QString& section) const { return sections_.count(section) > 0; }

std::optional<QString> IniText::value(const QString& section, const QString& key) const {
    const auto s = sections_.find(section);
    if (s == sections_.end()) return std::nullopt;
    const auto k = s->second.find(key);
    if (k == s->second.end()) return std::nullopt;
    return k->second;
}

QString resumeKey(const QString& path) {
    std::uint32_t hash = 2166136261u;
    for (const QChar c : path) {
        const char16_t unit = c.unicode();
        for (const auto byte : {unit & 0xFF, unit >> 8}) {
            hash ^= static_cast<std::uint32_t>(byte);
            hash *= 16777619u;
        }
    }
    return QString::number(hash);
}

}  // namespace e2e
