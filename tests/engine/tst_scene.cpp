#include "engine/scene/raster_cache_node.h"
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

// A square in one colour that counts how often it is painted and tells its look as given.
class CountedNode : public SceneNode {
public:
    CountedNode(int& paints, std::optional<std::size_t> look)
        : m_paints(paints)
        , m_look(look) {}
    void paint(QPainter& painter, Millis) const override {
        ++m_paints;
        painter.fillRect(QRectF(10, 10, 30, 30), Qt::red);
    }
    std::optional<std::size_t> settledFingerprint() const override { return m_look; }

private:
    int& m_paints;
    std::optional<std::size_t> m_look;
};

// How often a kept part's child is painted when the part is shown once at the given scale.
int paintsToShow(std::optional<std::size_t> look, double scale = 1.0) {
    int paints = 0;
    const RasterCacheNode kept(std::make_unique<CountedNode>(paints, look), QRectF(0, 0, 50, 50));
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    kept.paint(painter, 0.0);
    painter.end();
    if (image.pixelColor(int(20 * scale), int(20 * scale)) != QColor(Qt::red))
        return -1;
    return paints;
}

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

    void partsThatLookAlikeShareOnePicture() {
        // Laid out afresh after an edit, a part that looks as before is shown from the picture
        // drawn for it then; anything else is drawn.
        const std::size_t look = 0x5EED'1234'5678;
        QCOMPARE(paintsToShow(look), 1);
        QCOMPARE(paintsToShow(look), 0);
        QCOMPARE(paintsToShow(look + 1), 1);
        QCOMPARE(paintsToShow(look, 2.0), 1);
        QCOMPARE(paintsToShow(std::nullopt), 1);
        QCOMPARE(paintsToShow(std::nullopt), 1);
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

QTEST_MAIN(TestScene)
#include "tst_scene.moc"
