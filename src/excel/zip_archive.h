#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

struct zip;

namespace tivora::excel {

// A zip archive held in memory, whose entries are read whole. Opening refuses an archive that
// would unpack to more than kMostUnpackedBytes or to more than kMostExpansion times its own size,
// so that a small crafted file cannot fill memory; an entry that unpacks to more than its stated
// size is refused too.
class ZipArchive {
public:
    static constexpr qint64 kMostUnpackedBytes = qint64(256) * 1024 * 1024;
    static constexpr qint64 kMostExpansion = 100;

    // The archive, or the message that says why it cannot be read.
    struct Opened {
        std::unique_ptr<ZipArchive> archive;
        QString error;
    };
    static Opened open(QByteArray bytes);

    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const QString& name) const;
    // The unpacked entry, or nothing when it is missing or cannot be unpacked (error then says
    // why).
    std::optional<QByteArray> read(const QString& name, QString* error = nullptr) const;

private:
    ZipArchive(QByteArray bytes, zip* archive);

    QByteArray m_bytes;
    zip* m_archive;
};

} // namespace tivora::excel
