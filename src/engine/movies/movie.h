#pragma once

#include "engine/scene/scene.h"

#include <QString>
#include <memory>

class QDir;
class QPainter;

namespace tivora::engine {

struct MovieFile;

// A movie file loaded and laid out: what a player shows. Loading reads the movie file and every
// file it depends on (the engine movie reads the graph text beside it) once; painting a frame is
// then a pure function of time.
class Movie {
public:
    // Loads the movie at path afresh. A file that is missing or not a movie gives a movie that
    // says so on its stage, so a player always has something to show.
    static std::unique_ptr<Movie> load(const QString& path);
    // Lays out a movie file already read; folder is where the files it names lie.
    static std::unique_ptr<Movie> play(const MovieFile& movie, const QDir& folder);

    // stage: the size the scene was laid out for; graphs use the graph stage.
    explicit Movie(Scene scene, QSizeF stage = kStageSize);
    QSizeF stageSize() const { return m_stage; }
    // The time after which no frame changes; kForever for a looping movie.
    Millis endTime() const;
    // The time by which every animation that ends has ended: the finished look of the movie.
    Millis settledTime() const { return m_scene.settledTime(); }
    // Paints the stage at time, in stage coordinates (the painter is already scaled).
    void paint(QPainter& painter, Millis time) const;
    QUrl linkAt(QPointF stagePoint, Millis time) const;
    const Scene& scene() const { return m_scene; }

private:
    Scene m_scene;
    QSizeF m_stage;
};

} // namespace tivora::engine
