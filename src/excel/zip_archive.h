#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>
#include <optional>
#include <stop_token>

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
    // The most of one entry that is unpacked to be read: as much markup as is parsed in about a
    // second. A worksheet is read only up to the range's last row, so a large one still serves a
    // range near its top.
    static constexpr qint64 kMostEntryBytesRead = qint64(48) * 1024 * 1024;
    static constexpr auto kEntryTooLarge =
        "The workbook holds a part larger than 48 MiB that would have to be read; it is not read.";

    // The archive, or the message that says why it cannot be read.
    struct Opened {
        std::unique_ptr<ZipArchive> archive;
        QString error;
    };
    // Once stop is requested, reading an entry fails with workbook_error::kCancelled.
    static Opened open(QByteArray bytes, std::stop_token stop = {});

    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const QString& name) const;
    // The unpacked entry, or nothing when it is missing, larger than kMostEntryBytesRead or cannot
    // be unpacked (error then says why).
    std::optional<QByteArray> read(const QString& name, QString* error = nullptr) const;
    // The entry as a device that unpacks it as it is read, or nothing when it is missing (error
    // then says why). Reading past kMostEntryBytesRead, or past the entry's stated size, fails;
    // entryError() then says why.
    std::unique_ptr<QIODevice> openEntry(const QString& name, QString* error = nullptr) const;
    static QString entryError(const QIODevice& entry);

private:
    ZipArchive(QByteArray bytes, zip* archive, std::stop_token stop);

    QByteArray m_bytes;
    zip* m_archive;
    std::stop_token m_stop;
};

} // namespace tivora::excel
