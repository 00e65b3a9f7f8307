#include "windows/snapshot_formats.h"

#include "export/output_formats.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

using Writer = std::optional<QString> (*)(const Snapshot&, const QString&);

struct SnapshotFormat {
    QLatin1StringView suffix;
    QLatin1StringView description;
    Writer write;
};

// The picture the player showed, pixel for pixel.
std::optional<QString> writePicture(const Snapshot& snapshot, const QString& path,
                                    const char* format) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !snapshot.picture.save(&file, format) ||
        !file.commit()) {
        return u"%1 could not be written: %2"_s.arg(QDir::toNativeSeparators(path),
                                                    file.errorString());
    }
    return std::nullopt;
}

// Every other format: the engine draws the movie again from the file the player showed; a still
// at the moment of the snapshot, an animation or a deck from the start.
std::optional<QString> writeFromMovie(const Snapshot& snapshot, const QString& path) {
    exporting::OutputRequest request;
    request.picture.time = snapshot.time;
    request.picture.width = snapshot.picture.width();
    return exporting::writeOutput(snapshot.moviePath, path, request, true);
}

// The player's own pixels come first, the default first of all; then every format the graph
// writers know, each extension once, in its still form where it has one.
std::vector<SnapshotFormat> snapshotFormats() {
    std::vector<SnapshotFormat> formats{
        {"bmp"_L1, "Bitmap"_L1,
         [](const Snapshot& snapshot, const QString& path) {
             return writePicture(snapshot, path, "BMP");
         }},
        {"png"_L1, "PNG picture"_L1,
         [](const Snapshot& snapshot, const QString& path) {
             return writePicture(snapshot, path, "PNG");
         }},
    };
    for (const exporting::OutputFormat& output : exporting::outputFormats()) {
        const bool listed = std::ranges::any_of(formats, [&output](const SnapshotFormat& format) {
            return format.suffix == output.suffix;
        });
        if (!listed)
            formats.push_back({output.suffix, output.description, &writeFromMovie});
    }
    return formats;
}

const std::vector<SnapshotFormat>& allFormats() {
    static const std::vector<SnapshotFormat> formats = snapshotFormats();
    return formats;
}

const SnapshotFormat* formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const SnapshotFormat& format : allFormats()) {
        if (format.suffix == suffix)
            return &format;
    }
    return nullptr;
}

QString suffixList() {
    QStringList suffixes;
    for (const SnapshotFormat& format : allFormats())
        suffixes.append(u'.' + format.suffix);
    const QString last = suffixes.takeLast();
    return suffixes.join(", "_L1) + " or "_L1 + last;
}

} // namespace

QString SnapshotFormats::filter() {
    QStringList entries;
    for (const SnapshotFormat& format : allFormats())
        entries.append(u"%1 (*.%2)"_s.arg(format.description, format.suffix));
    return entries.join(";;"_L1);
}

QString SnapshotFormats::defaultSuffix() {
    return allFormats().front().suffix;
}

std::optional<QString> SnapshotFormats::write(const Snapshot& snapshot, const QString& path) {
    const SnapshotFormat* format = formatOf(path);
    if (!format)
        return u"Name the file with one of the extensions %1."_s.arg(suffixList());
    return format->write(snapshot, path);
}

} // namespace tivora
