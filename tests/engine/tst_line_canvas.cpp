// Thin antialiased lines drawn front to back straight into pixels must look as Qt draws them one
// after the other: the same pixels, the same order where they cross, the same cut at the edges.
#include "engine/scene/line_canvas.h"
#include "picture_difference.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>
#include <limits>

using tivora::engine::LineCanvas;
using tivora::test::differenceOf;
using tivora::test::PictureDifference;

namespace {

struct Line {
    QPolygonF points;
    QColor colour;
    double width = 1; // device pixels
};

// Thin lines: both split a pixel's width between two pixels at their own rounding, a few levels
// apart, rarely a few tens where many ends meet. Wider lines: where they turn, Qt rounds the
// corner and the canvas squares it, so a few pixels at each corner differ wholly. A line most
// of a pixel out of place is off by hundreds along all its length.
bool looksAlike(const PictureDifference& difference, double width = 1) {
    return width > 1 ? difference.mean < 5.0 : difference.largest <= 48 && difference.mean < 2.0;
}

// The lines as Qt draws them, with a pen one pixel wide and round ends, onto a picture of area.
QImage drawnByQt(const std::vector<Line>& lines, QRect area, const QTransform& toDevice) {
    QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(toDevice * QTransform::fromTranslate(-area.left(), -area.top()));
    for (const Line& line : lines) {
        // A pen of width 0 is one device pixel wide at any scale, as a canvas line of width 1.
        painter.setPen(QPen(line.colour, line.width > 1 ? line.width / toDevice.m11() : 0,
                            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (line.points.size() == 1)
            painter.drawPoint(line.points.front());
        else
            painter.drawPolyline(line.points);
    }
    return picture;
}

QImage drawnByCanvas(const std::vector<Line>& lines, QRect area, const QTransform& toDevice) {
    LineCanvas canvas(area);
    for (const Line& line : lines)
        canvas.addPolyline(line.points, toDevice, qPremultiply(line.colour.rgba()), line.width);
    return canvas.finish();
}

} // namespace

class LineCanvasTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void looksAsQtDrawsIt_data();
    void looksAsQtDrawsIt();
    void theLineAddedLastLiesOnTop();
    void pointsFarOutsideAreCutAndUnusablePointsLeftOut();
};

void LineCanvasTest::looksAsQtDrawsIt_data() {
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("pointCount");
    QTest::addColumn<double>("jump");  // how far a point may lie from the one before
    QTest::addColumn<int>("alpha");    // of every colour
    QTest::addColumn<QRect>("area");   // device pixels
    QTest::addColumn<double>("scale"); // stage units to device pixels
    QTest::addColumn<double>("width"); // device pixels
    QTest::addColumn<quint32>("seed");
    // Lines run past the area's edges on every side, so the cut is tested throughout.
    QTest::newRow("a few smooth lines")
        << 3 << 300 << 3.0 << 255 << QRect(0, 0, 200, 150) << 1.0 << 1.0 << 1u;
    QTest::newRow("jagged, many and dense")
        << 60 << 400 << 120.0 << 255 << QRect(0, 0, 200, 150) << 1.0 << 1.0 << 2u;
    QTest::newRow("see-through colours")
        << 20 << 200 << 40.0 << 110 << QRect(0, 0, 200, 150) << 1.0 << 1.0 << 3u;
    QTest::newRow("an area away from the origin")
        << 20 << 200 << 40.0 << 255 << QRect(37, 21, 120, 90) << 1.0 << 1.0 << 4u;
    QTest::newRow("scaled down") << 20 << 200 << 40.0 << 255 << QRect(0, 0, 200, 150) << 0.6 << 1.0
                                 << 5u;
    QTest::newRow("two pixels wide, smooth")
        << 3 << 300 << 3.0 << 255 << QRect(0, 0, 200, 150) << 1.0 << 2.0 << 7u;
    QTest::newRow("two pixels wide, jagged")
        << 20 << 200 << 40.0 << 255 << QRect(0, 0, 200, 150) << 1.0 << 2.0 << 8u;
    QTest::newRow("three pixels wide, scaled up")
        << 10 << 100 << 20.0 << 255 << QRect(0, 0, 200, 150) << 2.0 << 3.0 << 9u;
    QTest::newRow("six pixels wide, jagged")
        << 10 << 100 << 40.0 << 255 << QRect(0, 0, 200, 150) << 1.0 << 6.0 << 10u;
    QTest::newRow("six pixels wide, see-through")
        << 10 << 100 << 40.0 << 160 << QRect(0, 0, 200, 150) << 1.0 << 6.0 << 11u;
    QTest::newRow("sixteen pixels wide, scaled up")
        << 4 << 30 << 30.0 << 255 << QRect(0, 0, 200, 150) << 2.0 << 16.0 << 12u;
    QTest::newRow("lone points") << 40 << 1 << 0.0 << 255 << QRect(0, 0, 200, 150) << 1.0 << 1.0
                                 << 6u;
}

void LineCanvasTest::looksAsQtDrawsIt() {
    QFETCH(int, lineCount);
    QFETCH(int, pointCount);
    QFETCH(double, jump);
    QFETCH(int, alpha);
    QFETCH(QRect, area);
    QFETCH(double, scale);
    QFETCH(double, width);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const QTransform toDevice = QTransform::fromScale(scale, scale).translate(0.3, 0.7);
    const QRectF reach = toDevice.inverted().mapRect(QRectF(area)).adjusted(-20, -20, 20, 20);
    std::vector<Line> lines;
    for (int l = 0; l < lineCount; ++l) {
        QPolygonF points;
        double y = reach.top() + random.bounded(reach.height());
        for (int p = 0; p < pointCount; ++p) {
            const double x = reach.left() + reach.width() * (p + random.bounded(1.0)) / pointCount;
            y = std::clamp(y + (random.bounded(2.0) - 1.0) * jump, reach.top(), reach.bottom());
            points.append(pointCount == 1 ? QPointF(reach.left() + random.bounded(reach.width()), y)
                                          : QPointF(x, y));
        }
        lines.push_back(
            {points, QColor::fromHsv(int(random.bounded(360)), 200, 220, alpha), width});
    }
    const PictureDifference difference =
        differenceOf(drawnByCanvas(lines, area, toDevice), drawnByQt(lines, area, toDevice));
    QVERIFY2(looksAlike(difference, width), difference.describe().constData());
}

void LineCanvasTest::theLineAddedLastLiesOnTop() {
    // A steep line across a steep line: where both cover a pixel whole, the last added shows.
    const QRect area(0, 0, 20, 20);
    const QPolygonF across{{10.5, 0}, {10.5, 20}};
    const std::vector<Line> lines{{across, Qt::red}, {across, Qt::blue}};
    const QImage picture = drawnByCanvas(lines, area, QTransform());
    QCOMPARE(picture.pixel(10, 10), qRgb(0, 0, 255));
    const QImage reversed = drawnByCanvas({lines[1], lines[0]}, area, QTransform());
    QCOMPARE(reversed.pixel(10, 10), qRgb(255, 0, 0));
}

void LineCanvasTest::pointsFarOutsideAreCutAndUnusablePointsLeftOut() {
    // A value far beyond a fixed axis maximum puts its point millions of pixels away: the line
    // towards it is cut at the edge as Qt cuts it, and a point that is no number at all ends
    // the segments that touch it without spoiling the others.
    const QRect area(0, 0, 80, 60);
    const std::vector<Line> far{
        {QPolygonF{{10.3, 30}, {12.7, -4e9}, {40.2, 50}, {70.6, 3e12}}, Qt::darkGreen},
        {QPolygonF{{-1e15, 20.4}, {1e15, 25.8}}, Qt::blue},
        {QPolygonF{{-3e12, 10}, {3e12, 1e13}}, Qt::red}};
    const PictureDifference difference =
        differenceOf(drawnByCanvas(far, area, QTransform()), drawnByQt(far, area, QTransform()));
    QVERIFY2(looksAlike(difference), difference.describe().constData());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<Line> broken{
        {QPolygonF{{5.5, 5}, {5.5, 25}, {nan, 30}, {infinity, 40}, {50.5, 10}, {50.5, 50}},
         Qt::black}};
    const QImage picture = drawnByCanvas(broken, area, QTransform());
    QCOMPARE(qAlpha(picture.pixel(5, 15)), 255);
    QCOMPARE(qAlpha(picture.pixel(50, 30)), 255);
    QCOMPARE(qAlpha(picture.pixel(30, 30)), 0);
}

QTEST_MAIN(LineCanvasTest)
#include "tst_line_canvas.moc"
