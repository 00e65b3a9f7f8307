#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>
#include <zip.h>

namespace tivora::test {

// Builds zip archives in memory, entry by entry, so tests can make workbooks with exactly the
// parts a case needs.
class ZipBuilder {
public:
    ZipBuilder& add(const QString& name, QByteArray content, bool encrypted = false) {
        m_entries.push_back({name, std::move(content), encrypted});
        return *this;
    }

    QByteArray bytes() const {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
        zip_source_keep(target);
        zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
        for (const Entry& entry : m_entries) {
            zip_source_t* data = zip_source_buffer(archive, entry.content.constData(),
                                                   zip_uint64_t(entry.content.size()), 0);
            const zip_int64_t index =
                zip_file_add(archive, entry.name.toUtf8().constData(), data, ZIP_FL_OVERWRITE);
            if (entry.encrypted)
                zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_AES_256, "secret");
        }
        zip_close(archive);
        zip_source_open(target);
        zip_source_seek(target, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(target);
        zip_source_seek(target, 0, SEEK_SET);
        QByteArray bytes(qsizetype(size), Qt::Uninitialized);
        zip_source_read(target, bytes.data(), zip_uint64_t(size));
        zip_source_close(target);
        zip_source_free(target);
        zip_error_fini(&error);
        return bytes;
    }

private:
    struct Entry {
        QString name;
        QByteArray content;
        bool encrypted;
    };
    std::vector<Entry> m_entries;
};

} // namespace tivora::test
