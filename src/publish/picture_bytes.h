#pragma once

#include <QByteArrayView>

namespace tivora::publish {

// Whether bytes begin as a picture a page can show does: PNG, JPEG, GIF, BMP or SVG. Publishing
// copies only such files into the web folder, so a graph that names any other file (a password
// list, the process's environment) as its picture cannot put it on a web site.
bool isPictureBytes(QByteArrayView bytes);

} // namespace tivora::publish
