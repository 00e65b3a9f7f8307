// Outlines cut to a rectangle before drawing: what lies inside stays exactly where it was.
#include "engine/scene/clipped_outline.h"

#include <QTest>

using namespace tivora::engine;

class TestClippedOutline : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aLineInsideIsKeptWhole() {
        const QPolygonF line({{10, 10}, {20, 30}, {40, 20}});
        const auto runs = clippedPolyline(line, QRectF(0, 0, 100, 100));
        QCOMPARE(runs.size(), std::size_t(1));
        QCOMPARE(runs.front(), line);
    }

    void aLineFarOutsideIsCutAtTheEdgeAlongItsOwnDirection() {
        // A point a million units above the rectangle, as a value far beyond a fixed axis gives.
        const QPolygonF line({{0, 50}, {50, -1e6}, {100, 50}});
        const auto runs = clippedPolyline(line, QRectF(0, 0, 100, 100));
        QCOMPARE(runs.size(), std::size_t(2));
        QCOMPARE(runs[0].front(), QPointF(0, 50));
        QCOMPARE(runs[0].back().y(), 0.0);
        // Still on the segment's own line: x grows by 50 over a rise of 1e6 + 50.
        QVERIFY(std::abs(runs[0].back().x() - 50.0 * 50 / (1e6 + 50)) < 1e-9);
        QCOMPARE(runs[1].back(), QPointF(100, 50));
    }

    void segmentsMissingTheRectangleLeaveNothing() {
        QVERIFY(
            clippedPolyline(QPolygonF(QList<QPointF>{{-10, -10}, {-5, -20}}), QRectF(0, 0, 10, 10))
                .empty());
        QVERIFY(segmentCrosses(QLineF(-5, 5, 15, 5), QRectF(0, 0, 10, 10)));
        QVERIFY(segmentCrosses(QLineF(2, 2, 3, 3), QRectF(0, 0, 10, 10)));
        QVERIFY(!segmentCrosses(QLineF(-5, 20, 15, 20), QRectF(0, 0, 10, 10)));
    }

    void aPolygonIsCutToTheRectangle() {
        const QPolygonF area({{40, 100}, {50, -1e6}, {60, 100}});
        const QRectF rect(0, 0, 100, 100);
        const QPolygonF cut = clippedPolygon(area, rect);
        QVERIFY(rect.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(cut.boundingRect()));
        // The part inside is the same shape: a point well inside stays covered, one outside the
        // original stays uncovered.
        QVERIFY(cut.containsPoint({50, 20}, Qt::OddEvenFill));
        QVERIFY(area.containsPoint({50, 20}, Qt::OddEvenFill));
        QVERIFY(!cut.containsPoint({30, 20}, Qt::OddEvenFill));
        QVERIFY(!area.containsPoint({30, 20}, Qt::OddEvenFill));
        QCOMPARE(clippedPolygon(QPolygonF({{1, 1}, {5, 1}, {5, 5}}), rect),
                 QPolygonF({{1, 1}, {5, 1}, {5, 5}}));
    }
};

QTEST_MAIN(TestClippedOutline)
#include "tst_clipped_outline.moc"
