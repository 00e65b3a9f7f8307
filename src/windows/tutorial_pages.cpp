#include "windows/tutorial_pages.h"

#include "document/regular_file.h"
#include "engine/movies/movie_file.h"
#include "engine/movies/tutorial_script.h"

#include <cmath>

namespace tivora {
namespace {

// The time a page shows when the movie names none (or less than a second), as the movie
// player takes it.
constexpr engine::Millis kDefaultPageTime = 9000.0;
constexpr engine::Millis kShortestPageTime = 1000.0;

} // namespace

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
    bool ok = false;
    const double pageTime = movie->property("page").toDouble(&ok);
    TutorialPages pages;
    pages.m_pageTime = ok && pageTime >= kShortestPageTime ? pageTime : kDefaultPageTime;
    // Pages that never turn (an endless page time) cannot be turned to either.
    if (std::isfinite(pages.m_pageTime))
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
