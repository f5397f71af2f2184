#pragma once
// Builds a plain zip archive in memory: no password, no encryption, each member either
// stored or deflated. Output is reproducible: members keep the order they were added in and
// carry one fixed modification time, so unchanged inputs give byte-identical archives.

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct zip;
struct zip_source;

class ZipPacker {
  public:
    enum class Method { Store, Deflate };

    ZipPacker();
    ~ZipPacker();
    ZipPacker(const ZipPacker&) = delete;
    ZipPacker& operator=(const ZipPacker&) = delete;

    // Adds a member; false when the name is empty or already present, or after Finish.
    bool Add(const QString& name, const QByteArray& data, Method method);

    // Closes the archive and returns its bytes; nullopt when libzip fails. The packer
    // accepts no members afterwards.
    std::optional<QByteArray> Finish();

    // Why the last failing call failed.
    QString ErrorString() const;

  private:
    struct ArchiveCloser {
        void operator()(zip* archive) const;
    };
    struct SourceFreer {
        void operator()(zip_source* source) const;
    };

    // The archive writes into this source when it is closed.
    std::unique_ptr<zip_source, SourceFreer> m_buffer;
    std::unique_ptr<zip, ArchiveCloser> m_archive;
    // libzip reads member data only when the archive is closed, so it must live until then.
    std::vector<QByteArray> m_pending;
    QString m_error;
};
