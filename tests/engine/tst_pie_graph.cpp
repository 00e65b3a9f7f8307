#include "engine/pie/pie_data.h"
#include "engine/pie/pie_label_placer.h"
#include "tst_pie_fixture.h"

#include <QPicture>
#include <QTemporaryDir>
#include <QTest>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::engine;
using namespace tivora::engine::testing;

class TestPieGraph : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void percentagesAddUpToHundred_data();
    void percentagesAddUpToHundred();
    void valuesShowAsEnteredOrNotAtAll();
    void readsSliceSettingsAndKeepsBadOnesHarmless();
    void slicesAreDrawnInTheirColoursClockwise();
    void offsetPullsTheSliceOutOfTheCentre();
    void shadeAndAlphaChangeTheSlice();
    void valueAndLabelMovesShiftTheirText();
    void openingSweepsInAndShadowFollows();
    void pieImageIsLaidOverThePie();
    void picturedFramesMatchTheDrawing();
    void labelsOfManySlicesNeverOverlap();
    void labelsKeepNearTheirSlicesWhenThereIsRoom();
    void slicesOfNothingKeepTheirRowWithoutAWedge();
    void seeThroughSlicesHideTheirInnerWalls();
};

void TestPieGraph::percentagesAddUpToHundred_data() {
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("thirds") << QByteArray("1/x/1/x/1") << QStringList{u"34%"_s, u"33%"_s, u"33%"_s};
    QTest::newRow("plain") << QByteArray("25/x/75") << QStringList{u"25%"_s, u"75%"_s};
    QTest::newRow("tiny slice") << QByteArray("0.2/x/99.8") << QStringList{u"<1%"_s, u"100%"_s};
    QTest::newRow("decimals") << QByteArray("12.5/x/12.5/x/75")
                              << QStringList{u"13%"_s, u"12%"_s, u"75%"_s};
}

void TestPieGraph::percentagesAddUpToHundred() {
    QFETCH(QByteArray, values);
    QFETCH(QStringList, expected);
    std::vector<SliceSpec> slices;
    for (const QByteArray& value : values.split('/')) {
        if (value != "x")
            slices.push_back({value});
    }
    const PieData pie = PieData::read(VariableText(pieGraph(slices, "0").text()));
    const std::vector<QString> texts = pie.valueTexts();
    QCOMPARE(QStringList(texts.begin(), texts.end()), expected);

    // 99 slices of uneven sizes still add up to exactly 100.
    std::vector<SliceSpec> many;
    for (int i = 1; i <= 99; ++i)
        many.push_back({QByteArray::number(i * 7 % 13 + 0.3)});
    int sum = 0;
    for (const QString& text : PieData::read(VariableText(pieGraph(many, "0").text())).valueTexts())
        sum += text.chopped(1).toInt();
    QCOMPARE(sum, 100);
}

void TestPieGraph::valuesShowAsEnteredOrNotAtAll() {
    const std::vector<SliceSpec> slices{{"1200.50"}, {" 80 "}};
    const PieData values = PieData::read(VariableText(pieGraph(slices, "1").text()));
    QCOMPARE(values.valueTexts(), (std::vector<QString>{u"1,200.50"_s, u"80"_s}));
    const PieData none = PieData::read(VariableText(pieGraph(slices, "2").text()));
    QCOMPARE(none.valueTexts(), (std::vector<QString>{QString(), QString()}));
}

void TestPieGraph::readsSliceSettingsAndKeepsBadOnesHarmless() {
    GraphTextBuilder text = pieGraph({{"10", "0x00FF00", "Online", "25"}, {"-4"}, {"abc"}}, "0");
    const PieData pie = PieData::read(VariableText(text.text()));
    QCOMPARE(pie.slices.size(), std::size_t(3));
    QCOMPARE(pie.slices[0].label, u"Online"_s);
    QCOMPARE(pie.slices[0].color, QColor(0, 255, 0));
    QCOMPARE(pie.slices[0].offset, 25.0);
    // Negative and unreadable values draw nothing and take no share.
    QCOMPARE(pie.slices[1].value, 0.0);
    QCOMPARE(pie.slices[2].value, 0.0);
    QCOMPARE(pie.valueTexts()[0], u"100%"_s);
    QVERIFY(!pie.animate);
    QVERIFY(!pie.shadow);
    QVERIFY(!renderText(text.text(), 0).isNull());
}

void TestPieGraph::slicesAreDrawnInTheirColoursClockwise() {
    // The first slice starts at twelve o'clock and runs clockwise, so a half pie lies on the right.
    const QByteArray text = pieGraph({{"1", "0xE02020"}, {"1", "0x2020E0"}}).text();
    const QImage image = renderText(text, 0);
    const auto red = near(QColor(0xE0, 0x20, 0x20));
    const auto blue = near(QColor(0x20, 0x20, 0xE0));
    QVERIFY(countPixels(image, red) > 5000);
    QVERIFY(countPixels(image, blue) > 5000);
    QVERIFY(meanX(image, red) > meanX(image, blue) + 50);
}

void TestPieGraph::offsetPullsTheSliceOutOfTheCentre() {
    const QImage still = renderText(pieGraph({{"1", "0xE02020"}, {"3", "0x2020E0"}}).text(), 0);
    const QImage pulled =
        renderText(pieGraph({{"1", "0xE02020", {}, "40"}, {"3", "0x2020E0"}}).text(), 0);
    const auto red = near(QColor(0xE0, 0x20, 0x20));
    const auto blue = near(QColor(0x20, 0x20, 0xE0));
    // The red quarter (three o'clock side, upper right) moves out; the blue rest stays.
    QVERIFY(meanX(pulled, red) > meanX(still, red) + 10);
    QVERIFY(std::abs(meanX(pulled, blue) - meanX(still, blue)) < 3);
    QCOMPARE(std::abs(countPixels(pulled, red) - countPixels(still, red)) < 400, true);
}

void TestPieGraph::shadeAndAlphaChangeTheSlice() {
    const auto redness = [](const QImage& image) {
        const auto reddish = [](QRgb p) {
            return qRed(p) > qGreen(p) + 40 && qRed(p) > qBlue(p) + 40;
        };
        long sum = 0;
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (reddish(image.pixel(x, y))) {
                    sum += qRed(image.pixel(x, y));
                    ++count;
                }
            }
        }
        return count > 0 ? double(sum) / count : 0.0;
    };
    const QImage plain = renderText(pieGraph({{"1", "0xF02020"}}).text(), 0);
    const QImage dark = renderText(
        pieGraph({{"1", "0xF02020"}}, "2", "No", "0", {{"SliceShade", "100"}}).text(), 0);
    QVERIFY(redness(dark) < redness(plain) * 0.5);
    // Half see-through on white: pink, not red.
    const QImage faint =
        renderText(pieGraph({{"1", "0xF02020"}}, "2", "No", "0", {{"SliceAlpha", "40"}}).text(), 0);
    QCOMPARE(countPixels(faint, near(QColor(0xF0, 0x20, 0x20), 60)), 0);
    QVERIFY(countPixels(faint, near(QColor(0xF9, 0xA6, 0xA6), 50)) > 5000);
}

void TestPieGraph::valueAndLabelMovesShiftTheirText() {
    // Green value text on a grey slice, a magenta label beside it: each found by its colour.
    const auto value = near(QColor(0, 255, 0), 60);
    const auto label = near(QColor(255, 0, 255), 60);
    const std::vector<SliceSpec> slices{{"1", "0x404040", "Only"}};
    const std::map<QByteArray, QByteArray> colors{{"PieValueColor", "0x00FF00"},
                                                  {"PieLabelColor", "0xFF00FF"}};
    std::map<QByteArray, QByteArray> moves = colors;
    moves.insert({{"VXOff", "40"}, {"LXOff", "-30"}, {"LYOff", "20"}});
    const QImage still = renderText(pieGraph(slices, "0", "No", "0", colors).text(), 0);
    const QImage moved = renderText(pieGraph(slices, "0", "No", "0", moves).text(), 0);
    QVERIFY(countPixels(still, value) > 20);
    QVERIFY(countPixels(still, label) > 20);
    QVERIFY(std::abs(meanX(moved, value) - meanX(still, value) - 40) < 2);
    QVERIFY(std::abs(meanX(moved, label) - meanX(still, label) + 30) < 2);
}

void TestPieGraph::openingSweepsInAndShadowFollows() {
    const QByteArray text =
        pieGraph({{"1", "0xE02020"}, {"1", "0x2020E0"}}, "2", "Yes", "1").text();
    const auto red = near(QColor(0xE0, 0x20, 0x20));
    const auto blue = near(QColor(0x20, 0x20, 0xE0));
    const auto grey = [](QRgb p) {
        return qGray(p) < 235 && qRed(p) == qBlue(p);
    };
    const QImage start = renderText(text, 0);
    QCOMPARE(countPixels(start, red) + countPixels(start, blue) + countPixels(start, grey), 0);
    // Halfway through, the first (red) slice shows and the second has hardly begun.
    const Millis end = endOf(text);
    QVERIFY(end > 1000 && end < 5000);
    const QImage middle = renderText(text, end * 0.4);
    QVERIFY(countPixels(middle, red) > 2000);
    const QImage done = renderText(text, end);
    QVERIFY(countPixels(done, blue) > countPixels(middle, blue) + 2000);
    QVERIFY(countPixels(done, grey) > 1000); // the shadow
}

void TestPieGraph::pieImageIsLaidOverThePie() {
    QTemporaryDir folder;
    QImage green(40, 40, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    QVERIFY(green.save(folder.filePath(u"green.png"_s)));
    const QByteArray path = folder.filePath(u"green.png"_s).toUtf8();
    const QByteArray withImage =
        pieGraph({{"1", "0xE02020"}}, "2", "No", "0", {{"pieImage", path}, {"pieAlpha", "100"}})
            .text();
    const QImage image = renderText(withImage, 0);
    QVERIFY(countPixels(image, near(QColor(0, 200, 0), 40)) > 5000);
    QCOMPARE(countPixels(image, near(QColor(0xE0, 0x20, 0x20), 40)) < 3000, true);
}

namespace {

// Paints through a recording, which is never kept as a picture: the plain drawing.
QImage drawnFrame(const Scene& scene, Millis time, double scale) {
    QPicture recording;
    QPainter recorder(&recording);
    recorder.scale(scale, scale);
    scene.paint(recorder, time);
    recorder.end();
    QImage image((kStageSize * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    recording.play(&painter);
    return image;
}

QImage shownFrame(const Scene& scene, Millis time, double scale) {
    QImage image((kStageSize * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    scene.paint(painter, time);
    return image;
}

double differingShare(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            differing += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                                     std::abs(qBlue(p) - qBlue(q)) >
                                 30
                             ? 1
                             : 0;
        }
    }
    return double(differing) / (a.width() * a.height());
}

} // namespace

void TestPieGraph::picturedFramesMatchTheDrawing() {
    // Still frames and the opening sweep come from a kept picture of the finished pie; they must
    // look as the pie drawn afresh, at every size the player shows it.
    std::vector<SliceSpec> slices;
    for (int i = 0; i < 8; ++i)
        slices.push_back({QByteArray::number(i + 2), i % 2 ? "0x2E6FD8" : "0xF28C28",
                          "Label " + QByteArray::number(i), i == 3 ? "20" : "0"});
    const QByteArray text = pieGraph(slices, "0", "Yes", "1").text();
    const Scene scene = layoutGraph(VariableText(text), QDir::temp());
    const Millis end = scene.endTime();
    for (const double scale : {1.0, 1.5, 1.0}) {
        QVERIFY(differingShare(shownFrame(scene, end, scale), drawnFrame(scene, end, scale)) <
                0.002);
        QVERIFY(differingShare(shownFrame(scene, end * 0.6, scale),
                               drawnFrame(scene, end * 0.6, scale)) < 0.01);
    }
}

void TestPieGraph::labelsOfManySlicesNeverOverlap() {
    std::vector<PieLabelPlacer::Label> labels;
    for (int i = 0; i < 60; ++i)
        labels.push_back({200.0 + (i % 5), 16.0, double(i % 10 + 1)});
    PieLabelPlacer(50, 450).place(labels);
    std::vector<const PieLabelPlacer::Label*> shown;
    for (const auto& label : labels) {
        if (label.shown)
            shown.push_back(&label);
    }
    // 400 units hold 25 labels of 16; the rest, the smallest slices, are left out.
    QCOMPARE(shown.size(), std::size_t(25));
    for (const auto& label : labels) {
        if (!label.shown)
            QVERIFY(label.weight <= 6);
    }
    std::sort(shown.begin(), shown.end(), [](auto a, auto b) { return a->y < b->y; });
    for (std::size_t i = 0; i < shown.size(); ++i) {
        QVERIFY(shown[i]->y - 8 >= 50 - 1e-9 && shown[i]->y + 8 <= 450 + 1e-9);
        if (i > 0)
            QVERIFY(shown[i]->y - shown[i - 1]->y >= 16 - 1e-9);
    }
}

void TestPieGraph::labelsKeepNearTheirSlicesWhenThereIsRoom() {
    std::vector<PieLabelPlacer::Label> labels{
        {100, 16, 1}, {300, 16, 1}, {305, 16, 1}, {440, 16, 1}};
    PieLabelPlacer(0, 445).place(labels);
    QCOMPARE(labels[0].y, 100.0);
    QVERIFY(labels[2].y - labels[1].y >= 16);
    QVERIFY(std::abs((labels[1].y + labels[2].y) / 2 - 302.5) < 9);
    QCOMPARE(labels[3].y, 437.0); // pushed up off the bottom edge
}

void TestPieGraph::slicesOfNothingKeepTheirRowWithoutAWedge() {
    const std::vector<SliceSpec> slices{
        {"60", "0xFF0000", "Main"}, {"0", "0x00FFFF", "Zero"}, {"-5", "0x00FFFF", "Less"}};
    const QByteArray text =
        pieGraph(slices, "1", "No", "0", {{"PieLabelColor", "0x000000/x/0xFF00FF/x/0xFF00FF"}})
            .text();
    const PieData pie = PieData::read(VariableText(text));
    QCOMPARE(pie.valueTexts(), (std::vector<QString>{u"60"_s, u"0"_s, u"-5"_s}));
    const QImage image = renderText(text, 0);
    QCOMPARE(countPixels(image, near(QColor(0x00, 0xFF, 0xFF), 40)), 0);
    // Both rows, label and value in magenta, one above the other.
    int rows = 0;
    bool inRow = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool magenta =
            countPixels(image, near(QColor(0xFF, 0x00, 0xFF), 90), QRect(0, y, 700, 1)) > 0;
        rows += magenta && !inRow ? 1 : 0;
        inRow = magenta;
    }
    QCOMPARE(rows, 2);
}

void TestPieGraph::seeThroughSlicesHideTheirInnerWalls() {
    // Three see-through slices of one colour must look like one see-through disc: the cut faces
    // between them lie inside the pie.
    const std::map<QByteArray, QByteArray> seeThrough{{"SliceAlpha", "40/x/40/x/40"}};
    const QImage whole = renderText(
        pieGraph({{"100", "0x2060C0"}}, "2", "No", "0", {{"SliceAlpha", "40"}}).text(), 0);
    const QImage cut =
        renderText(pieGraph({{"25", "0x2060C0"}, {"50", "0x2060C0"}, {"25", "0x2060C0"}}, "2", "No",
                            "0", seeThrough)
                       .text(),
                   0);
    int darker = 0;
    for (int y = 0; y < whole.height(); ++y) {
        for (int x = 0; x < whole.width(); ++x)
            darker += qGray(whole.pixel(x, y)) - qGray(cut.pixel(x, y)) > 40 ? 1 : 0;
    }
    QVERIFY2(darker < 10, qPrintable(QString::number(darker)));
}

QTEST_MAIN(TestPieGraph)
#include "tst_pie_graph.moc"
