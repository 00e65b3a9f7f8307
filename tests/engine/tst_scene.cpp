#include "engine/scene/scene.h"

#include <QPainter>
#include <QTest>

using namespace tivora::engine;
using namespace Qt::StringLiterals;

namespace {

// A node that only reports its timing and link, so the scene's own rules can be checked.
class TimedNode : public SceneNode {
public:
    TimedNode(Millis end, QRectF linkArea = {}, QUrl url = {})
        : m_end(end)
        , m_linkArea(linkArea)
        , m_url(std::move(url)) {}
    void paint(QPainter&, Millis) const override {}
    Millis endTime() const override { return m_end; }
    QUrl linkAt(QPointF point, Millis) const override {
        return m_linkArea.contains(point) ? m_url : QUrl();
    }

private:
    Millis m_end;
    QRectF m_linkArea;
    QUrl m_url;
};

} // namespace

class TestScene : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void settledTimeLeavesLoopsOut() {
        Scene scene;
        scene.add(Layer::Plot, std::make_unique<TimedNode>(1200.0));
        scene.add(Layer::Effect, std::make_unique<TimedNode>(kForever));
        scene.add(Layer::Annotation, std::make_unique<TimedNode>(800.0));
        QCOMPARE(scene.endTime(), kForever);
        QCOMPARE(scene.settledTime(), 1200.0);
    }

    void topmostLinkWins() {
        Scene scene;
        const QRectF area(10, 10, 100, 100);
        scene.add(Layer::Annotation,
                  std::make_unique<TimedNode>(0.0, area, QUrl(u"https://top.example"_s)));
        scene.add(Layer::Plot,
                  std::make_unique<TimedNode>(0.0, area, QUrl(u"https://below.example"_s)));
        QCOMPARE(scene.linkAt({50, 50}, 0.0), QUrl(u"https://top.example"_s));
        QVERIFY(scene.linkAt({500, 400}, 0.0).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScene)
#include "tst_scene.moc"
