#include "engine/backdrop/backdrop_files.h"

#include "engine/backdrop/picture_cache.h"
#include "engine/scene/scene.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace tivora::engine {
namespace {

constexpr int kLargestSide = 1600;
// Twice the size shown keeps a picture sharp when a player zooms in or a larger copy is drawn.
constexpr double kSharpness = 2.0;

// The size is read from the file's header first; only a picture of a sensible size is decoded,
// and then straight at the size wanted, which spares the memory of the full picture.
QImage decodePicture(const QString& path, QSize wanted) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMostPixels)
        return {};
    if (size.isValid() && wanted.isValid() && wanted != size)
        reader.setScaledSize(wanted);
    return reader.read();
}

QSize headerSize(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.size();
}

} // namespace

QString fileNameOfPath(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1).trimmed();
}

std::optional<QString> findInFolder(const QDir& folder, const QString& fileName) {
    if (fileName.isEmpty() || fileName == u"." || fileName == u"..")
        return std::nullopt;
    const QFileInfo exact(folder.filePath(fileName));
    if (exact.isFile())
        return exact.absoluteFilePath();
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return std::nullopt;
}

std::optional<QString> locatePicture(const QString& path, const QDir& movieFolder) {
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QString local = trimmed;
    local.replace(u'\\', u'/');
    const QFileInfo direct(QDir::isAbsolutePath(local) ? local : movieFolder.filePath(local));
    if (direct.isFile())
        return direct.absoluteFilePath();
    return findInFolder(movieFolder, fileNameOfPath(trimmed));
}

QSize decodedSize(QSize imageSize, QSizeF shown) {
    if (imageSize.isEmpty())
        return imageSize;
    const QSizeF box = shown.isEmpty() ? kStageSize : shown;
    const QSize sharp = (box * kSharpness).toSize().expandedTo(QSize(1, 1));
    QSize size = imageSize.scaled(sharp, Qt::KeepAspectRatioByExpanding).boundedTo(imageSize);
    if (std::max(size.width(), size.height()) > kLargestSide)
        size = size.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio);
    return size.expandedTo(QSize(1, 1));
}

QImage loadPicture(const QString& path, const QDir& movieFolder, QSizeF shown) {
    const auto located = locatePicture(path, movieFolder);
    if (!located)
        return {};
    const QSize size = headerSize(*located);
    return PictureCache::shared().picture(
        *located, size.isValid() ? decodedSize(size, shown) : size, decodePicture);
}

QRectF coverSource(const QSizeF& imageSize, const QSizeF& target) {
    if (imageSize.isEmpty() || target.isEmpty())
        return QRectF(QPointF(0, 0), imageSize);
    const double scale =
        std::max(target.width() / imageSize.width(), target.height() / imageSize.height());
    const QSizeF shown(target.width() / scale, target.height() / scale);
    return {(imageSize.width() - shown.width()) / 2, (imageSize.height() - shown.height()) / 2,
            shown.width(), shown.height()};
}

} // namespace tivora::engine
