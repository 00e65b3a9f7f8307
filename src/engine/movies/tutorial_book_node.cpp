#include "engine/movies/tutorial_book_node.h"

#include "engine/movies/movie_kinds.h"

#include <QMutexLocker>
#include <algorithm>
#include <cmath>

namespace tivora::engine {

TutorialBookNode::TutorialBookNode(TutorialScript script, Millis pageTime)
    : m_script(std::move(script))
    , m_pageTime(pageTime) {}

std::size_t TutorialBookNode::pageAt(Millis time) const {
    return tutorialPageAt(time, m_pageTime, m_script.pageCount());
}

std::size_t TutorialBookNode::pagesKept() const {
    const QMutexLocker lock(&m_mutex);
    return m_kept ? 1 : 0;
}

const TutorialPageNode& TutorialBookNode::laidOutPage(std::size_t index) const {
    if (!m_kept || m_keptIndex != index) {
        const std::size_t count = m_script.pageCount();
        const TutorialPageNode::Timing timing{m_pageTime * double(index), m_pageTime,
                                              m_pageTime * double(count)};
        m_kept = std::make_unique<TutorialPageNode>(m_script.page(index), int(index + 1),
                                                    int(count), timing);
        m_keptIndex = index;
    }
    return *m_kept;
}

void TutorialBookNode::paint(QPainter& painter, Millis time) const {
    const QMutexLocker lock(&m_mutex);
    laidOutPage(pageAt(time)).paint(painter, time);
}

} // namespace tivora::engine
