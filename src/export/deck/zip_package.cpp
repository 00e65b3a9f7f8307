#include "export/deck/zip_package.h"

#include <memory>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourceHandle = std::unique_ptr<zip_source_t, SourceFree>;

QString libraryError(zip_error_t* error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

// Reads the whole content of a buffer source after the archive was written into it.
std::optional<QByteArray> sourceBytes(zip_source_t* source, QString& error) {
    if (zip_source_open(source) < 0) {
        error = libraryError(zip_source_error(source));
        return std::nullopt;
    }
    QByteArray bytes;
    if (zip_source_seek(source, 0, SEEK_END) == 0) {
        const zip_int64_t size = zip_source_tell(source);
        if (size >= 0 && zip_source_seek(source, 0, SEEK_SET) == 0) {
            bytes.resize(qsizetype(size));
            if (zip_source_read(source, bytes.data(), zip_uint64_t(size)) == size) {
                zip_source_close(source);
                return bytes;
            }
        }
    }
    error = libraryError(zip_source_error(source));
    zip_source_close(source);
    return std::nullopt;
}

} // namespace

void ZipPackage::add(const QString& name, QByteArray bytes, Compression compression) {
    m_parts.push_back({name, std::move(bytes), compression});
}

void ZipPackage::addFirst(const QString& name, QByteArray bytes) {
    m_parts.insert(m_parts.begin(), {name, std::move(bytes), Compression::Deflate});
}

std::optional<QByteArray> ZipPackage::bytes(QString& error) const {
    zip_error_t zipError;
    zip_error_init(&zipError);
    SourceHandle target(zip_source_buffer_create(nullptr, 0, 0, &zipError));
    if (!target) {
        error = libraryError(&zipError);
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    // The archive frees its source when it closes; the extra reference keeps the written bytes.
    zip_source_keep(target.get());
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, &zipError);
    if (!archive) {
        error = libraryError(&zipError);
        zip_error_fini(&zipError);
        zip_source_free(target.get()); // the reference the archive would have taken
        return std::nullopt;
    }
    zip_error_fini(&zipError);
    for (const Part& part : m_parts) {
        // The parts live as long as this object, which outlasts the archive.
        zip_source_t* source =
            zip_source_buffer(archive, part.bytes.constData(), zip_uint64_t(part.bytes.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, part.name.toUtf8().constData(),
                                                        source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE)
                                         : -1;
        if (index < 0) {
            zip_source_free(source);
            error = u"cannot add %1: %2"_s.arg(part.name, QString::fromUtf8(zip_strerror(archive)));
            zip_discard(archive);
            return std::nullopt;
        }
        const zip_int32_t method =
            part.compression == Compression::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        zip_set_file_compression(archive, zip_uint64_t(index), method, 0);
    }
    if (zip_close(archive) < 0) {
        error = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return std::nullopt;
    }
    return sourceBytes(target.get(), error);
}

} // namespace tivora::exporting
