// Series graphs drawn to images and checked by their pixels.
#include "tst_series_fixture.h"

#include <QGuiApplication>
#include <QTest>

using namespace tivora::engine;
using namespace tivora::engine::testing;

namespace {

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGreen(0x00, 0xA0, 0x00);

} // namespace

class SeriesGraphTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachSeriesTypeDrawsItsColour_data();
    void eachSeriesTypeDrawsItsColour();
    void mixedSeriesDrawEveryColour();
    void barsGrowFromTheBaseline();
    void valueLabelsShowCountOrWait();
    void stackedBarsStack();
    void groupedBarsStandSideBySide();
    void automaticAxisHoldsTheData();
    void higherValuesStandTaller();
    void columnLabelsThinToTheMaximum_data();
    void columnLabelsThinToTheMaximum();
    void titleOffsetsMoveTheTitles();
    void stageBackgroundAndTransparency();
    void headerBandOnEachSide_data();
    void headerBandOnEachSide();
    void plotShadingDarkensTowardsItsFarEnd();
    void graphStaysOnStageAtEveryScale_data();
    void graphStaysOnStageAtEveryScale();
    void badTextStillLaysOut_data();
    void badTextStillLaysOut();
};

void SeriesGraphTest::eachSeriesTypeDrawsItsColour_data() {
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("least");
    QTest::newRow("bar") << QByteArray("bar") << kRed << 20000;
    QTest::newRow("line") << QByteArray("line") << kGreen << 1000;
    QTest::newRow("area") << QByteArray("area") << kBlue << 40000;
}

void SeriesGraphTest::eachSeriesTypeDrawsItsColour() {
    QFETCH(QByteArray, type);
    QFETCH(QColor, color);
    QFETCH(int, least);
    const QByteArray text =
        seriesGraph(type, {{type, "0x" + color.name().mid(1).toUpper().toLatin1(), "60/x/80/x/70"}},
                    3)
            .text();
    const QImage image = renderText(text, endOf(text));
    QVERIFY2(countPixels(image, near(color)) > least, "the series colour is missing");
    // Nothing of the series reaches the upper fifth of the stage: 80 of 100 is the highest value.
    QCOMPARE(countPixels(image, near(color), QRect(0, 0, 700, 80)), 0);
}

void SeriesGraphTest::mixedSeriesDrawEveryColour() {
    const QByteArray text = seriesGraph("bar",
                                        {{"bar", "0xFF0000", "40/x/50/x/60"},
                                         {"line", "0x00A000", "70/x/80/x/90"},
                                         {"area", "0x0000FF", "20/x/30/x/20"}},
                                        3)
                                .text();
    const QImage image = renderText(text, endOf(text));
    QVERIFY(countPixels(image, near(kRed)) > 5000);
    QVERIFY(countPixels(image, near(kGreen)) > 500);
    QVERIFY(countPixels(image, near(kBlue)) > 5000);
}

void SeriesGraphTest::barsGrowFromTheBaseline() {
    const QByteArray text =
        seriesGraph("bar", {{"bar", "0xFF0000", "90/x/90", "Sales", "15", "YES"}}, 2).text();
    const Millis end = endOf(text);
    QVERIFY(end > 0);
    QCOMPARE(countPixels(renderText(text, 0), near(kRed)), 0);

    const QImage full = renderText(text, end);
    const int column = busiestColumn(full, near(kRed));
    const auto [fullTop, fullBottom] = verticalRun(full, column, near(kRed));
    const QImage half = renderText(text, end / 4);
    const auto [halfTop, halfBottom] = verticalRun(half, column, near(kRed));
    QVERIFY(halfTop > fullTop + 10);                 // still growing
    QVERIFY(std::abs(halfBottom - fullBottom) <= 2); // from the same baseline
    QCOMPARE(renderText(text, end + 5000), full);    // and still once grown
}

void SeriesGraphTest::valueLabelsShowCountOrWait() {
    // Black labels on a tall yellow bar (black reads on all of its shading): shown at the end
    // when asked for; while the bar grows, counted up with it when they count and not yet there
    // when they wait for the end.
    const auto labelPixels = [](const QByteArray& show, const QByteArray& count, double share) {
        QByteArray text =
            seriesGraph("bar", {{"bar", "0xFFFF00", "90", QByteArray(), "15", show}}, 1).text();
        text.replace(QByteArray("&GCV_=" + tivora::EncodeValue("NO")),
                     QByteArray("&GCV_=" + tivora::EncodeValue(count)));
        const QImage image = renderText(text, endOf(text) * share);
        const auto black = [](QRgb p) {
            return qAlpha(p) > 200 && qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
        };
        // Right of the axis numbers and above the baseline: the bar and its label only.
        return countPixels(image, black, QRect(60, 0, 640, 430));
    };
    // A label of two digits at the axis numbers' size darkens a score of pixels.
    QVERIFY(labelPixels("YES", "NO", 1.0) > 10);
    QCOMPARE(labelPixels("NO", "NO", 1.0), 0);
    QVERIFY(labelPixels("YES", "YES", 0.3) > 10);
    QCOMPARE(labelPixels("YES", "NO", 0.3), 0);
}

void SeriesGraphTest::stackedBarsStack() {
    const QByteArray text =
        seriesGraph("sbar", {{"bar", "0xFF0000", "60"}, {"bar", "0x0000FF", "30"}}, 1).text();
    const QImage image = renderText(text, endOf(text));
    const int column = busiestColumn(image, near(kRed));
    const auto [redTop, redBottom] = verticalRun(image, column, near(kRed));
    const auto [blueTop, blueBottom] = verticalRun(image, column, near(kBlue));
    QVERIFY(redTop > 0 && blueTop > 0);
    QVERIFY2(blueBottom <= redTop + 12, "the second series stands on the first");
    QVERIFY(blueTop < redTop);
    const double ratio = double(redBottom - redTop) / double(blueBottom - blueTop);
    QVERIFY2(ratio > 1.6 && ratio < 2.5, qPrintable(QString::number(ratio)));
}

void SeriesGraphTest::groupedBarsStandSideBySide() {
    const QByteArray text =
        seriesGraph("bar", {{"bar", "0xFF0000", "60"}, {"bar", "0x0000FF", "30"}}, 1).text();
    const QImage image = renderText(text, endOf(text));
    const int red = busiestColumn(image, near(kRed));
    const int blue = busiestColumn(image, near(kBlue));
    QVERIFY(red >= 0 && blue > red);
    QCOMPARE(verticalRun(image, red, near(kBlue)).first, -1);
    const auto [redTop, redBottom] = verticalRun(image, red, near(kRed));
    const auto [blueTop, blueBottom] = verticalRun(image, blue, near(kBlue));
    QVERIFY(std::abs(redBottom - blueBottom) <= 2);
    QVERIFY(blueTop > redTop);
}

void SeriesGraphTest::automaticAxisHoldsTheData() {
    // A bar above a fixed maximum is cut at the top of the plot; with "auto" it ends below it.
    const auto topOf = [](const QByteArray& yMax) {
        const QByteArray text =
            seriesGraph("bar", {{"bar", "0xFF0000", "1234/x/56789"}}, 2, "0", yMax, "auto").text();
        const QImage image = renderText(text, endOf(text));
        return verticalRun(image, busiestColumn(image, near(kRed)), near(kRed)).first;
    };
    const int clipped = topOf("100");
    const int automatic = topOf("auto");
    QVERIFY(clipped > 0);
    QVERIFY2(automatic > clipped + 5, "the tallest bar must end inside the plot");
}

void SeriesGraphTest::higherValuesStandTaller() {
    const QByteArray text = seriesGraph("bar", {{"bar", "0xFF0000", "25/x/75"}}, 2).text();
    const QImage image = renderText(text, endOf(text));
    const int lowColumn = busiestColumn(image.copy(0, 0, 350, image.height()), near(kRed));
    const auto [lowTop, lowBottom] = verticalRun(image, lowColumn, near(kRed));
    int tallColumn = busiestColumn(image, near(kRed));
    const auto [highTop, highBottom] = verticalRun(image, tallColumn, near(kRed));
    QVERIFY(tallColumn > 350);
    const double ratio = double(highBottom - highTop) / double(lowBottom - lowTop);
    QVERIFY2(ratio > 2.6 && ratio < 3.4, qPrintable(QString::number(ratio)));
}

void SeriesGraphTest::columnLabelsThinToTheMaximum_data() {
    QTest::addColumn<QByteArray>("most");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("shown");
    QTest::newRow("no maximum") << QByteArray("") << 12 << 12;
    QTest::newRow("at most 4") << QByteArray("4") << 12 << 4;
    QTest::newRow("at most 5") << QByteArray("5") << 12 << 4; // every third: evenly spread
}

void SeriesGraphTest::columnLabelsThinToTheMaximum() {
    QFETCH(QByteArray, most);
    QFETCH(int, columns);
    QFETCH(int, shown);
    QByteArray values = "1";
    for (int c = 1; c < columns; ++c)
        values += "/x/1";
    GraphTextBuilder builder = seriesGraph("line", {{"line", "0xFFFFFF", values}}, columns);
    builder.encoded("XMax", most).encoded("XLabColor", "0xFF0000");
    const QImage image = renderText(builder.text(), 0);
    // Count the separate red runs along the band below the plot where the labels lie.
    int runs = 0;
    int lastRed = -100;
    for (int x = 0; x < image.width(); ++x) {
        if (countPixels(image, near(kRed, 90), QRect(x, 420, 1, 55)) == 0)
            continue;
        runs += x - lastRed > 6 ? 1 : 0;
        lastRed = x;
    }
    QCOMPARE(runs, shown);
}

void SeriesGraphTest::titleOffsetsMoveTheTitles() {
    // The x title in red, moved right by xtx and down by xty; the y title in blue, moved up by yty.
    const auto render = [](const QByteArray& xtx, const QByteArray& xty, const QByteArray& yty) {
        GraphTextBuilder builder = seriesGraph("bar", {{"bar", "0x00A000", "50"}}, 1);
        builder.encoded("XTitle", "Months of the year")
            .encoded("XTitleCol", "0xFF0000")
            .encoded("YTitle", "Revenue")
            .encoded("YTitleCol", "0x0000FF")
            .encoded("xtx", xtx)
            .encoded("xty", xty)
            .encoded("yty", yty)
            .encoded("XTFont", "20")
            .encoded("YTFont", "20");
        return renderText(builder.text(), 0);
    };
    const QImage still = render("0", "0", "0");
    const QImage moved = render("60", "-20", "-40");
    const int redBefore = busiestColumn(still, near(kRed, 90));
    const int redAfter = busiestColumn(moved, near(kRed, 90));
    QVERIFY2(std::abs(redAfter - redBefore - 60) <= 4, qPrintable(QString::number(redAfter)));
    const int rowBefore = verticalRun(still, redBefore, near(kRed, 90)).first;
    const int rowAfter = verticalRun(moved, redAfter, near(kRed, 90)).first;
    QVERIFY(std::abs(rowAfter - rowBefore + 20) <= 3);
    const int blueColumn = busiestColumn(still, near(kBlue, 90));
    const int blueBefore = verticalRun(still, blueColumn, near(kBlue, 90)).first;
    const int blueAfter =
        verticalRun(moved, busiestColumn(moved, near(kBlue, 90)), near(kBlue, 90)).first;
    QVERIFY(std::abs(blueAfter - blueBefore + 40) <= 4);
}

void SeriesGraphTest::stageBackgroundAndTransparency() {
    GraphTextBuilder dark = seriesGraph("bar", {{"bar", "0xFF0000", "50"}}, 1);
    dark.plain("bg_", "0x102030");
    // The first "&bg_" counts, so the colour goes in a text without the default one.
    QByteArray text = dark.text().replace("&bg_=0xFFFFFF", "");
    QCOMPARE(renderText(text, 0).pixelColor(2, 2), QColor(0x10, 0x20, 0x30));
    text = seriesGraph("bar", {{"bar", "0xFF0000", "50"}}, 1).text().replace("&bga_=0", "&bga_=1");
    QCOMPARE(renderText(text, 0).pixelColor(2, 2).alpha(), 0);
}

void SeriesGraphTest::headerBandOnEachSide_data() {
    QTest::addColumn<QByteArray>("position");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");
    QTest::newRow("top") << QByteArray("0") << QPoint(350, 3) << QPoint(3, 237);
    QTest::newRow("left") << QByteArray("1") << QPoint(3, 237) << QPoint(350, 3);
    QTest::newRow("right") << QByteArray("2") << QPoint(696, 237) << QPoint(350, 3);
    QTest::newRow("bottom") << QByteArray("3") << QPoint(350, 471) << QPoint(350, 3);
}

void SeriesGraphTest::headerBandOnEachSide() {
    QFETCH(QByteArray, position);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    GraphTextBuilder builder;
    builder.plain("v_", "2.0")
        .encoded("gt_", "bar")
        .encoded("hd_", "Quarterly sales")
        .encoded("hp_", position)
        .encoded("hb_", "0x008000")
        .encoded("hc_", "0xFFFFFF")
        .plain("bg_", "0xFFFFFF");
    const QImage image = renderText(builder.text(), 0);
    QCOMPARE(image.pixelColor(inside), QColor(0x00, 0x80, 0x00));
    QCOMPARE(image.pixelColor(outside), QColor(Qt::white));
}

void SeriesGraphTest::plotShadingDarkensTowardsItsFarEnd() {
    QByteArray text = seriesGraph("bar", {{"bar", "0xFF0000", "0"}}, 1).text();
    const auto entry = [](const char* key, const char* value) {
        return QByteArray(QByteArray(key) + tivora::EncodeValue(value));
    };
    text.replace(entry("&pcol_=", "0xFFFFFF"), entry("&pcol_=", "0x80C0FF"));
    const QByteArray flat = text;
    text.replace(entry("&pshl_=", "0"), entry("&pshl_=", "80"));
    const QImage shaded = renderText(text, 0);
    const QImage plain = renderText(flat, 0);
    // Vertical shading: the plot's top keeps the colour, its bottom is darker.
    const QColor top = shaded.pixelColor(400, 60);
    const QColor bottom = shaded.pixelColor(400, 400);
    QVERIFY(std::abs(top.blue() - 0xFF) < 25);
    QVERIFY(bottom.blue() < top.blue() - 60);
    QCOMPARE(plain.pixelColor(400, 60), plain.pixelColor(400, 400));
}

void SeriesGraphTest::graphStaysOnStageAtEveryScale_data() {
    QTest::addColumn<QByteArray>("scale");
    QTest::addColumn<QByteArray>("moveX");
    QTest::newRow("50") << QByteArray("50") << QByteArray("0");
    QTest::newRow("100") << QByteArray("100") << QByteArray("0");
    QTest::newRow("150") << QByteArray("150") << QByteArray("0");
    QTest::newRow("150 moved") << QByteArray("150") << QByteArray("100");
}

void SeriesGraphTest::graphStaysOnStageAtEveryScale() {
    QFETCH(QByteArray, scale);
    QFETCH(QByteArray, moveX);
    GraphTextBuilder builder = seriesGraph("bar", {{"bar", "0xFF0000", "50/x/100/x/75"}}, 3);
    builder.encoded("GScale", scale)
        .encoded("GX", moveX)
        .encoded("XTitle", "Month of the year")
        .encoded("YTitle", "Revenue in thousands");
    QByteArray text = builder.text().replace("&bga_=0", "&bga_=1");
    // Drawn with a wide margin around the stage, nothing may land outside it.
    const Movie movie(layoutGraph(tivora::VariableText(text), QDir::temp()));
    QImage image(900, 675, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.translate(100, 100);
        movie.paint(painter, movie.endTime());
    }
    const auto painted = [](QRgb pixel) {
        return qAlpha(pixel) > 0;
    };
    QVERIFY(countPixels(image, painted, QRect(100, 100, 700, 475)) > 1000);
    QCOMPARE(countPixels(image, painted, QRect(0, 0, 900, 99)), 0);
    QCOMPARE(countPixels(image, painted, QRect(0, 576, 900, 99)), 0);
    QCOMPARE(countPixels(image, painted, QRect(0, 0, 99, 675)), 0);
    QCOMPARE(countPixels(image, painted, QRect(801, 0, 99, 675)), 0);
}

void SeriesGraphTest::badTextStillLaysOut_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no columns") << seriesGraph("bar", {{"bar", "0xFF0000", ""}}, 0).text();
    QTest::newRow("words for numbers")
        << seriesGraph("line", {{"line", "nonsense", "a/x//x/3"}}, 3, "x", "y", "z").text();
    QTest::newRow("step of zero")
        << seriesGraph("bar", {{"bar", "0xFF0000", "5"}}, 1, "0", "10", "0").text();
    QTest::newRow("minimum above maximum")
        << seriesGraph("sbar", {{"bar", "0xFF0000", "-5/x/5"}}, 2, "100", "-100", "1e-9").text();
    QTest::newRow("huge counts") << QByteArray("&v_=2.0&sr_=" + tivora::EncodeValue("99999") +
                                               "&co_=" + tivora::EncodeValue("99999") + "&");
}

void SeriesGraphTest::badTextStillLaysOut() {
    QFETCH(QByteArray, text);
    const QImage image = renderText(text, 500);
    QVERIFY(!image.isNull());
}

QTEST_MAIN(SeriesGraphTest)
#include "tst_series_graph.moc"
