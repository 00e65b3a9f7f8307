#pragma once

#include "engine/movies/tutorial_page_node.h"
#include "engine/movies/tutorial_script.h"
#include "engine/scene/scene.h"

#include <QMutex>
#include <memory>

namespace tivora::engine {

// All pages of a tutorial movie, turning over on their own and starting again after the last.
// Only the page on show is laid out, when it first shows, and kept until another page shows:
// laying out every page at load would cost time and memory in proportion to the movie, and a
// player would walk all of them for every frame.
class TutorialBookNode : public SceneNode {
public:
    TutorialBookNode(TutorialScript script, Millis pageTime);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return kForever; }

    // The page shown at time, counted from 0.
    std::size_t pageAt(Millis time) const;
    // How many pages have been laid out and are kept now: never more than one.
    std::size_t pagesKept() const;

private:
    const TutorialPageNode& laidOutPage(std::size_t index) const;

    TutorialScript m_script;
    Millis m_pageTime;
    // Frames of one movie may be painted from more than one thread.
    mutable QMutex m_mutex;
    mutable std::size_t m_keptIndex = 0;
    mutable std::unique_ptr<TutorialPageNode> m_kept;
};

} // namespace tivora::engine
