#pragma once

#include "engine/scene/scene.h"

#include <QByteArray>
#include <QString>

namespace tivora {

// Where the pages of a tutorial movie lie in its time: each page shows for the same time, one
// after another, and the movie starts again after the last. Read from the movie file itself, so
// the tutorial window can turn to any page.
class TutorialPages {
public:
    // The pages of the tutorial movie at path; none for a file that is no tutorial movie.
    static TutorialPages of(const QString& path);
    // The pages of the movie file in bytes; none for bytes that are no tutorial movie, or whose
    // pages show for no finite time.
    static TutorialPages fromMovie(const QByteArray& bytes);

    int count() const { return m_count; }
    // The page (from 0) shown at time.
    int pageAt(engine::Millis time) const;
    // The time at which page (from 0) starts in the first round.
    engine::Millis startOf(int page) const;

private:
    int m_count = 0;
    engine::Millis m_pageTime = 0;
};

} // namespace tivora
