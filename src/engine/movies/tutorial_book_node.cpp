#include "engine/movies/tutorial_book_node.h"

#include <QMutexLocker>
#include <algorithm>
#include <cmath>

namespace tivora::engine {

TutorialBookNode::TutorialBookNode(TutorialScript script, Millis pageTime)
    : m_script(std::move(script))
    , m_pageTime(pageTime) {}

std::size_t TutorialBookNode::pageAt(Millis time) const {
    const double round = m_pageTime * double(m_script.pageCount());
    const double page = std::floor(std::fmod(std::max(time, 0.0), round) / m_pageTime);
    // A rounding error at the very end of a round must not step past the last page.
    return std::min(std::size_t(page), m_script.pageCount() - 1);
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
