// The parts the exports are built from: easing curves found from samples, the sampling itself,
// drawings that move as a whole, the GIF palette and the values table.
#include "document/variable_text.h"
#include "export/frames/median_cut_palette.h"
#include "export/graph_summary.h"
#include "export/svg/drawing_compaction.h"
#include "export/svg/drawing_samples.h"
#include "export/svg/eased_fit.h"
#include "export/svg/whole_motion.h"
#include "export_fixture.h"

#include <QPainter>
#include <QTest>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::exporting;
using namespace tivora::exporting::testing;

namespace {

double outCubic(double p) {
    return 1 - std::pow(1 - std::clamp(p, 0.0, 1.0), 3);
}

SvgElement rectOfWidth(double width) {
    return SvgElement{u"rect"_s, {{u"width"_s, QString::number(width, 'g', 8)}}, {}, {}};
}

} // namespace

class TestExportPieces : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsTheEasingOfAGrowth();
    void findsTheCurveAfterAnIrregularStart();
    void refusesNumbersOnNoCurve();
    void samplesFollowTheDrawingClosely();
    void samplesAStillDrawingOnce();
    void findsADrawingThatMovesAsAWhole_data();
    void findsADrawingThatMovesAsAWhole();
    void compactsAFinishedDrawing();
    void gradientsKeepOnlyTheStopsWhereTheyBend();
    void paletteShadesWithoutBands();
    void paletteKeepsFewColoursExact();
    void tableHoldsEverySeriesAndColumn();
    void tableHoldsEverySlice();
};

void TestExportPieces::findsTheEasingOfAGrowth() {
    std::vector<engine::Millis> times;
    std::vector<std::vector<double>> samples;
    for (int i = 0; i <= 12; ++i) {
        times.push_back(i * 100.0);
        samples.push_back({400 - 300 * outCubic(i / 12.0), 50.0});
    }
    const auto fit = fitEased(times, samples, {0.3, 0.3}, 1200.0);
    QVERIFY(fit);
    QCOMPARE(fit->keySpline, u"0.3333 1 0.6667 1"_s);
    QCOMPARE(fit->firstSample, std::size_t(0));
    QVERIFY(std::fabs(fit->start[0] - 400) < 0.01 && std::fabs(fit->end[0] - 100) < 0.01);
    QVERIFY(std::fabs(fit->start[1] - 50) < 0.01 && std::fabs(fit->end[1] - 50) < 0.01);
}

void TestExportPieces::findsTheCurveAfterAnIrregularStart() {
    // A bar's cap grows with the bar until it reaches its full height, then stays.
    std::vector<engine::Millis> times;
    std::vector<std::vector<double>> samples;
    for (int i = 0; i <= 24; ++i) {
        const double height = 200 * outCubic(i / 24.0);
        times.push_back(i * 50.0);
        samples.push_back({std::min(height, 10.0) + height});
    }
    const auto fit = fitEased(times, samples, {0.3}, 1200.0);
    QVERIFY(fit);
    QVERIFY(fit->firstSample > 0 && fit->firstSample < 6);
    QCOMPARE(fit->to, 1200.0);
}

void TestExportPieces::refusesNumbersOnNoCurve() {
    std::vector<engine::Millis> times;
    std::vector<std::vector<double>> samples;
    for (int i = 0; i <= 12; ++i) {
        times.push_back(i * 100.0);
        samples.push_back({i % 2 ? 10.0 : 90.0});
    }
    // At most the last step, which two samples always describe, is written as a curve.
    const auto fit = fitEased(times, samples, {0.3}, 1200.0);
    QVERIFY(!fit || fit->firstSample >= times.size() - 2);
}

void TestExportPieces::samplesFollowTheDrawingClosely() {
    const auto width = [](engine::Millis t) {
        return 300 * outCubic(t / 1000.0);
    };
    const auto moments =
        sampleDrawing([&](engine::Millis t) { return rectOfWidth(width(t)); }, 1000.0);
    QVERIFY(moments.size() > 4 && moments.size() < 40);
    // Between neighbouring samples the straight line stays on the curve.
    for (std::size_t i = 1; i < moments.size(); ++i) {
        const double a = moments[i - 1].time, b = moments[i].time;
        for (double share : {0.25, 0.5, 0.75}) {
            const double t = a + (b - a) * share;
            const double line = width(a) + (width(b) - width(a)) * share;
            QVERIFY2(std::fabs(line - width(t)) < 1.0, qPrintable(QString::number(t)));
        }
    }
}

void TestExportPieces::samplesAStillDrawingOnce() {
    int painted = 0;
    const auto moments = sampleDrawing(
        [&](engine::Millis) {
            ++painted;
            return rectOfWidth(10);
        },
        0.0);
    QCOMPARE(moments.size(), std::size_t(1));
    QCOMPARE(painted, 1);
}

namespace {

using Painting = std::function<void(QPainter&, engine::Millis)>;

// Bars standing on a baseline at 300 that grow with one out-cubic curve over a second.
void paintBars(QPainter& painter, engine::Millis time, const QPen& pen, bool uneven) {
    const double grown = outCubic(time / 1000.0);
    painter.setPen(pen);
    for (int i = 0; i < 40; ++i) {
        // Uneven: every other bar grows later, so no one stretch describes them all.
        const double share = uneven && i % 2 ? outCubic(time / 1000.0 - 0.3) : grown;
        const double height = (20 + i * 5) * share;
        // As the engine does, bars too short to show are left out.
        if (height >= 0.5)
            painter.fillRect(QRectF(10 + i * 8, 300 - height, 4, height), QColor(200, 80, 40));
    }
}

} // namespace

void TestExportPieces::findsADrawingThatMovesAsAWhole_data() {
    QTest::addColumn<Painting>("paint");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("still");
    QTest::addColumn<bool>("grows"); // paints the bars growing together
    QTest::addRow("bars growing together")
        << Painting([](QPainter& p, engine::Millis t) { paintBars(p, t, Qt::NoPen, false); })
        << true << false << true;
    QTest::addRow("bars growing one after another")
        << Painting([](QPainter& p, engine::Millis t) { paintBars(p, t, Qt::NoPen, true); })
        << false << false << false;
    // An outline keeps its width however the shape stretches.
    QTest::addRow("outlined bars") << Painting([](QPainter& p, engine::Millis t) {
        p.setBrush(QColor(200, 80, 40));
        p.setPen(QPen(Qt::black, 2));
        const double height = 100 * outCubic(t / 1000.0);
        p.drawRect(QRectF(10, 300 - height, 20, height));
    }) << false << false << false;
    QTest::addRow("sliding text") << Painting([](QPainter& p, engine::Millis t) {
        p.drawText(QPointF(10 + t / 10.0, 50), u"Sales"_s);
    }) << true << false << false;
    QTest::addRow("text that changes") << Painting([](QPainter& p, engine::Millis t) {
        p.drawText(QPointF(10, 50), QString::number(int(t / 100)));
    }) << false << false << false;
    QTest::addRow("still") << Painting([](QPainter& p, engine::Millis) {
        p.fillRect(QRectF(10, 10, 50, 50), Qt::blue);
        p.drawText(QPointF(10, 80), u"Sales"_s);
    }) << true << true << false;
}

void TestExportPieces::findsADrawingThatMovesAsAWhole() {
    QFETCH(Painting, paint);
    QFETCH(bool, found);
    QFETCH(bool, still);
    QFETCH(bool, grows);
    const auto motion = findWholeMotion(paint, 1000.0);
    QCOMPARE(bool(motion), found);
    if (!motion)
        return;
    QCOMPARE(motion->isStill(), still);
    QCOMPARE(motion->times.size(), motion->stretches.size());
    if (!grows)
        return;
    // Each sample is the bars' final picture stretched from the baseline by the curve.
    for (std::size_t i = 0; i < motion->times.size(); ++i) {
        const WholeMotion::Stretch& s = motion->stretches[i];
        QVERIFY(std::fabs(s.scaleY - outCubic(motion->times[i] / 1000.0)) < 1e-6);
        QVERIFY(std::fabs(s.shiftY - 300 * (1 - s.scaleY)) < 1e-4);
        QCOMPARE(s.scaleX, 1.0);
    }
    // No bar has any height at 0: the bars appear with their first sample after it. The curve
    // bends, so it is sampled more finely than its quarters.
    QVERIFY(motion->shownFrom > 0 && motion->shownFrom < 5);
    QVERIFY(motion->times.size() >= 8);
}

void TestExportPieces::compactsAFinishedDrawing() {
    const auto rect = [](const char* x, const char* y) {
        return SvgElement{u"rect"_s,
                          {{u"x"_s, QString::fromLatin1(x)},
                           {u"y"_s, QString::fromLatin1(y)},
                           {u"width"_s, u"4"_s},
                           {u"height"_s, u"10.004"_s}},
                          {},
                          {}};
    };
    const auto group = [](const char* fill, std::vector<SvgElement> children) {
        return SvgElement{
            u"g"_s, {{u"fill"_s, QString::fromLatin1(fill)}}, {}, std::move(children)};
    };
    SvgElement text{u"text"_s, {{u"x"_s, u"1"_s}}, u"A"_s, {}};
    std::vector<SvgElement> drawing{group("red", {rect("1", "2")}), group("red", {rect("7", "2")}),
                                    group("red", {text, rect("9.5", "0")}),
                                    group("blue", {rect("1", "2")})};
    compactDrawing(drawing);
    // The red groups become one; the rectangles on either side of the text stay apart from it.
    QCOMPARE(drawing.size(), std::size_t(2));
    const SvgElement& red = drawing[0];
    QCOMPARE(red.children.size(), std::size_t(3));
    QCOMPARE(red.children[0].name, u"path"_s);
    QCOMPARE(red.children[0].attribute(u"d"_s), u"M1,2h4v10h-4zM7,2h4v10h-4z"_s);
    QCOMPARE(red.children[1].text, u"A"_s);
    QCOMPARE(red.children[2].attribute(u"d"_s), u"M9.5,0h4v10h-4z"_s);
    QCOMPARE(drawing[1].attribute(u"fill"_s), u"blue"_s);
}

void TestExportPieces::gradientsKeepOnlyTheStopsWhereTheyBend() {
    // Fifty stops fading out in a straight line, then back in: the ends and the turn remain.
    SvgElement gradient{u"radialGradient"_s, {{u"id"_s, u"g"_s}}, {}, {}};
    for (int i = 0; i <= 50; ++i) {
        const double opacity = i <= 25 ? 1 - i / 25.0 : (i - 25) / 25.0;
        gradient.children.push_back(SvgElement{u"stop"_s,
                                               {{u"offset"_s, QString::number(i / 50.0)},
                                                {u"stop-color"_s, u"#ff8000"_s},
                                                {u"stop-opacity"_s, QString::number(opacity)}},
                                               {},
                                               {}});
    }
    simplifyGradient(gradient);
    QStringList offsets;
    for (const SvgElement& stop : gradient.children)
        offsets.append(stop.attribute(u"offset"_s).value_or(QString()));
    QCOMPARE(offsets, (QStringList{u"0"_s, u"0.5"_s, u"1"_s}));

    // Still groups of one look merge; a group that animates itself stays apart.
    const SvgElement animate{u"animate"_s, {{u"attributeName"_s, u"opacity"_s}}, {}, {}};
    const SvgElement text{u"text"_s, {}, u"A"_s, {}};
    SvgElement document{u"g"_s,
                        {},
                        {},
                        {SvgElement{u"g"_s, {{u"fill"_s, u"red"_s}}, {}, {text}},
                         SvgElement{u"g"_s, {{u"fill"_s, u"red"_s}}, {}, {text}},
                         SvgElement{u"g"_s, {{u"fill"_s, u"red"_s}}, {}, {animate, text}}}};
    mergeStillGroups(document);
    QCOMPARE(document.children.size(), std::size_t(2));
    QCOMPARE(document.children[0].children.size(), std::size_t(2));
}

void TestExportPieces::paletteShadesWithoutBands() {
    // A plot shade as the engine paints it: light grey-blue to darker grey over 300 rows.
    QImage shade(64, 300, QImage::Format_RGB32);
    for (int y = 0; y < shade.height(); ++y) {
        const double p = y / 299.0;
        for (int x = 0; x < shade.width(); ++x)
            shade.setPixel(x, y, qRgb(int(244 - 55 * p), int(247 - 56 * p), int(251 - 56 * p)));
    }
    // Plenty of other colours compete for the palette, as bars and text do.
    QImage picture(shade.width() + 64, shade.height(), QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.drawImage(0, 0, shade);
    for (int i = 0; i < 300; ++i)
        painter.fillRect(shade.width() + (i % 8) * 8, i, 8, 1, QColor::fromHsv(i % 360, 200, 220));
    painter.end();
    MedianCutPalette palette(picture, picture.rect());
    const std::vector<std::uint8_t> indices = palette.indexed(picture, picture.rect());
    // Averaged over a row, the dithered shade must follow the true shade closely: a band would
    // show as many rows several levels off.
    double totalError = 0;
    for (int y = 0; y < shade.height(); ++y) {
        double sum = 0, want = 0;
        for (int x = 0; x < shade.width(); ++x) {
            sum += qGreen(palette.colours()[indices[std::size_t(y * picture.width() + x)]]);
            want += qGreen(shade.pixel(x, y));
        }
        const double error = std::fabs(sum - want) / shade.width();
        totalError += error;
        QVERIFY2(
            error < 3.0,
            qPrintable(
                u"row %1: %2 for %3"_s.arg(y).arg(sum / shade.width()).arg(want / shade.width())));
    }
    QVERIFY2(totalError / shade.height() < 1.0,
             qPrintable(QString::number(totalError / shade.height())));
}

void TestExportPieces::paletteKeepsFewColoursExact() {
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 255));
    QPainter(&picture).fillRect(10, 10, 20, 20, QColor(0x2E, 0x6F, 0xB7));
    MedianCutPalette palette(picture, picture.rect());
    const std::vector<std::uint8_t> indices = palette.indexed(picture, picture.rect());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            QCOMPARE(palette.colours()[indices[std::size_t(y * 40 + x)]], picture.pixel(x, y));
    }
}

void TestExportPieces::tableHoldsEverySeriesAndColumn() {
    GraphTextBuilder text =
        seriesGraph("bar",
                    {{"bar", "0xFF0000", "1/x/2,5/x//x/4/x/5", "North <b>&amp;</b>"},
                     {"line", "0x0000FF", "6/x/7/x/8/x/9/x/10", ""}},
                    5);
    addHeader(text, "Sales & \"more\"");
    const QString html = valuesTableHtml(VariableText(text.text()));
    QVERIFY(html.startsWith("<details"_L1));
    QVERIFY(html.contains("<summary>The values of Sales &amp; &quot;more&quot;</summary>"_L1));
    QVERIFY(html.contains(
        "<tr><th></th><th scope=\"col\">C1</th><th scope=\"col\">C2</th><th scope=\"col\">C3</th>"
        "<th scope=\"col\">C4</th><th scope=\"col\">C5</th></tr>"_L1));
    // Values as written, an empty cell where there is none, names escaped, unnamed series named.
    QVERIFY(html.contains("<tr><th scope=\"row\">North &lt;b&gt;&amp;amp;&lt;/b&gt;</th><td>1</td>"
                          "<td>2.5</td><td></td><td>4</td><td>5</td></tr>"_L1));
    QVERIFY(html.contains("<tr><th scope=\"row\">Series 2</th><td>6</td>"_L1));
    QVERIFY(!html.contains("<b>"_L1));
}

void TestExportPieces::tableHoldsEverySlice() {
    const QString html = valuesTableHtml(VariableText(
        pieGraph({{"40", "0xFF0000", "<North>"}, {"25.5", "0x00FF00", "South"}}).text()));
    QVERIFY(html.contains("<tr><th scope=\"row\">&lt;North&gt;</th><td>40</td></tr>"_L1));
    QVERIFY(html.contains("<tr><th scope=\"row\">South</th><td>25.5</td></tr>"_L1));
}

QTEST_MAIN(TestExportPieces)
#include "tst_export_pieces.moc"
