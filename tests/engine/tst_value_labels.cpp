// Value labels: short number forms, one size per graph, places that never cover each other, a
// marker or the plot's edge, and labels on line and area series.
#include "engine/layout/graph_text.h"
#include "engine/series/axes_layout.h"
#include "engine/series/axis_scale.h"
#include "engine/series/value_label_layout.h"
#include "tst_series_fixture.h"

#include <QGuiApplication>
#include <QTest>
#include <limits>

using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

const QRectF kPlot(50, 50, 600, 350);

ValueLabelSource point(double value, QPointF tip, std::size_t track = 0, double room = 80) {
    ValueLabelSource source;
    source.value = value;
    source.tip = tip;
    source.rootY = kPlot.bottom();
    source.room = room;
    source.outsideClearance = 4;
    source.outsideColor = Qt::black;
    source.track = track;
    return source;
}

ValueLabelSource bar(double value, QPointF tip, double width) {
    ValueLabelSource source = point(value, tip, 0, width);
    source.insideDepth = kPlot.bottom() - tip.y();
    source.insideClearance = 8;
    source.insideColor = Qt::white;
    return source;
}

std::unique_ptr<ValueLabelsNode> build(const ValueLabelLayout& layout, std::size_t tracks = 3) {
    return layout.build(std::vector<Track>(tracks, Track(1.0)));
}

} // namespace

class ValueLabelsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortFormsOfNumbers_data();
    void shortFormsOfNumbers();
    void axisNumbersShareOneUnit();
    void wideAxisNumbersTakeTheShortForm();
    void oneSizeShrunkOnlyForTheWidest();
    void tooWideLabelsTakeTheShortFormThenGo();
    void labelsStayInsideThePlot();
    void valuesThatCannotBePlacedAreLeftOut();
    void laterLabelsMoveOffMarkersAndLabelsOrGo();
    void barLabelsGoInsideWhenTheyFit();
    void lineAndAreaSeriesShowTheirValues_data();
    void lineAndAreaSeriesShowTheirValues();
    void labelsNeverOutgrowTheHeader();
};

void ValueLabelsTest::shortFormsOfNumbers_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("small stays") << 950.0 << 0 << u"950"_s;
    QTest::newRow("decimals kept under a thousand") << 12.5 << 1 << u"12.5"_s;
    QTest::newRow("thousands") << 12500.0 << 0 << u"12.5K"_s;
    QTest::newRow("millions") << 1234567.0 << 0 << u"1.2M"_s;
    QTest::newRow("whole billions") << 4e9 << 0 << u"4B"_s;
    QTest::newRow("rounds into the next unit") << 999950.0 << 0 << u"1M"_s;
    QTest::newRow("negative") << -2500.0 << 0 << u"-2.5K"_s;
}

void ValueLabelsTest::shortFormsOfNumbers() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(formatShortNumber(value, decimals), text);
}

void ValueLabelsTest::axisNumbersShareOneUnit() {
    const auto quarter = shortAxisLabels({0, 250000, 500000, 750000, 1000000}, 250000);
    QVERIFY(quarter);
    QCOMPARE(*quarter, (std::vector<QString>{u"0"_s, u"0.25M"_s, u"0.5M"_s, u"0.75M"_s, u"1M"_s}));
    QCOMPARE(shortAxisLabels({0, 500, 1000}, 500)->back(), u"1K"_s);
    QVERIFY2(!shortAxisLabels({0, 100, 200}, 100), "numbers under a thousand stay as they are");
    QVERIFY2(!shortAxisLabels({0, 1000125}, 1000125), "a short form must not round the ticks");
}

void ValueLabelsTest::wideAxisNumbersTakeTheShortForm() {
    // "6,000,000" beside the plot would take a third of the room "6M" takes: the plot of the
    // graph in millions starts where the one in hundreds does.
    const auto plotLeft = [](double high) {
        const tivora::VariableText variables(
            seriesGraph("bar", {{"bar", "0xFF0000", "1"}}, 1).text());
        const GraphText text(variables);
        const AxesLayout axes(text, {u"A"_s}, AxisScale::make(0.0, high, high / 6, 0.0, high),
                              QRectF(0, 0, 700, 400));
        return axes.geometry().plot.left();
    };
    QVERIFY2(plotLeft(6e6) <= plotLeft(600) + 4,
             qPrintable(QStringLiteral("%1 %2").arg(plotLeft(6e6)).arg(plotLeft(600))));
}

void ValueLabelsTest::oneSizeShrunkOnlyForTheWidest() {
    ValueLabelLayout roomy(kPlot, 20, 100);
    roomy.add(point(12, {100, 200}));
    roomy.add(point(345, {300, 200}));
    QCOMPARE(build(roomy)->fontOf(0).pixelSize(), 20);

    ValueLabelLayout tight(kPlot, 20, 100);
    tight.add(point(12, {100, 200}));
    tight.add(point(345, {300, 200}, 0, 30));
    const auto node = build(tight);
    QVERIFY2(node->fontOf(0).pixelSize() < 20 && node->fontOf(0).pixelSize() >= 16,
             qPrintable(QString::number(node->fontOf(0).pixelSize())));
    QCOMPARE(node->labels().size(), std::size_t(2));
}

void ValueLabelsTest::tooWideLabelsTakeTheShortFormThenGo() {
    ValueLabelLayout layout(kPlot, 14, 100);
    layout.add(point(7, {100, 200}));
    layout.add(point(4321987, {300, 200}, 0, 44));
    layout.add(point(8888888, {500, 200}, 0, 6));
    const auto node = build(layout);
    QCOMPARE(node->fontOf(0).pixelSize(), 14);
    QCOMPARE(node->labels().size(), std::size_t(2));
    QCOMPARE(node->labels()[0].text, u"7"_s);
    QCOMPARE(node->labels()[1].text, u"4.3M"_s);
    QVERIFY(node->labels()[1].shortForm);
}

void ValueLabelsTest::labelsStayInsideThePlot() {
    // A point on the plot's top edge has its label below it; one at the very right edge is moved
    // left into the plot.
    ValueLabelLayout layout(kPlot, 14, 100);
    layout.add(point(99, {kPlot.right(), kPlot.top()}));
    const auto node = build(layout);
    QCOMPARE(node->labels().size(), std::size_t(1));
    const auto& label = node->labels().front();
    QVERIFY(label.origin.y() > kPlot.top());
    QVERIFY(label.origin.x() + label.width <= kPlot.right() + 0.01);
}

void ValueLabelsTest::valuesThatCannotBePlacedAreLeftOut() {
    ValueLabelLayout layout(kPlot, 14, 100);
    layout.add(point(1e308, {300, std::numeric_limits<double>::quiet_NaN()}));
    layout.add(point(std::numeric_limits<double>::infinity(), {300, 200}));
    QVERIFY(!build(layout));
    // A graph of such values still draws its frame, and nothing of them lands on the stage.
    const QByteArray text =
        seriesGraph("bar", {{"bar", "0xFF0000", "1e308/x/-1e308/x/5", {}, "0", "YES"}}, 3, "auto",
                    "auto", "auto")
            .text();
    QVERIFY(!renderText(text, 0).isNull());
}

void ValueLabelsTest::laterLabelsMoveOffMarkersAndLabelsOrGo() {
    ValueLabelLayout layout(kPlot, 14, 100);
    // A marker right above the first point pushes its label below.
    layout.addMarker(QRectF(195, 170, 10, 10));
    layout.add(point(10, {200, 200}, 0));
    // The same place for more series: each later one takes a free side (above, below, right,
    // left), and one more finds none.
    layout.add(point(20, {400, 200}, 0));
    layout.add(point(30, {400, 200}, 1));
    layout.add(point(40, {400, 200}, 2));
    layout.add(point(50, {400, 200}, 3));
    layout.add(point(60, {400, 200}, 4));
    const auto node = layout.build(std::vector<Track>(5, Track(1.0)));
    const auto& labels = node->labels();
    QCOMPARE(labels.size(), std::size_t(5));
    QVERIFY2(labels[0].origin.y() > 200, "below its point, off the marker");
    QCOMPARE(labels[1].text, u"20"_s);
    QVERIFY(labels[1].origin.y() < 200);
    QCOMPARE(labels[2].text, u"30"_s);
    QVERIFY(labels[2].origin.y() > 200);
    QCOMPARE(labels[3].text, u"40"_s);
    QVERIFY(labels[3].origin.x() > 400);
    QCOMPARE(labels[4].text, u"50"_s);
    QVERIFY(labels[4].origin.x() + labels[4].width < 400);
}

void ValueLabelsTest::barLabelsGoInsideWhenTheyFit() {
    ValueLabelLayout layout(kPlot, 14, 100);
    layout.add(bar(80, {200, 100}, 60));
    layout.add(bar(3, {400, kPlot.bottom() - 6}, 60));
    const auto node = build(layout);
    const auto& labels = node->labels();
    QCOMPARE(labels.size(), std::size_t(2));
    QVERIFY(labels[0].origin.y() > 100);
    QCOMPARE(labels[0].color, QColor(Qt::white));
    QVERIFY2(labels[1].origin.y() < kPlot.bottom() - 6, "a short bar has its label above it");
    QCOMPARE(labels[1].color, QColor(Qt::black));
}

void ValueLabelsTest::lineAndAreaSeriesShowTheirValues_data() {
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("line") << QByteArray("line");
    QTest::newRow("area") << QByteArray("area");
}

void ValueLabelsTest::lineAndAreaSeriesShowTheirValues() {
    QFETCH(QByteArray, type);
    // Dark label pixels appear above the points, over the white plot, only when asked for.
    const auto darkAbove = [&](const QByteArray& show) {
        const QByteArray text =
            seriesGraph(type, {{type, "0x00A000", "40/x/40/x/40", {}, "0", show}}, 3).text();
        const QImage image = renderText(text, 0.0);
        const int y = verticalRun(image, 350, near(QColor(0x00, 0xA0, 0x00))).first;
        return countPixels(
            image, [](QRgb p) { return qAlpha(p) > 200 && qGreen(p) < 80 && qRed(p) < 80; },
            QRect(300, y - 40, 100, 36));
    };
    QVERIFY(darkAbove("YES") > 20);
    QCOMPARE(darkAbove("NO"), 0);
}

void ValueLabelsTest::labelsNeverOutgrowTheHeader() {
    QByteArray text = seriesGraph("bar", {{"bar", "0xFFFF00", "50", {}, "0", "YES"}}, 1).text();
    text.replace(QByteArray("&CV_="), QByteArray("&CVS_=" + tivora::EncodeValue("80") + "&CV_="));
    const QImage image = renderText(text, 0.0);
    // The label "50" in black inside the yellow bar: its height tells its size.
    const int column = busiestColumn(image, near(QColor(0xFF, 0xFF, 0)));
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRect row(column - 40, y, 80, 1);
        int left = -1, right = -1;
        for (int x = row.left(); x <= row.right(); ++x) {
            if (near(QColor(0xFF, 0xFF, 0))(image.pixel(x, y))) {
                left = left < 0 ? x : left;
                right = x;
            }
        }
        for (int x = left + 1; left >= 0 && x < right; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < 80 && qAlpha(p) > 200) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
    }
    QVERIFY(top > 0);
    QVERIFY2(bottom - top <= 18, qPrintable(QString::number(bottom - top)));
}

QTEST_MAIN(ValueLabelsTest)
#include "tst_value_labels.moc"
