#pragma once

#include "engine/movies/tutorial_script.h"
#include "engine/scene/scene.h"

#include <QColor>
#include <QFont>
#include <QStaticText>
#include <vector>

namespace tivora::engine {

// One page of a tutorial movie: its title, numbered steps that come in one after another, and a
// tip at the foot. The page shows during its own slot of every round of the movie.
class TutorialPageNode : public SceneNode {
public:
    struct Timing {
        Millis start = 0;    // of the page within a round
        Millis duration = 0; // of the page
        Millis round = 0;    // of all pages
    };

    TutorialPageNode(const TutorialPage& page, int number, int pageCount, Timing timing);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return kForever; }

private:
    struct Block {
        QStaticText text;
        QFont font;
        QColor color;
        QPointF topLeft;
        Millis appearAt; // within the page
        int badge;       // step number shown beside it, 0 for none
        bool tip;        // drawn in the tip box
    };
    double addBlock(const QString& text, const QFont& font, const QColor& color, QPointF topLeft,
                    double width, Millis appearAt, int badge, bool tip = false);
    void paintChrome(QPainter& painter, Millis local) const;
    void paintBadge(QPainter& painter, const Block& block) const;

    std::vector<Block> m_blocks;
    QRectF m_tipBox;
    int m_number;
    int m_pageCount;
    Timing m_timing;
};

} // namespace tivora::engine
