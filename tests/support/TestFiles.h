#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The file's bytes, or a marker that no file equals.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// An empty file `name` in `folder`, for code that only needs a file to exist; its path.
inline QString EmptyFile(const QString& folder, const QString& name) {
    const QString path = folder + u'/' + name;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) ? path : QString();
}
