#include "document/regular_file.h"
#include "engine/movies/graph_file_scene.h"
#include "engine/movies/movie_kinds.h"

#include <QFileInfo>

namespace tivora::engine {

// The engine draws the graph text that lies beside it, read afresh at every load: the designer
// rewrites that text and reloads the engine to show each change.
Scene layoutEngineMovie(const MovieFile& movie, const QDir& movieFolder) {
    // Only a file name counts: the movie reads nothing outside its own folder.
    const QString graph =
        QFileInfo(QString::fromLatin1(movie.property("graph", "Slide0.txt"))).fileName();
    const QString path = movieFolder.filePath(graph);
    // A folder, pipe or device in the graph text's place is not waited on.
    if (const auto reason = checkInputFile(path); reason && QFileInfo::exists(path))
        return layoutErrorMovie(*reason);
    return layoutGraphFile(path);
}

} // namespace tivora::engine
