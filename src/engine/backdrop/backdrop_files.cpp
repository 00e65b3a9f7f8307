#include "engine/backdrop/backdrop_files.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace tivora::engine {
namespace {

constexpr int kLargestSide = 1600;

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

QImage loadPicture(const QString& path, const QDir& movieFolder) {
    const auto located = locatePicture(path, movieFolder);
    if (!located)
        return {};
    QImageReader reader(*located);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > kLargestSide)
        reader.setScaledSize(size.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio));
    return reader.read();
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
