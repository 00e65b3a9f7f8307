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
    return m_count == 0 ? 0 : int(engine::tutorialPageAt(time, m_pageTime, std::size_t(m_count)));
}

engine::Millis TutorialPages::startOf(int page) const {
    return m_pageTime * page;
}

} // namespace tivora
