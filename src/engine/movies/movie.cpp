#include "engine/movies/movie.h"

#include "document/regular_file.h"
#include "engine/movies/movie_kinds.h"
#include "engine/movies/movie_stage.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

Scene layoutMovie(const MovieFile& movie, const QDir& folder) {
    if (movie.kind == "blank")
        return layoutBlankMovie(movie);
    if (movie.kind == "message")
        return layoutMessageMovie(movie);
    if (movie.kind == "engine")
        return layoutEngineMovie(movie, folder);
    if (movie.kind == "sample")
        return layoutSampleMovie(movie, folder);
    if (movie.kind == "graph")
        return layoutLoopingGraphMovie(movie, folder);
    if (movie.kind == "tutorial")
        return layoutTutorialMovie(movie, folder);
    if (movie.kind == "published")
        return layoutPublishedMovie(movie, folder);
    return layoutErrorMovie(u"This movie is of a kind this player does not know."_s);
}

} // namespace

std::unique_ptr<Movie> Movie::load(const QString& path) {
    QByteArray bytes;
    if (const auto reason = readInputFile(path, bytes)) {
        return std::make_unique<Movie>(layoutErrorMovie(
            u"The movie %1 could not be opened. %2"_s.arg(QFileInfo(path).fileName(), *reason)));
    }
    const auto movie = MovieFile::parse(bytes);
    if (!movie)
        return std::make_unique<Movie>(
            layoutErrorMovie(u"The file %1 is not a movie."_s.arg(QFileInfo(path).fileName())));
    return play(*movie, QFileInfo(path).absoluteDir());
}

std::unique_ptr<Movie> Movie::play(const MovieFile& movie, const QDir& folder) {
    return std::make_unique<Movie>(layoutMovie(movie, folder), movieStage(movie));
}

Movie::Movie(Scene scene, QSizeF stage)
    : m_scene(std::move(scene))
    , m_stage(stage) {}

Millis Movie::endTime() const {
    return m_scene.endTime();
}

void Movie::paint(QPainter& painter, Millis time) const {
    m_scene.paint(painter, time);
}

QUrl Movie::linkAt(QPointF stagePoint, Millis time) const {
    return m_scene.linkAt(stagePoint, time);
}

} // namespace tivora::engine
