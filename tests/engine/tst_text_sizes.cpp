// How large texts are drawn: value labels at the axis numbers' size unless asked larger, each
// series' labels on their own, texts that keep their size whatever the graph's scale, and the
// face the engine carries with it.
#include "drawing_rules.h"
#include "engine/layout/graph_style.h"
#include "engine/movies/movie.h"
#include "engine/scene/text_fit.h"
#include "engine/series/value_label_layout.h"
#include "tst_series_fixture.h"

#include <QDir>
#include <QFontInfo>
#include <QTest>

using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

std::vector<DrawnItem> itemsOf(const Inspection& inspection, ItemKind kind, int series = 0) {
    std::vector<DrawnItem> found;
    for (const DrawnItem& item : inspection.items) {
        if (item.tag.kind == kind && (series == 0 || item.tag.series == series))
            found.push_back(item);
    }
    return found;
}

// A line graph of series each asking for its own label size in the series grid.
QByteArray linesAsking(const std::vector<QByteArray>& sizes) {
    std::vector<SeriesSpec> series;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        series.push_back({"line", "0x2E6FB7", QByteArray::number(20 + 20 * int(i)) + "/x/50",
                          "S" + QByteArray::number(int(i)), "0", "YES"});
    return seriesGraph("line", series, 2).encoded("CVS_", tivora::joinList(sizes)).text();
}

} // namespace

class TestTextSizes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valueLabelsDrawAtTheAxisNumbersSizeByDefault() {
        const Inspection inspection = inspectText(linesAsking({"25"}));
        const auto labels = itemsOf(inspection, ItemKind::ValueLabel);
        QVERIFY(!labels.empty());
        for (const DrawnItem& label : labels)
            QVERIFY2(label.fontPx >= 11 && label.fontPx <= 12, qPrintable(describe(label)));
        QCOMPARE(QFontInfo(valueLabelFont(12)).bold(), false);
    }

    void askedSizesGrowFromThere() {
        QCOMPARE(ValueLabelLayout::askedPixels(25), 12.0);
        QCOMPARE(ValueLabelLayout::askedPixels(18), 12.0);
        QCOMPARE(ValueLabelLayout::askedPixels(11), 11.0);
        QCOMPARE(ValueLabelLayout::askedPixels(45), 22.0);
    }

    void anotherSeriesLeavesTheLabelsAlone() {
        // A series added with the grid's default size once made every label of the graph large.
        const auto firstLabels = [](const QByteArray& text) {
            std::vector<double> sizes;
            for (const DrawnItem& label : itemsOf(inspectText(text), ItemKind::ValueLabel, 1))
                sizes.push_back(label.fontPx);
            return sizes;
        };
        const auto three = firstLabels(linesAsking({"11", "11", "11"}));
        const auto four = firstLabels(linesAsking({"11", "11", "11", "40"}));
        QVERIFY(!three.empty());
        QCOMPARE(four, three);
    }

    void textKeepsItsSizeWhateverTheScale_data() {
        QTest::addColumn<QByteArray>("scale");
        QTest::newRow("half") << QByteArray("50");
        QTest::newRow("one and a half") << QByteArray("150");
    }

    void textKeepsItsSizeWhateverTheScale() {
        QFETCH(QByteArray, scale);
        const auto axisPixels = [](const QByteArray& graphScale) {
            const auto numbers =
                itemsOf(inspectText(seriesGraph("bar", {{"bar", "0xFF0000", "10/x/60"}}, 2)
                                        .encoded("GScale", graphScale)
                                        .text()),
                        ItemKind::AxisLabel);
            return numbers.empty() ? 0.0 : numbers.front().fontPx;
        };
        QVERIFY(axisPixels("100") > 0);
        QCOMPARE(axisPixels(scale), axisPixels("100"));
    }

    void aLargerGraphMovedAsideIsNeverSmaller() {
        const auto plotWidth = [](const QByteArray& graphScale, const QByteArray& move) {
            const Inspection inspection =
                inspectText(seriesGraph("bar", {{"bar", "0xFF0000", "10/x/60"}}, 2)
                                .encoded("GScale", graphScale)
                                .encoded("GX", move)
                                .encoded("GY", move)
                                .text());
            const auto bars = itemsOf(inspection, ItemKind::Bar);
            return bars.back().rect.right() - bars.front().rect.left();
        };
        // A graph that fills the stage is not shrunk to make room for its move, at any scale.
        QVERIFY(plotWidth("150", "120") >= plotWidth("100", "0") - 0.5);
        QVERIFY(plotWidth("100", "120") >= plotWidth("100", "0") - 0.5);
    }

    void theCarriedFaceIsTheOneDrawn() {
        // The face comes with the program, so it is there whatever the machine has installed.
        QCOMPARE(QFontInfo(graphFont(12)).family(), u"Liberation Sans"_s);
        QCOMPARE(QFontInfo(graphFont(12, true)).bold(), true);
    }

    void labelsCutInTheMiddleStayApart() {
        const QFontMetricsF metrics(graphFont(12));
        const QString first =
            elidedText(u"A remarkably long slice label 1"_s, metrics, 120, Qt::ElideMiddle);
        const QString second =
            elidedText(u"A remarkably long slice label 2"_s, metrics, 120, Qt::ElideMiddle);
        QVERIFY(first != second);
        QVERIFY(first.endsWith(u"1"_s));
        QVERIFY(metrics.horizontalAdvance(first) <= 120);
        // A text of any length keeps both its ends.
        const QString endless = u"Start "_s + QString(100000, u'x') + u" end"_s;
        const QString cut = elidedText(endless, metrics, 200, Qt::ElideMiddle);
        QVERIFY(cut.startsWith(u"Start"_s));
        QVERIFY(cut.endsWith(u"end"_s));
    }
};

QTEST_MAIN(TestTextSizes)
#include "tst_text_sizes.moc"
