#include "engine/movies/graph_file_scene.h"

#include "document/variable_text.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie_kinds.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::engine {

QByteArray graphTextOf(QByteArray fileBytes) {
    fileBytes.removeIf([](char c) { return c == '\r' || c == '\n'; });
    return fileBytes;
}

Scene layoutGraphFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return layoutErrorMovie(
            u"The graph file %1 could not be read."_s.arg(QFileInfo(path).fileName()));
    const VariableText text(graphTextOf(file.readAll()));
    return layoutGraph(text, QFileInfo(path).absoluteDir());
}

} // namespace tivora::engine
