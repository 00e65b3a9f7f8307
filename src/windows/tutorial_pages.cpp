#include "windows/tutorial_pages.h"

#include "document/regular_file.h"
#include "engine/movies/movie_file.h"
#include "engine/movies/movie_kinds.h"
#include "engine/movies/tutorial_script.h"

#include <cmath>

namespace tivora {

TutorialPages TutorialPages::of(const QString& path) {
    QByteArray bytes;
    if (readInputFile(path, bytes))
        return {};
    return fromMovie(bytes);
}

TutorialPages TutorialPages::fromMovie(const QByteArray& bytes) {
    const std::optional<engine::MovieFile> movie = engine::MovieFile::parse(bytes);
    if (!movie || movie->kind != "tutorial")
        return {};
    TutorialPages pages;
    pages.m_pageTime = engine::tutorialPageTime(*movie);
    pages.m_count = int(engine::TutorialScript::parse(movie->body).pageCount());
    return pages;
}

int TutorialPages::pageAt(engine::Millis time) const {
    if (m_count == 0)
        return 0;
    const double round = m_pageTime * m_count;
    const double withinRound = std::fmod(std::max(0.0, time), round);
    return std::min(m_count - 1, int(withinRound / m_pageTime));
}

engine::Millis TutorialPages::startOf(int page) const {
    return m_pageTime * page;
}

} // namespace tivora
