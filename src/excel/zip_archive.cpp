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

// An entry unpacked as it is read, within the stated size and the bound on what is read.
class ZipEntryDevice : public QIODevice {
public:
    ZipEntryDevice(zip_file_t* file, qint64 statedSize, std::stop_token stop)
        : m_file(file)
        , m_statedSize(statedSize)
        , m_stop(std::move(stop)) {
        open(QIODevice::ReadOnly);
    }
    ~ZipEntryDevice() override { zip_fclose(m_file); }

    bool isSequential() const override { return true; }
    QString failure() const { return m_failure; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (!m_failure.isEmpty())
            return -1;
        // Every reader parses an entry through this device, so a cancelled read ends here.
        if (m_stop.stop_requested())
            return fail(workbook_error::kCancelled);
        const zip_int64_t got = zip_fread(m_file, data, zip_uint64_t(maxSize));
        // An entry that ends before its stated size is cut short.
        if (got < 0 || (got == 0 && maxSize > 0 && m_unpacked != m_statedSize))
            return fail(workbook_error::kDamaged);
        m_unpacked += got;
        if (m_unpacked > m_statedSize)
            return fail(workbook_error::kDamaged);
        if (m_unpacked > ZipArchive::kMostEntryBytesRead)
            return fail(ZipArchive::kEntryTooLarge);
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 fail(const char* text) {
        m_failure = message(text);
        setErrorString(m_failure);
        return -1;
    }

    zip_file_t* m_file;
    qint64 m_statedSize;
    qint64 m_unpacked = 0;
    std::stop_token m_stop;
    QString m_failure;
};

} // namespace

ZipArchive::ZipArchive(QByteArray bytes, zip* archive, std::stop_token stop)
    : m_bytes(std::move(bytes))
    , m_archive(archive)
    , m_stop(std::move(stop)) {}

ZipArchive::~ZipArchive() {
    zip_discard(m_archive);
}

ZipArchive::Opened ZipArchive::open(QByteArray bytes, std::stop_token stop) {
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
    std::unique_ptr<ZipArchive> opened(new ZipArchive(std::move(bytes), archive, std::move(stop)));
    if (const auto refused = checkEntries(archive, opened->m_bytes.size()))
        return {nullptr, *refused};
    return {std::move(opened), QString()};
}

bool ZipArchive::contains(const QString& name) const {
    return zip_name_locate(m_archive, name.toUtf8().constData(), 0) >= 0;
}

std::unique_ptr<QIODevice> ZipArchive::openEntry(const QString& name, QString* error) const {
    const zip_int64_t index = zip_name_locate(m_archive, name.toUtf8().constData(), 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    zip_file_t* file = nullptr;
    if (index >= 0 && zip_stat_index(m_archive, zip_uint64_t(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE))
        file = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!file) {
        if (error)
            *error = message(workbook_error::kDamaged);
        return nullptr;
    }
    return std::make_unique<ZipEntryDevice>(file, qint64(stat.size), m_stop);
}

QString ZipArchive::entryError(const QIODevice& entry) {
    return static_cast<const ZipEntryDevice&>(entry).failure();
}

std::optional<QByteArray> ZipArchive::read(const QString& name, QString* error) const {
    const std::unique_ptr<QIODevice> entry = openEntry(name, error);
    if (!entry)
        return std::nullopt;
    QByteArray content = entry->readAll();
    if (const QString failure = entryError(*entry); !failure.isEmpty()) {
        if (error)
            *error = failure;
        return std::nullopt;
    }
    return content;
}

} // namespace tivora::excel
