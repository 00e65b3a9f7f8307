#include "excel/zip_archive.h"

#include "excel/workbook_file.h"

#include <zip.h>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

QString message(const char* text) {
    return QString::fromLatin1(text);
}

// The sum of the stated unpacked sizes of all entries, or nothing when an entry is encrypted
// (which the error flag then tells) or cannot be listed.
std::optional<QString> checkEntries(zip* archive, qint64 packedSize) {
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    qint64 unpacked = 0;
    const qint64 limit =
        std::min(ZipArchive::kMostUnpackedBytes, packedSize * ZipArchive::kMostExpansion);
    for (zip_int64_t index = 0; index < entries; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0)
            return message(workbook_error::kDamaged);
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            return message(workbook_error::kEncrypted);
        if (stat.valid & ZIP_STAT_SIZE)
            unpacked += qint64(std::min<zip_uint64_t>(stat.size, zip_uint64_t(limit) + 1));
        if (unpacked > limit) {
            return unpacked > ZipArchive::kMostUnpackedBytes
                       ? u"The workbook would unpack to more than 256 MiB; it is not read."_s
                       : u"The workbook would unpack to more than 100 times its size; it is "
                         u"not read."_s;
        }
    }
    return std::nullopt;
}

} // namespace

ZipArchive::ZipArchive(QByteArray bytes, zip* archive)
    : m_bytes(std::move(bytes))
    , m_archive(archive) {}

ZipArchive::~ZipArchive() {
    zip_discard(m_archive);
}

ZipArchive::Opened ZipArchive::open(QByteArray bytes) {
    zip_error_t error;
    zip_error_init(&error);
    // The source reads the bytes in place; the archive keeps them alive as long as itself.
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_error_fini(&error);
    if (!source)
        return {nullptr, message(workbook_error::kDamaged)};
    zip_error_init(&error);
    zip* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return {nullptr, message(workbook_error::kDamaged)};
    }
    std::unique_ptr<ZipArchive> opened(new ZipArchive(std::move(bytes), archive));
    if (const auto refused = checkEntries(archive, opened->m_bytes.size()))
        return {nullptr, *refused};
    return {std::move(opened), QString()};
}

bool ZipArchive::contains(const QString& name) const {
    return zip_name_locate(m_archive, name.toUtf8().constData(), 0) >= 0;
}

std::optional<QByteArray> ZipArchive::read(const QString& name, QString* error) const {
    const auto fail = [error](const char* text) -> std::optional<QByteArray> {
        if (error)
            *error = message(text);
        return std::nullopt;
    };
    const zip_int64_t index = zip_name_locate(m_archive, name.toUtf8().constData(), 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(m_archive, zip_uint64_t(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE))
        return fail(workbook_error::kDamaged);
    zip_file_t* file = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!file)
        return fail(workbook_error::kDamaged);
    // The stated size was checked against the limits on opening; one byte more tells that the
    // entry does not keep to it.
    QByteArray content(qsizetype(stat.size) + 1, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < content.size()) {
        const zip_int64_t got =
            zip_fread(file, content.data() + filled, zip_uint64_t(content.size() - filled));
        if (got < 0) {
            zip_fclose(file);
            return fail(workbook_error::kDamaged);
        }
        if (got == 0)
            break;
        filled += got;
    }
    zip_fclose(file);
    if (filled != qint64(stat.size))
        return fail(workbook_error::kDamaged);
    content.truncate(qsizetype(filled));
    return content;
}

} // namespace tivora::excel
