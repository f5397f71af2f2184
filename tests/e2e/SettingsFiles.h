#pragma once

#include <QString>
#include <map>
#include <optional>

namespace e2e {

// One of the player's INI files as it left it on disk, read without interpreting any
// value, so that tests see the exact text the player wrote.
class IniText {
  public:
    // Nothing when the file cannot be read.
    static std::optional<IniText> load(const QString& path);

    bool hasSection(const QString& section) const;
    std::optional<QString> value(const QString& section, const QString& key) const;
    // The whole file, for failure messages.
    QString text() const { return text_; }

  private:
    QString text_;
    std::map<QString, std::map<QString, QString>> sections_;
};

// The name of a file's section in progress.ini: the 32-bit FNV-1a hash of the path's
// UTF-16 little-endian bytes, in decimal.
QString resumeKey(const QString& path);

}  // namespace e2e
