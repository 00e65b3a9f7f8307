// Texts that must fit where a graph puts them: titles, footer, legend and header band, and the
// text fitting they all share.
#include "engine/layout/graph_style.h"
#include "engine/scene/text_fit.h"
#include "engine/series/legend_layout.h"
#include "engine/series/series_data.h"
#include "tst_series_fixture.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

const QColor kBand(0x00, 0x80, 0x00);

GraphTextBuilder titledGraph(const QByteArray& position = "0") {
    return seriesGraph("bar",
                       {{"bar", "0xFF0000", "60", "North"}, {"bar", "0x0000FF", "30", "South"}}, 1)
        .encoded("hd_", "Sales")
        .encoded("hp_", position)
        .encoded("hb_", "0x008000");
}

bool isBand(QRgb p) {
    return qRed(p) < 20 && qGreen(p) > 110 && qGreen(p) < 150 && qBlue(p) < 20;
}

// The rows of the image where the colour shows, as runs of consecutive rows.
std::vector<std::pair<int, int>> rowRuns(const QImage& image, const QColor& color) {
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < image.height(); ++y) {
        if (countPixels(image, near(color, 90), QRect(0, y, image.width(), 1)) == 0)
            continue;
        if (!runs.empty() && runs.back().second == y - 1)
            runs.back().second = y;
        else
            runs.push_back({y, y});
    }
    return runs;
}

} // namespace

class FrameTextsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fittedTextTakesTheLargestSizeThatFits();
    void linesWrapShrinkThenCutInTheMiddle();
    void longTextsFitAsIfMeasuredWhole();
    void longFooterWrapsToTwoLines();
    void longYTitleStaysBesideThePlot();
    void sideHeaderBandReachesTheStageBottom_data();
    void sideHeaderBandReachesTheStageBottom();
    void negativeMoveNeverPutsTheLegendUnderTheHeader();
    void legendCountsTheNamesItCannotShow();
};

void FrameTextsTest::fittedTextTakesTheLargestSizeThatFits() {
    const QString text = u"Quarterly revenue of every region"_s;
    for (const double width : {400.0, 250.0, 170.0}) {
        const FittedText fitted = fitText(text, graphFont(22, true), width, 7);
        QVERIFY(fitted.size.width() <= width);
        QCOMPARE(fitted.text, text);
        QFont larger = fitted.font;
        larger.setPixelSize(fitted.font.pixelSize() + 2);
        QVERIFY2(fitted.font.pixelSize() == 22 ||
                     QFontMetricsF(larger).horizontalAdvance(text) > width,
                 qPrintable(QString::number(width)));
    }
    const FittedText cut = fitText(text, graphFont(22, true), 40, 9);
    QCOMPARE(cut.font.pixelSize(), 9);
    // Cut in the middle: both ends of the text stay.
    QVERIFY2(cut.text.contains(u'…') && cut.text.startsWith(u'Q') && cut.text.endsWith(u'n'),
             qPrintable(cut.text));
}

void FrameTextsTest::linesWrapShrinkThenCutInTheMiddle() {
    const QString text = u"Sales in the third quarter were the highest ever recorded"_s;
    const FittedLines wide = fitLines(text, graphFont(12), {2000, 100}, 4, 7);
    QCOMPARE(wide.lines, QStringList{text});
    QCOMPARE(wide.font.pixelSize(), 12);

    const FittedLines wrapped = fitLines(text, graphFont(12), {150, 200}, 6, 7);
    QVERIFY(wrapped.lines.size() > 1);
    QCOMPARE(wrapped.font.pixelSize(), 12);
    QCOMPARE(wrapped.lines.join(u' '), text);
    QVERIFY(wrapped.size.width() <= 150);

    // Two lines of room in height: the text shrinks before it is cut.
    const FittedLines shrunk = fitLines(text, graphFont(12), {150, 34}, 6, 7);
    QVERIFY(shrunk.font.pixelSize() < 12);
    QVERIFY(shrunk.size.height() <= 34);
    QCOMPARE(shrunk.lines.join(u' '), text);

    const FittedLines paragraphs =
        fitLines(u"First paragraph\n\nThird"_s, graphFont(12), {2000, 200}, 6, 7);
    QCOMPARE(paragraphs.lines, (QStringList{u"First paragraph"_s, QString(), u"Third"_s}));

    const FittedLines cut = fitLines(text, graphFont(12), {80, 20}, 6, 7);
    QCOMPARE(cut.font.pixelSize(), 7);
    QVERIFY(cut.size.height() <= 20 && cut.size.width() <= 80);
    QVERIFY2(cut.lines.last().contains(u'…') && cut.lines.last().endsWith(u'd'),
             qPrintable(cut.lines.join(u'|')));
}

// Long texts are measured and elided by prefixes: the results must be those of the whole text.
void FrameTextsTest::longTextsFitAsIfMeasuredWhole() {
    const QFont font = graphFont(14);
    const QFontMetricsF metrics(font);
    const QString words = u"Revenue by region and quarter "_s.repeated(200);
    const QString one = QString(5000, u'L');
    const QString pairs = QString(301, u'a') + QString::fromUtf16(u"\U0001F600").repeated(700);
    for (const QString& text : {words, one, pairs, u"Short"_s}) {
        for (const double width : {30.0, 250.0, 700.0, 1e7}) {
            QCOMPARE(elidedText(text, metrics, width),
                     metrics.elidedText(text, Qt::ElideRight, width));
            const double whole = metrics.horizontalAdvance(text);
            const double measured = widthUpTo(text, metrics, width);
            QVERIFY(whole < width ? qFuzzyCompare(measured, whole)
                                  : measured >= width && measured <= whole + 0.5);
        }
        const FittedText fitted = fitText(text, graphFont(22, true), 300, 9);
        const QString expected =
            text == u"Short"_s
                ? text
                : QFontMetricsF(graphFont(9, true)).elidedText(text, Qt::ElideMiddle, 300);
        QCOMPARE(fitted.text, expected);
    }
    // A word too long for any size keeps a line of its own, cut to the box.
    const FittedLines lines =
        fitLines(u"Intro "_s + one + u" outro"_s, graphFont(12), {120, 60}, 4, 7);
    QCOMPARE(lines.font.pixelSize(), 7);
    QCOMPARE(lines.lines.first(), u"Intro"_s);
    QVERIFY(lines.lines.size() >= 2 && lines.lines.at(1).contains(u'…'));
    QVERIFY(lines.size.width() <= 120);
}

void FrameTextsTest::longFooterWrapsToTwoLines() {
    const QByteArray footer =
        "Source: internal accounting system, figures unaudited, subject to "
        "revision after the annual review of all regional offices and of every "
        "subsidiary of the group in the year 2024";
    const QByteArray text = titledGraph().encoded("ft_", footer).encoded("fc_", "0xFF00FF").text();
    const auto runs = rowRuns(renderText(text, 0), QColor(0xFF, 0x00, 0xFF));
    QCOMPARE(runs.size(), std::size_t(2));
    for (const auto& [top, bottom] : runs)
        QVERIFY2(bottom - top >= 6, "each line at least 10 px");
}

void FrameTextsTest::longYTitleStaysBesideThePlot() {
    const QByteArray title = "Total revenue in thousands of US dollars across all sales regions "
                             "and every product line of the company";
    const QByteArray text =
        titledGraph().encoded("YTitle", title).encoded("YTitleCol", "0xFF00FF").text();
    const QImage image = renderText(text, 0);
    const auto runs = rowRuns(image.copy(0, 0, 40, image.height()), QColor(0xFF, 0x00, 0xFF));
    QVERIFY(!runs.empty());
    int bandBottom = 0;
    while (isBand(image.pixel(3, bandBottom)))
        ++bandBottom;
    QVERIFY(bandBottom > 10);
    QVERIFY2(runs.front().first > bandBottom + 20,
             qPrintable(QStringLiteral("%1 %2").arg(runs.front().first).arg(bandBottom)));
}

void FrameTextsTest::sideHeaderBandReachesTheStageBottom_data() {
    QTest::addColumn<QByteArray>("position");
    QTest::addColumn<int>("x");
    QTest::newRow("left") << QByteArray("1") << 3;
    QTest::newRow("right") << QByteArray("2") << 696;
}

void FrameTextsTest::sideHeaderBandReachesTheStageBottom() {
    QFETCH(QByteArray, position);
    QFETCH(int, x);
    const QByteArray text = titledGraph(position).encoded("ft_", "Source: accounts").text();
    const QImage image = renderText(text, 0);
    QVERIFY(isBand(image.pixel(x, 3)));
    QVERIFY(isBand(image.pixel(x, 473)));
}

void FrameTextsTest::negativeMoveNeverPutsTheLegendUnderTheHeader() {
    const QByteArray text = titledGraph().encoded("GY", "-150").text();
    const QImage image = renderText(text, 0);
    int bandBottom = 0;
    while (isBand(image.pixel(3, bandBottom)))
        ++bandBottom;
    QVERIFY(bandBottom > 10);
    // Inside the band only its own colour and its white title.
    const int foreign = countPixels(
        image,
        [](QRgb p) {
            const bool white = qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200;
            return !isBand(p) && !white && !(qRed(p) == qBlue(p) && qGreen(p) > qRed(p));
        },
        QRect(0, 0, 700, bandBottom - 1));
    QCOMPARE(foreign, 0);
    QVERIFY(countPixels(image, near(QColor(0xFF, 0, 0))) > 100);
}

void FrameTextsTest::legendCountsTheNamesItCannotShow() {
    SeriesData data;
    for (int i = 0; i < 30; ++i) {
        Series series;
        series.name = u"Product line number %1"_s.arg(i + 1);
        data.series.push_back(series);
    }
    const LegendLayout legend(data, QRectF(0, 50, 700, 400));
    QVERIFY(legend.shownCount() > 3);
    QCOMPARE(legend.shownCount() + legend.hiddenCount(), std::size_t(30));
    QVERIFY(legend.hiddenCount() > 0);
    QVERIFY2(legend.height() < 70, "three rows at most");

    data.series.resize(4);
    const LegendLayout few(data, QRectF(0, 50, 700, 400));
    QCOMPARE(few.hiddenCount(), std::size_t(0));
    QCOMPARE(few.shownCount(), std::size_t(4));
}

QTEST_MAIN(FrameTextsTest)
#include "tst_frame_texts.moc"
