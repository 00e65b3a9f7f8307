#pragma once

#include <QDir>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

// Finding and loading the files a graph text names: pictures and effects. Graph files travel
// between machines and folders (a published graph refers to its pictures by bare file name), so
// a path that does not exist here is looked for by its file name in the movie's folder, with
// either separator and any letter case.
namespace tivora::engine {

// The file name part of a path written with "/" or "\" separators.
QString fileNameOfPath(const QString& path);
// A file of the movie's folder with that file name, matched without regard to letter case.
std::optional<QString> findInFolder(const QDir& folder, const QString& fileName);
// A picture's path: the path itself when it names a file, else the folder's file of that name.
std::optional<QString> locatePicture(const QString& path, const QDir& movieFolder);
// A picture, decoded at no more than twice the size it is shown at (shown: the box it covers, or
// empty for the whole stage) and at most 1600 pixels on a side, so that decoding and painting
// stay cheap. Null when the file is missing, is no picture, or holds more pixels than any
// background could need (kMostPixels): such a file is not decoded at all, as decoding it would
// take seconds. Pictures are kept for the next layout (see PictureCache).
QImage loadPicture(const QString& path, const QDir& movieFolder, QSizeF shown = {});
// The size a picture of imageSize is decoded at to be shown covering shown.
QSize decodedSize(QSize imageSize, QSizeF shown);
inline constexpr qint64 kMostPixels = 64LL * 1000 * 1000;
// The part of an image of imageSize that fills target with the aspect kept (centred crop).
QRectF coverSource(const QSizeF& imageSize, const QSizeF& target);

} // namespace tivora::engine
