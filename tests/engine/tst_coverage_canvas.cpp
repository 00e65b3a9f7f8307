// Rectangles summed into pixels by the share of each pixel they cover: exact colours where many
// rectangles share a pixel, exact edges where one covers part of it.
#include "engine/scene/coverage_canvas.h"

#include <QTest>

using tivora::engine::CoverageCanvas;

namespace {

const QRgb kRed = qRgba(255, 0, 0, 255);
const QRgb kBlue = qRgba(0, 0, 255, 255);

// The alpha of every pixel, row after row, as one text: easy to read in a failure.
QString alphas(const QImage& image) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QStringList row;
        for (int x = 0; x < image.width(); ++x)
            row << QString::number(qAlpha(image.pixel(x, y)));
        rows << row.join(u' ');
    }
    return rows.join(u" / ");
}

} // namespace

class CoverageCanvasTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void coversTheShareOfEachPixel_data();
    void coversTheShareOfEachPixel();
    void rectanglesSharingAPixelAddUp();
    void summedInPiecesOfAnyLength();
};

void CoverageCanvasTest::coversTheShareOfEachPixel_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QString>("expected");
    const QRect area(0, 0, 3, 3);
    QTest::newRow("whole pixels") << area << QRectF(1, 0, 1, 2)
                                  << QStringLiteral("0 255 0 / 0 255 0 / 0 0 0");
    QTest::newRow("quarter edges") << area << QRectF(0.25, 0.5, 2.5, 2)
                                   << QStringLiteral("96 128 96 / 191 255 191 / 96 128 96");
    QTest::newRow("within one pixel")
        << area << QRectF(1.25, 1.25, 0.5, 0.5) << QStringLiteral("0 0 0 / 0 64 0 / 0 0 0");
    QTest::newRow("cut at the area")
        << area << QRectF(-5, 2.5, 20, 9) << QStringLiteral("0 0 0 / 0 0 0 / 128 128 128");
    QTest::newRow("area away from the origin")
        << QRect(10, 20, 3, 3) << QRectF(11, 21, 1, 1) << QStringLiteral("0 0 0 / 0 255 0 / 0 0 0");
    QTest::newRow("outside the area")
        << area << QRectF(3, 0, 2, 2) << QStringLiteral("0 0 0 / 0 0 0 / 0 0 0");
    QTest::newRow("edges in either order") << area << QRectF(QPointF(2, 1), QPointF(1, 0))
                                           << QStringLiteral("0 255 0 / 0 0 0 / 0 0 0");
}

void CoverageCanvasTest::coversTheShareOfEachPixel() {
    QFETCH(QRect, area);
    QFETCH(QRectF, rect);
    QFETCH(QString, expected);
    CoverageCanvas canvas(area);
    canvas.fill(rect, kRed);
    const QImage image = canvas.finish();
    QCOMPARE(image.size(), area.size());
    QCOMPARE(alphas(image), expected);
    // Premultiplied: the colour never exceeds the coverage.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(qRed(image.pixel(x, y)), qAlpha(image.pixel(x, y)));
    }
}

void CoverageCanvasTest::rectanglesSharingAPixelAddUp() {
    // Forty slivers, red and blue in turn, fill the middle pixel between them: it is opaque and
    // half of each, where drawing them one over the other lets the background show through.
    CoverageCanvas canvas(QRect(0, 0, 3, 1));
    for (int i = 0; i < 40; ++i)
        canvas.fill(QRectF(1 + i / 40.0, 0, 1 / 40.0, 1), i % 2 ? kBlue : kRed);
    const QImage image = canvas.finish();
    const QRgb middle = image.pixel(1, 0);
    QCOMPARE(qAlpha(middle), 255);
    QVERIFY2(std::abs(qRed(middle) - 128) <= 1 && std::abs(qBlue(middle) - 128) <= 1,
             qPrintable(QString::number(middle, 16)));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(2, 0)), 0);
}

void CoverageCanvasTest::summedInPiecesOfAnyLength() {
    // Tall and short rectangles over many columns, some wider than a pixel: every pixel is the
    // share covered, whichever rectangles reach it and however far apart they start.
    const QRect area(0, 0, 40, 30);
    CoverageCanvas canvas(area);
    std::vector<QRectF> rects;
    for (int i = 0; i < 25; ++i)
        rects.emplace_back(i * 1.6, 29.5 - i * 1.1, i % 3 == 0 ? 3.1 : 0.7, 0.6 + i * 1.1);
    for (const QRectF& rect : rects)
        canvas.fill(rect, kRed);
    const QImage image = canvas.finish();
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            double covered = 0;
            for (const QRectF& rect : rects)
                covered +=
                    (rect & QRectF(x, y, 1, 1)).width() * (rect & QRectF(x, y, 1, 1)).height();
            QVERIFY2(std::abs(qAlpha(image.pixel(x, y)) - std::min(covered, 1.0) * 255) <= 1.01,
                     qPrintable(QStringLiteral("%1,%2: %3 for %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(qAlpha(image.pixel(x, y)))
                                    .arg(covered)));
        }
    }
}

QTEST_APPLESS_MAIN(CoverageCanvasTest)
#include "tst_coverage_canvas.moc"
