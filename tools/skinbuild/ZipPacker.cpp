#include "ZipPacker.h"

#include <zip.h>

namespace {
// 2000-01-01 12:00 UTC: any fixed time serves; it only has to be representable as a DOS date.
constexpr time_t kMemberTime = 946728000;

QString ZipErrorText(zip_error_t* error) { return QString::fromUtf8(zip_error_strerror(error)); }
}  // namespace

void ZipPacker::ArchiveCloser::operator()(zip* archive) const { zip_discard(archive); }

void ZipPacker::SourceFreer::operator()(zip_source* source) const { zip_source_free(source); }

ZipPacker::ZipPacker() {
    zip_error_t error;
    zip_error_init(&error);
    m_buffer.reset(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (m_buffer) {
        // The archive takes a reference of its own; ours keeps the written bytes readable
        // after zip_close has released the archive's.
        zip_source_keep(m_buffer.get());
        m_archive.reset(zip_open_from_source(m_buffer.get(), ZIP_TRUNCATE, &error));
        if (!m_archive) zip_source_free(m_buffer.get());  // drop the reference open did not take
    }
    if (!m_archive) m_error = ZipErrorText(&error);
    zip_error_fini(&error);
}

ZipPacker::~ZipPacker() = default;

bool ZipPacker::Add(const QString& name, const QByteArray& data, Method method) {
    if (!m_archive) {
        m_error = QStringLiteral("the archive is not open");
        return false;
    }
    if (name.isEmpty()) {
        m_error = QStringLiteral("empty member name");
        return false;
    }
    zip* archive = m_archive.get();
    const QByteArray& kept = m_pending.emplace_back(data);
    zip_source_t* source = zip_source_buffer(archive, kept.constData(), kept.size(), 0);
    if (!source) {
        m_error = ZipErrorText(zip_get_error(archive));
        return false;
    }
    const QByteArray utf8Name = name.toUtf8();
    const zip_int64_t index = zip_file_add(archive, utf8Name.constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        m_error =
            QStringLiteral("cannot add %1: %2").arg(name, ZipErrorText(zip_get_error(archive)));
        return false;
    }
    const zip_int32_t compression = method == Method::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    // Level 9: the archive is built once per change and then carried in every executable.
    if (zip_set_file_compression(archive, index, compression, method == Method::Store ? 0 : 9) <
            0 ||
        zip_file_set_mtime(archive, index, kMemberTime, 0) < 0) {
        m_error =
            QStringLiteral("cannot set up %1: %2").arg(name, ZipErrorText(zip_get_error(archive)));
        return false;
    }
    return true;
}

std::optional<QByteArray> ZipPacker::Finish() {
    if (!m_archive) {
        m_error = QStringLiteral("the archive is not open");
        return std::nullopt;
    }
    zip* archive = m_archive.release();
    if (zip_close(archive) < 0) {
        m_error = ZipErrorText(zip_get_error(archive));
        zip_discard(archive);
        return std::nullopt;
    }
    m_pending.clear();

    zip_source_t* buffer = m_buffer.get();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        zip_source_open(buffer) < 0) {
        m_error = ZipErrorText(zip_source_error(buffer));
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    if (read < 0 || zip_uint64_t(read) != stat.size) {
        m_error = QStringLiteral("cannot read the finished archive back");
        return std::nullopt;
    }
    return bytes;
}

QString ZipPacker::ErrorString() const { return m_error; }
