#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace tivora::exporting {

// A zip archive built in memory, part by part, in the order the parts are added. Text parts are
// deflated; media that are compressed already are stored as they are, which saves the time of a
// second compression that would gain nothing.
class ZipPackage {
public:
    enum class Compression { Deflate, Store };

    void add(const QString& name, QByteArray bytes, Compression compression = Compression::Deflate);
    // Adds a part before all others: for the part readers look for first, when it can only be
    // written last.
    void addFirst(const QString& name, QByteArray bytes);

    // The archive's bytes, or nothing and the reason in error when the archive library refused.
    std::optional<QByteArray> bytes(QString& error) const;

private:
    struct Part {
        QString name;
        QByteArray bytes;
        Compression compression;
    };
    std::vector<Part> m_parts;
};

} // namespace tivora::exporting
