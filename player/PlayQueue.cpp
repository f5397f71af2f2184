#include "player/PlayQueue.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

#include "player/FileKinds.h"
#include "player/NaturalOrder.h"

void PlayQueue::SetFiles(const QStringList& files) {
    m_files.clear();
    for (const QString& file : files)
        if (!file.isEmpty()) m_files << file;
    m_index = 0;
}

void PlayQueue::SetFolderOf(const QString& file) {
    const QFileInfo info(file);
    if (info.isFile() && IsMediaFileName(file)) {
        QStringList names = MediaNamesIn(info.path());
        const qsizetype index = names.indexOf(info.fileName());
        if (index >= 0) {
            const QString prefix = info.path() + u'/';
            for (QString& name : names) name.prepend(prefix);
            m_files = std::move(names);
            // The file keeps the spelling it was given: its resume entry is found by it.
            m_files[index] = file;
            m_index = index;
            return;
        }
    }
    SetFiles({file});
}

void PlayQueue::Clear() {
    m_files.clear();
    m_index = 0;
}

QStringList PlayQueue::MediaNamesIn(const QString& folder) {
    QStringList names;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        entries.next();
        if (QString name = entries.fileName(); IsMediaFileName(name)) names << std::move(name);
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return NaturalLess(a, b); });
    return names;
}

QStringList PlayQueue::MediaFilesIn(const QString& folder) {
    QStringList files = MediaNamesIn(folder);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    for (QString& name : files) name.prepend(prefix);
    return files;
}

QString PlayQueue::Current() const {
    return m_index < m_files.size() ? m_files.at(m_index) : QString();
}

bool PlayQueue::Advance() {
    if (!HasNext()) return false;
    ++m_index;
    return true;
}

bool PlayQueue::GoBack() {
    if (!HasPrevious()) return false;
    --m_index;
    return true;
}

void PlayQueue::MoveTo(qsizetype index) {
    if (index >= 0 && index < m_files.size()) m_index = index;
}
