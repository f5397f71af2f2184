#pragma once
// Read access to a zip archive held in memory, such as the skin package compiled into the
// executable. The bytes are never trusted: any input, however damaged, fails cleanly.
// Reading moves libzip's state, so one object must not be used from two threads at once.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <memory>
#include <optional>

struct zip;

class ResourceZip {
  public:
    ResourceZip();
    ~ResourceZip();
    ResourceZip(const ResourceZip&) = delete;
    ResourceZip& operator=(const ResourceZip&) = delete;

    // Opens the archive in data[0..size). The bytes are copied, so the caller's block may go
    // away afterwards. Any archive opened before is closed first, so after a failure
    // (null, empty or not a readable zip) nothing is open.
    bool Open(const void* data, std::size_t size);
    bool IsOpen() const;

    // The content of the member with exactly this name ('/' separated, case-sensitive, no
    // leading '/'); nullopt when there is none or it cannot be read intact.
    std::optional<QByteArray> Read(const QString& name) const;

    // Every member's name, in archive order.
    QStringList Names() const;

  private:
    struct ArchiveCloser {
        void operator()(zip* archive) const;
    };

    void Close();

    // Declared first so that it outlives the archive that reads from it.
    QByteArray m_bytes;
    std::unique_ptr<zip, ArchiveCloser> m_archive;
};
