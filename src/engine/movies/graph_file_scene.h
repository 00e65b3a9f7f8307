#pragma once

#include "engine/scene/scene.h"

#include <QByteArray>
#include <QString>

namespace tivora::engine {

// The variable text of a graph file or preview text: its lines joined without their line breaks.
QByteArray graphTextOf(QByteArray fileBytes);

// Lays out the graph file at path; pictures it names by relative path are found beside it. A file
// that cannot be read gives a stage that says so.
Scene layoutGraphFile(const QString& path);

} // namespace tivora::engine
