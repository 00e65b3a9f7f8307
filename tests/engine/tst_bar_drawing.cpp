// Bars and value labels as a business graph must show them: bars of a sensible width standing
// exactly between the baseline and their value, cut at a fixed maximum, and crisp axis lines.
#include "picture_difference.h"
#include "tst_series_fixture.h"

#include <QGuiApplication>
#include <QPicture>
#include <QSemaphore>
#include <QTest>
#include <QThreadPool>

using namespace tivora::engine;
using namespace tivora::engine::testing;

namespace {

const QColor kRed(0xFF, 0x00, 0x00);

QImage drawBars(const QByteArray& values, int columns, const QByteArray& yMin = "0",
                const QByteArray& yMax = "100", QByteArray show = "NO", QSize size = {700, 475}) {
    QByteArray text =
        seriesGraph("bar", {{"bar", "0xFF0000", values, {}, "0", show}}, columns, yMin, yMax, "10")
            .text();
    return renderText(text, 0.0, size);
}

// The widest run of red pixels along a row.
int redWidth(const QImage& image, int y) {
    return countPixels(image, near(kRed), QRect(0, y, image.width(), 1));
}

// How much red a pixel shows, whatever grey lies beneath it: 0 .. 1.
double redShare(QRgb pixel) {
    return (qRed(pixel) - qGreen(pixel)) / 255.0;
}

bool isWhite(QRgb pixel) {
    return qRed(pixel) > 235 && qGreen(pixel) > 235 && qBlue(pixel) > 235;
}

// The frame drawn shape by shape, as on devices that are not pixels, with no picture kept.
QImage drawnDirectly(const QByteArray& text, Millis time) {
    const Movie movie(layoutGraph(tivora::VariableText(text), QDir::temp()));
    QPicture picture;
    QPainter recorder(&picture);
    recorder.setRenderHint(QPainter::Antialiasing);
    movie.paint(recorder, time);
    recorder.end();
    QImage image(700, 475, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    picture.play(&painter);
    return image;
}

} // namespace

class BarDrawingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fewColumnsDoNotMakeSlabs();
    void barsSpanExactlyFromBaselineToValue();
    void valueAboveFixedMaximumIsCutWithItsLabelInside();
    void negativeBarOnAxisFromZeroDrawsNothing();
    void gridLinesStayOnePixelAtAnyScale_data();
    void gridLinesStayOnePixelAtAnyScale();
    void denseSeriesStretchAsTheyGrow_data();
    void denseSeriesStretchAsTheyGrow();
    void framesAreTheSameOnEveryThread();
    void barsFarNarrowerThanAPixelShowTheirShare();
    void denseLinesMadeInHalvesMeetWithoutASeam();
    void aChangedValueIsNeverShownFromAnEarlierPicture_data();
    void aChangedValueIsNeverShownFromAnEarlierPicture();
};

void BarDrawingTest::fewColumnsDoNotMakeSlabs() {
    const QImage image = drawBars("80", 1);
    const int column = busiestColumn(image, near(kRed));
    const auto [top, bottom] = verticalRun(image, column, near(kRed));
    const int width = redWidth(image, (top + bottom) / 2);
    QVERIFY2(width > 20 && width <= 66, qPrintable(QString::number(width)));
}

void BarDrawingTest::barsSpanExactlyFromBaselineToValue() {
    // 25 and 100 on a fixed 0..100 axis: the cylinder's lit top stands at the value and its
    // rounded bottom on the baseline, so the drawn heights are exactly one to four.
    const QImage image = drawBars("25/x/100", 2);
    const int low = busiestColumn(image.copy(0, 0, 350, image.height()), near(kRed));
    const int high = busiestColumn(image, near(kRed));
    const auto [lowTop, lowBottom] = verticalRun(image, low, near(kRed));
    const auto [highTop, highBottom] = verticalRun(image, high, near(kRed));
    QVERIFY(high > 350);
    QVERIFY2(std::abs(lowBottom - highBottom) <= 1, "both stand on the baseline");
    const double ratio = double(highBottom - highTop + 1) / double(lowBottom - lowTop + 1);
    QVERIFY2(ratio > 3.9 && ratio < 4.1, qPrintable(QString::number(ratio)));
    // Nothing of the bar hangs below the axis line.
    const int baseline = highBottom;
    const auto below = [&](int x) {
        return countPixels(image, near(kRed), QRect(x - 10, baseline + 1, 20, 10));
    };
    QCOMPARE(below(high), 0);
}

void BarDrawingTest::valueAboveFixedMaximumIsCutWithItsLabelInside() {
    const QImage full = drawBars("100/x/10", 2, "0", "100", "YES");
    const QImage over = drawBars("180/x/10", 2, "0", "100", "YES");
    const int column = busiestColumn(over, near(kRed));
    const int fullTop = verticalRun(full, busiestColumn(full, near(kRed)), near(kRed)).first;
    const int overTop = verticalRun(over, column, near(kRed)).first;
    QVERIFY2(overTop >= fullTop - 1, "the bar ends at the plot's top, not in the header");
    // Its white label stands inside the bar near the cut, not above the plot.
    const int labelPixels = countPixels(over, isWhite, QRect(column - 30, overTop, 60, 30));
    QVERIFY2(labelPixels > 15, qPrintable(QString::number(labelPixels)));
    QCOMPARE(countPixels(over, isWhite, QRect(column - 30, 0, 60, overTop - 2)) > 0, true);
    const int aboveLabel = countPixels(
        over, [](QRgb p) { return qRed(p) < 90 && qAlpha(p) > 200; },
        QRect(column - 30, overTop - 30, 60, 28));
    QCOMPARE(aboveLabel, 0);
}

void BarDrawingTest::negativeBarOnAxisFromZeroDrawsNothing() {
    const QImage image = drawBars("-40/x/30", 2);
    const QImage negativeOnly = image.copy(0, 0, 350, image.height());
    QCOMPARE(countPixels(negativeOnly, near(kRed)), 0);
    QVERIFY(countPixels(image, near(kRed)) > 100);
}

void BarDrawingTest::gridLinesStayOnePixelAtAnyScale_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("stage size") << QSize(700, 475);
    QTest::newRow("scaled up") << QSize(1003, 681);
    QTest::newRow("scaled down") << QSize(487, 330);
}

void BarDrawingTest::gridLinesStayOnePixelAtAnyScale() {
    QFETCH(QSize, size);
    const QByteArray text = seriesGraph("line", {{"line", "0xFF0000", "50"}}, 1)
                                .encoded("YGridCol", "0x000000")
                                .encoded("XAxisCol", "0x000000")
                                .text();
    const QImage image = renderText(text, 0.0, size);
    // Down a column inside the plot, left of the line's only point: every grid line is one row
    // of solid black between white rows, never a grey pair.
    const int x = size.width() / 5;
    int lines = 0;
    for (int y = 1; y < size.height() - 1; ++y) {
        const QRgb pixel = image.pixel(x, y);
        const bool dark = qRed(pixel) < 200;
        if (!dark)
            continue;
        QVERIFY2(qRed(pixel) < 40, qPrintable(QStringLiteral("grey row %1").arg(y)));
        QVERIFY2(isWhite(image.pixel(x, y - 1)) && isWhite(image.pixel(x, y + 1)),
                 qPrintable(QStringLiteral("thick row %1").arg(y)));
        ++lines;
    }
    QVERIFY2(lines >= 5, qPrintable(QString::number(lines)));
}

void BarDrawingTest::denseSeriesStretchAsTheyGrow_data() {
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("line") << QByteArray("line");
    QTest::newRow("stacked bars") << QByteArray("sbar");
}

void BarDrawingTest::denseSeriesStretchAsTheyGrow() {
    // Hundreds of points are drawn once and stretched while they grow: halfway through, the
    // picture must match the series drawn point by point.
    QFETCH(QByteArray, type);
    std::vector<QByteArray> values;
    for (int c = 0; c < 600; ++c)
        values.push_back(QByteArray::number(20 + (c * 37) % 70));
    const QByteArray seriesType = type == "sbar" ? "bar" : type;
    const QByteArray text =
        seriesGraph(type, {{seriesType, "0xFF0000", tivora::joinList(values), {}, "15"}}, 600)
            .text();
    const Millis half = endOf(text) / 4;
    const QImage kept = renderText(text, half);
    const QImage drawn = drawnDirectly(text, half);
    const auto topRow = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            if (countPixels(image, near(kRed), QRect(0, y, image.width(), 1)) > 0)
                return y;
        }
        return -1;
    };
    const int keptTop = topRow(kept);
    const int drawnTop = topRow(drawn);
    QVERIFY2(std::abs(keptTop - drawnTop) <= 3,
             qPrintable(QStringLiteral("%1 %2").arg(keptTop).arg(drawnTop)));
    // Bars narrower than a pixel are summed into exact colours on pixels, where shapes drawn one
    // by one blend lighter: count every pixel the series tints.
    const auto tinted = [](QRgb pixel) {
        return qAlpha(pixel) > 200 && redShare(pixel) > 60 / 255.0;
    };
    const double keptCount = countPixels(kept, tinted);
    const double drawnCount = countPixels(drawn, tinted);
    QVERIFY(drawnCount > 1000);
    QVERIFY2(std::abs(keptCount - drawnCount) < drawnCount * 0.2,
             qPrintable(QStringLiteral("%1 %2").arg(keptCount).arg(drawnCount)));
}

// A frame painted from this thread is handed to a pool thread whole, where Qt fills without
// helpers; it must come out exactly as painted there directly, at rest and while growing.
void BarDrawingTest::framesAreTheSameOnEveryThread() {
    const QByteArray text = seriesGraph("bar",
                                        {{"bar", "0xFF0000", "80/x/20/x/55", {}, "25", "YES"},
                                         {"area", "0x00A000", "30/x/60/x/10", {}, "15", "YES"},
                                         {"line", "0x0000FF", "50/x/70/x/90", {}, "20", "YES"}},
                                        3, "0", "100", "10")
                                .text();
    for (const Millis time : {endOf(text) / 3, endOf(text) + 1}) {
        const QImage handedOff = renderText(text, time);
        QImage direct;
        QSemaphore done;
        QThreadPool::globalInstance()->start([&] {
            direct = renderText(text, time);
            done.release();
        });
        done.acquire();
        QCOMPARE(handedOff, direct);
    }
}

void BarDrawingTest::barsFarNarrowerThanAPixelShowTheirShare() {
    // Sixty series of 400 columns: each bar is a fiftieth of a pixel wide. Together the bars
    // of a column cover three quarters of its slot (the rest is the gap between columns), and a
    // row through them must show that share of red everywhere, across the middle of the plot
    // too, where two halves of the picture meet. Drawn one by one they once left the plot empty.
    std::vector<QByteArray> values(400, "50");
    std::vector<SeriesSpec> series(60, {"bar", "0xFF0000", tivora::joinList(values)});
    const QImage image = renderText(seriesGraph("bar", series, 400).text(), 0.0);
    const auto redAt = [&](int x, int y) {
        return redShare(image.pixel(x, y));
    };
    const auto barsAlong = [&](int y) {
        std::vector<int> xs;
        for (int x = 0; x < image.width(); ++x) {
            if (redAt(x, y) > 0.05)
                xs.push_back(x);
        }
        return xs;
    };
    const int y = image.height() * 3 / 4;
    const std::vector<int> xs = barsAlong(y);
    QVERIFY2(xs.size() > 500, qPrintable(QString::number(xs.size())));
    double sum = 0;
    for (int x = xs.front() + 1; x < xs.back(); ++x) {
        QVERIFY2(redAt(x, y) > 0.4 && redAt(x, y) <= 1.0,
                 qPrintable(QStringLiteral("%1: %2").arg(x).arg(redAt(x, y))));
        sum += redAt(x, y);
    }
    const double mean = sum / (xs.back() - xs.front() - 1);
    QVERIFY2(std::abs(mean - 0.75) < 0.03, qPrintable(QString::number(mean)));
    // Above the values, nothing.
    QVERIFY(barsAlong(image.height() / 4).empty());
}

void BarDrawingTest::denseLinesMadeInHalvesMeetWithoutASeam() {
    // Many dense lines keep a picture made in two halves at once: it must be the lines as Qt
    // draws them in one piece, at the middle column where the halves meet as everywhere else.
    // (Forty lines laid one under another round a few levels apart from forty laid one over
    // another; a misplaced half is off by hundreds.)
    std::vector<SeriesSpec> series;
    for (int s = 0; s < 40; ++s) {
        std::vector<QByteArray> values;
        for (int c = 0; c < 600; ++c)
            values.push_back(QByteArray::number(10 + (s * 13 + c * 37) % 80));
        series.push_back({"line", s % 2 ? "0x2E6FB7" : "0xE07B24", tivora::joinList(values)});
    }
    const QByteArray text = seriesGraph("line", series, 600).text();
    const Millis rest = endOf(text) + 1;
    const QImage halves = renderText(text, rest);
    const QImage whole = drawnDirectly(text, rest);
    // Inside the plot: text outside it is drawn apart from the lines.
    const auto difference = tivora::test::differenceOf(halves, whole, QRect(80, 40, 600, 340));
    QVERIFY2(difference.largest <= 16, difference.describe().constData());
}

void BarDrawingTest::aChangedValueIsNeverShownFromAnEarlierPicture_data() {
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("bars") << QByteArray("bar");
    QTest::newRow("lines") << QByteArray("line");
}

void BarDrawingTest::aChangedValueIsNeverShownFromAnEarlierPicture() {
    // Dense series keep their pictures across layouts of a graph that looks the same. The same
    // graph with one value raised must show that value, at rest and while growing.
    QFETCH(QByteArray, type);
    std::vector<QByteArray> values(400, "30");
    const auto graph = [&] {
        return seriesGraph(type, {{type, "0xFF0000", tivora::joinList(values), {}, "15"}}, 400)
            .text();
    };
    const QByteArray before = graph();
    values[200] = "90";
    const QByteArray after = graph();
    // Tinted pixels in the upper part of the stage, which only the raised value reaches.
    const auto tintedHigh = [](const QImage& image) {
        return countPixels(
            image, [](QRgb pixel) { return redShare(pixel) > 60 / 255.0; },
            QRect(0, 0, image.width(), image.height() * 4 / 10));
    };
    for (const Millis time : {endOf(before) / 2, endOf(before) + 1}) {
        QCOMPARE(tintedHigh(renderText(before, time)), 0);
        QVERIFY(tintedHigh(renderText(after, time)) > 0);
        QCOMPARE(tintedHigh(renderText(before, time)), 0);
    }
}

QTEST_MAIN(BarDrawingTest)
#include "tst_bar_drawing.moc"
