#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

namespace platform {

// A file that is only ever replaced whole, so that a reader finds the old contents or the new
// ones, never a mix, even when the writer dies or the machine loses power half-way. Writers
// take turns through an exclusive lock (flock, LockFileEx on Windows) on "<path>.lock", a
// file that stays in the folder.
// A path that is a symbolic link (into a dotfiles repository, say) stays one: the file it
// points to is what gets replaced.
class AtomicFile {
  public:
    // The file's new contents, made from its current ones (empty when it does not exist).
    using Rewrite = std::function<QByteArray(const QByteArray& current)>;
    // Puts the finished temporary file in place of the target. The default is rename(2)
    // (ReplaceFileW, or MoveFileExW for a new file, on Windows, retried for a moment while
    // another program holds the file without sharing it);
    // tests substitute a step that fails to show what an interrupted save leaves behind.
    using ReplaceStep = std::function<bool(const QString& temporary, const QString& target)>;

    explicit AtomicFile(QString path) : m_path(std::move(path)) {}

    // The whole file, read without the lock, which the rename makes unnecessary. Nothing when
    // the file is missing or cannot be read, and when it is not a regular file: a pipe or a
    // device under its name would block or never end.
    std::optional<QByteArray> Read() const;

    // Replaces the file once with what rewrite makes of it. Under the lock the file is read
    // again and rewrite gives the new bytes, which go to a temporary file in the same folder
    // ("<name>.tmp-<random>"); that is flushed to disk and renamed over the target, and then
    // the folder is flushed too. A new file gets 0666 less the umask, a replaced one keeps its
    // permissions, and bytes equal to those read are not written at all. Temporary files that
    // a writer which died left behind are removed. Returns false, leaving the old file
    // untouched and no temporary file behind, when any step fails, and also, without calling
    // rewrite, when the file exists but cannot be read, since replacing it would throw its
    // contents away.
    bool Update(const Rewrite& rewrite, const ReplaceStep& replace = {}) const;

  private:
    QString m_path;
};

}  // namespace platform
