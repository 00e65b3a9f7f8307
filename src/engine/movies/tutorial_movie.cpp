#include "document/ansi_text.h"
#include "engine/layout/graph_style.h"
#include "engine/movies/movie_kinds.h"
#include "engine/movies/tutorial_book_node.h"
#include "engine/scene/shape_node.h"
#include "engine/scene/text_node.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

void addBackdrop(Scene& scene, const QString& title) {
    QPainterPath stage;
    stage.addRect(QRectF(QPointF(0, 0), kStageSize));
    QLinearGradient paper(0, 0, 0, kStageSize.height());
    paper.setColorAt(0.0, QColor(0xF7, 0xF9, 0xFC));
    paper.setColorAt(1.0, QColor(0xE2, 0xE9, 0xF2));
    scene.add(Layer::Background, std::make_unique<ShapeNode>(stage, paper));
    QPainterPath band;
    band.addRect(QRectF(0, 0, kStageSize.width(), 60));
    QLinearGradient header(0, 0, kStageSize.width(), 0);
    header.setColorAt(0.0, QColor(0x1F, 0x3B, 0x63));
    header.setColorAt(1.0, QColor(0x2E, 0x5C, 0x94));
    scene.add(Layer::Background, std::make_unique<ShapeNode>(band, header));
    scene.add(Layer::Titles,
              std::make_unique<TextNode>(title, graphFont(22, true), Qt::white, QPointF(40, 30),
                                         Qt::AlignLeft | Qt::AlignVCenter));
}

} // namespace

Millis tutorialPageTime(const MovieFile& movie) {
    constexpr Millis kDefaultPageTime = 9000.0;
    constexpr Millis kShortestPageTime = 1000.0;
    // An hour a page is more than anyone reads; beyond it a round of pages can overflow.
    constexpr Millis kLongestPageTime = 3600000.0;
    bool ok = false;
    const double pageTime = movie.property("page").toDouble(&ok);
    return ok && pageTime >= kShortestPageTime && pageTime <= kLongestPageTime ? pageTime
                                                                               : kDefaultPageTime;
}

std::size_t tutorialPageAt(Millis time, Millis pageTime, std::size_t pageCount) {
    const Millis withinRound = std::fmod(std::max(time, 0.0), pageTime * double(pageCount));
    std::size_t page = std::min(std::size_t(withinRound / pageTime), pageCount - 1);
    // The division can fall just short of a page's own start (1000.51 * 3 / 1000.51 < 3), and
    // that start belongs to the page: a page dot must turn to its page, not the one before.
    if (page + 1 < pageCount && pageTime * double(page + 1) <= withinRound)
        ++page;
    return page;
}

// A tutorial: pages of numbered steps (the body, see tutorial_script.h) that turn over on their
// own and start again after the last. Properties: "title", "page" (ms each page shows).
Scene layoutTutorialMovie(const MovieFile& movie, const QDir&) {
    const TutorialScript script = TutorialScript::parse(movie.body);
    if (script.pageCount() == 0)
        return layoutErrorMovie(u"This tutorial has no pages."_s);
    Scene scene;
    addBackdrop(scene, ansiToString(movie.property("title", "Tutorial")));
    scene.add(Layer::Plot, std::make_unique<TutorialBookNode>(script, tutorialPageTime(movie)));
    return scene;
}

} // namespace tivora::engine
