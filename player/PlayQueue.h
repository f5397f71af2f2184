#pragma once
// The files the player goes through, one after another: the files given together, in that
// order, or the media files of the folder of a file given alone, in natural order.

#include <QString>
#include <QStringList>

class PlayQueue {
  public:
    // The files given together; the first is current. Empty names are left out.
    void SetFiles(const QStringList& files);
    // `file` with the media files of its folder around it; `file` alone when it is not one
    // of them (another type, an address, a folder).
    void SetFolderOf(const QString& file);
    void Clear();

    // The media files of `folder` in natural order, with their whole paths.
    static QStringList MediaFilesIn(const QString& folder);

    bool IsEmpty() const { return m_files.isEmpty(); }
    qsizetype Size() const { return m_files.size(); }
    qsizetype Index() const { return m_index; }
    const QStringList& Files() const { return m_files; }
    // The current file; empty when the queue is.
    QString Current() const;
    bool HasNext() const { return m_index + 1 < m_files.size(); }
    bool HasPrevious() const { return m_index > 0 && m_index < m_files.size(); }
    // Moves on or back by one; false, with nothing changed, at either end.
    bool Advance();
    bool GoBack();
    // Makes the file at `index` current; ignored outside the queue.
    void MoveTo(qsizetype index);

  private:
    // The names alone, sorted.
    static QStringList MediaNamesIn(const QString& folder);

    QStringList m_files;
    qsizetype m_index = 0;
};
