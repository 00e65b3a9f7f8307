#include "windows/snapshot_formats.h"

#include "engine/render/render.h"
#include "export/render_animated.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <array>

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

// Drawings: the engine paints the same movie at the same moment again, as lines and text.
std::optional<QString> writeDrawing(const Snapshot& snapshot, const QString& path) {
    engine::RenderOptions options;
    options.time = snapshot.time;
    options.width = snapshot.picture.width();
    return engine::renderToFile(snapshot.moviePath, path, options);
}

// Animations: the graph's whole animation from the start, as slide programs and browsers play it.
std::optional<QString> writeAnimation(const Snapshot& snapshot, const QString& path) {
    return exporting::renderAnimated(snapshot.moviePath, path);
}

// The first is the default.
const std::array<SnapshotFormat, 8> kFormats{{
    {"bmp"_L1, "Bitmap"_L1,
     [](const Snapshot& snapshot, const QString& path) {
         return writePicture(snapshot, path, "BMP");
     }},
    {"png"_L1, "PNG picture"_L1,
     [](const Snapshot& snapshot, const QString& path) {
         return writePicture(snapshot, path, "PNG");
     }},
    {"svg"_L1, "SVG drawing"_L1, &writeDrawing},
    {"pdf"_L1, "PDF document"_L1, &writeDrawing},
    {"gif"_L1, "GIF animation"_L1, &writeAnimation},
    {"webp"_L1, "WebP animation"_L1, &writeAnimation},
    {"mp4"_L1, "MP4 video"_L1, &writeAnimation},
    {"webm"_L1, "WebM video"_L1, &writeAnimation},
}};

const SnapshotFormat* formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const SnapshotFormat& format : kFormats) {
        if (format.suffix == suffix)
            return &format;
    }
    return nullptr;
}

QString suffixList() {
    QStringList suffixes;
    for (const SnapshotFormat& format : kFormats)
        suffixes.append(u'.' + format.suffix);
    const QString last = suffixes.takeLast();
    return suffixes.join(", "_L1) + " or "_L1 + last;
}

} // namespace

QString SnapshotFormats::filter() {
    QStringList entries;
    for (const SnapshotFormat& format : kFormats)
        entries.append(u"%1 (*.%2)"_s.arg(format.description, format.suffix));
    return entries.join(";;"_L1);
}

QString SnapshotFormats::defaultSuffix() {
    return kFormats.front().suffix;
}

std::optional<QString> SnapshotFormats::write(const Snapshot& snapshot, const QString& path) {
    const SnapshotFormat* format = formatOf(path);
    if (!format)
        return u"Name the file with one of the extensions %1."_s.arg(suffixList());
    return format->write(snapshot, path);
}

} // namespace tivora
