#pragma once

#include <QString>
#include <cstdint>

// What the file tests need to see of a file the way the system sees it, where Qt does not
// say: which file a name is, whether another program holds its lock, and a file that is
// there but cannot be read (a pipe on Linux, a file held open without sharing on Windows).

// The file behind `path` (its inode, or its file index on Windows); 0 when there is none.
std::uint64_t FileIdentity(const QString& path);

// Whether the exclusive lock on `lockPath` is taken: tried from a handle of our own, which
// fails while someone else holds it.
bool LockHeldElsewhere(const QString& lockPath);

// A file under `path` that a reader cannot read, for as long as the object lives.
class UnreadableFile {
  public:
    explicit UnreadableFile(const QString& path);
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;
    ~UnreadableFile();
    bool Made() const { return m_made; }
    // Still the same unreadable file: not replaced by a regular one.
    bool Untouched() const;

  private:
    QString m_path;
    bool m_made = false;
    void* m_handle = nullptr;
};
