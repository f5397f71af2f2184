#include "toolkit/ResourceZip.h"

#include <zip.h>

#include <algorithm>
#include <memory>

namespace {
// Skin members are small. The limit keeps a damaged or hostile archive that claims (or
// inflates to) an enormous member from exhausting memory.
constexpr zip_uint64_t kMaxMemberSize = 64 * 1024 * 1024;
constexpr zip_uint64_t kReadChunk = 16 * 1024;
// Reserve up front only what a genuine skin member could need; bigger claims grow as read.
constexpr zip_uint64_t kMaxReserve = 1024 * 1024;

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
}  // namespace

void ResourceZip::ArchiveCloser::operator()(zip* archive) const {
    // Read-only: discard releases everything without trying to write anything back.
    zip_discard(archive);
}

ResourceZip::ResourceZip() = default;

ResourceZip::~ResourceZip() = default;

void ResourceZip::Close() {
    m_archive.reset();
    m_bytes.clear();
}

bool ResourceZip::Open(const void* data, std::size_t size) {
    Close();
    // libzip takes an empty source for a new, empty archive; here it is simply not a zip.
    if (data == nullptr || size == 0) return false;

    m_bytes = QByteArray(static_cast<const char*>(data), qsizetype(size));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(m_bytes.constData(), m_bytes.size(), 0, &error);
    if (source) {
        // CHECKCONS makes libzip compare the central directory with the local headers, so
        // inconsistent archives are refused here rather than misread later.
        m_archive.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
        // On failure the source was not taken over.
        if (!m_archive) zip_source_free(source);
    }
    zip_error_fini(&error);
    if (!m_archive) {
        m_bytes.clear();
        return false;
    }
    return true;
}

bool ResourceZip::IsOpen() const { return m_archive != nullptr; }

std::optional<QByteArray> ResourceZip::Read(const QString& name) const {
    if (!m_archive || name.isEmpty()) return std::nullopt;
    zip* archive = m_archive.get();
    const QByteArray utf8Name = name.toUtf8();
    // No flags: the full path must match, case included.
    const zip_int64_t index = zip_name_locate(archive, utf8Name.constData(), 0);
    if (index < 0) return std::nullopt;

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) < 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || stat.size > kMaxMemberSize)
        return std::nullopt;

    const std::unique_ptr<zip_file_t, FileCloser> file(
        zip_fopen_index(archive, zip_uint64_t(index), 0));
    if (!file) return std::nullopt;

    // Read in chunks rather than trusting the declared size for one allocation; libzip checks
    // the CRC when the end is reached and reports a mismatch as a read error.
    QByteArray content;
    content.reserve(qsizetype(std::min(stat.size, kMaxReserve)));
    char chunk[kReadChunk];
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), chunk, sizeof chunk);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        if (zip_uint64_t(content.size()) + zip_uint64_t(got) > stat.size) return std::nullopt;
        content.append(chunk, qsizetype(got));
    }
    if (zip_uint64_t(content.size()) != stat.size) return std::nullopt;
    return content;
}

QStringList ResourceZip::Names() const {
    QStringList names;
    if (!m_archive) return names;
    const zip_int64_t count = zip_get_num_entries(m_archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(m_archive.get(), zip_uint64_t(i), 0);
        if (name) names.append(QString::fromUtf8(name));
    }
    return names;
}
