// When things appear while a graph animates: value labels travel with their bars and points,
// pie labels finish fading in as the opening sweep closes, and lines drawn together look as Qt
// strokes them, shine included.
#include "engine/inspect/graph_inspection.h"
#include "engine/movies/movie.h"
#include "engine/pie/pie_labels_node.h"
#include "picture_difference.h"
#include "tst_pie_fixture.h"

#include <QDir>
#include <QPixmap>
#include <QTest>

using namespace tivora;
using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

Inspection inspectAt(const QByteArray& text, double shareOfEnd) {
    const Movie movie(layoutGraph(tivora::VariableText(text), QDir::temp()));
    return inspectMovie(movie, movie.endTime() * shareOfEnd, kStageSize.toSize());
}

const DrawnItem* findItem(const std::vector<DrawnItem>& items, ItemKind kind, int series,
                          int column) {
    for (const DrawnItem& item : items) {
        if (item.tag.kind == kind && item.tag.series == series && item.tag.column == column)
            return &item;
    }
    return nullptr;
}

// Labels that count up show from the start, so they are seen all the way up.
QByteArray countingLabels(const QByteArray& graphType, const QByteArray& seriesType) {
    const QByteArray counting = "&GCV_=" + EncodeValue("YES/x/YES");
    return counting + seriesGraph(graphType,
                                  {{seriesType, "0x2E6FB7", "40/x/30/x/20", {}, "15", "YES"},
                                   {seriesType, "0xE07B24", "30/x/50/x/60", {}, "15", "YES"}},
                                  3)
                          .text();
}

// The most opaque pixel of a picture, as a share of full opacity.
double strongestAlpha(const QImage& image) {
    int strongest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            strongest = std::max(strongest, qAlpha(image.pixel(x, y)));
    }
    return strongest / 255.0;
}

// Three pie labels, each alone in a picture, revealed at the given sweep degrees by an opening
// that runs from 150 ms to 1650 ms.
struct FadingLabels {
    static constexpr Millis kEnd = 1650.0;
    std::vector<double> revealAt{20.0, 180.0, 359.5};

    double opacity(std::size_t label, Millis time) const {
        PieText text;
        text.text = u"W"_s;
        text.font.setPixelSize(40);
        text.color = Qt::black;
        text.topLeft = {10, 10};
        text.revealAt = revealAt[label];
        const PieLabelsNode node({text}, {},
                                 Track::ramp(0, 360, 150, kEnd - 150, Easing::InOutSine));
        QImage image(80, 80, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        node.paint(painter, time);
        painter.end();
        return strongestAlpha(image);
    }
};

QByteArray sawTooth(int columns, int lineWidth) {
    std::vector<QByteArray> values;
    for (int c = 0; c < columns; ++c)
        values.push_back(c % 2 ? "92" : "8");
    const QByteArray width = QByteArray::number(lineWidth);
    return "&lw_=" + EncodeValue(joinList({width, width})) +
           seriesGraph("line",
                       {{"line", "0x2E6FB7", joinList(values), {}, "15"},
                        {"line",
                         "0xE07B24",
                         joinList(std::vector<QByteArray>(std::size_t(columns), "50")),
                         {},
                         "15"}},
                       columns)
               .text();
}

// The frame at time drawn at scale, onto a picture (where lines go through a canvas) or onto a
// pixmap (where Qt strokes every line itself).
QImage frameOn(bool pixmap, const QByteArray& text, Millis time, double scale) {
    const Movie movie(layoutGraph(tivora::VariableText(text), QDir::temp()));
    const QSize size = (kStageSize * scale).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPixmap other(size);
    image.fill(Qt::transparent);
    other.fill(Qt::transparent);
    QPainter painter;
    if (pixmap)
        painter.begin(&other);
    else
        painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    movie.paint(painter, time);
    painter.end();
    return pixmap ? other.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) : image;
}

} // namespace

class TestAnimationTiming : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valueLabelsTravelWithTheirMarks_data();
    void valueLabelsTravelWithTheirMarks();
    void pieLabelsFinishFadingAsTheSweepCloses();
    void pieLabelsFadeInOnlyOnceTheSweepPassesThem();
    void linesDrawnTogetherLookAsQtStrokesThem_data();
    void linesDrawnTogetherLookAsQtStrokesThem();
};

void TestAnimationTiming::valueLabelsTravelWithTheirMarks_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("markKind");
    QTest::newRow("bars side by side") << countingLabels("bar", "bar") << int(ItemKind::Bar);
    QTest::newRow("stacked bars") << countingLabels("sbar", "bar") << int(ItemKind::Bar);
    QTest::newRow("lines") << countingLabels("line", "line") << int(ItemKind::Point);
}

// While the marks grow, each label stays on its bar or right above its point, never over the
// room its mark has yet to grow into.
void TestAnimationTiming::valueLabelsTravelWithTheirMarks() {
    QFETCH(QByteArray, text);
    QFETCH(int, markKind);
    for (const double share : {0.15, 0.3, 0.5, 1.0}) {
        const Inspection inspection = inspectAt(text, share);
        int labels = 0;
        for (const DrawnItem& label : inspection.items) {
            if (label.tag.kind != ItemKind::ValueLabel)
                continue;
            ++labels;
            const DrawnItem* mark =
                findItem(inspection.items, ItemKind(markKind), label.tag.series, label.tag.column);
            QVERIFY(mark);
            // A label beside its mark may stand a label's height clear of it, no more.
            const double clear = label.rect.height() + 6;
            const QRectF reach = mark->rect.adjusted(0, -clear, 0, clear);
            QVERIFY2(label.rect.top() >= reach.top() && label.rect.bottom() <= reach.bottom(),
                     qPrintable(u"label of series %1, column %2 at %3 of the growth: %4..%5, "
                                u"its mark %6..%7"_s.arg(label.tag.series)
                                    .arg(label.tag.column)
                                    .arg(share)
                                    .arg(label.rect.top())
                                    .arg(label.rect.bottom())
                                    .arg(mark->rect.top())
                                    .arg(mark->rect.bottom())));
        }
        QCOMPARE(labels, 6);
    }
}

void TestAnimationTiming::pieLabelsFinishFadingAsTheSweepCloses() {
    const FadingLabels labels;
    // The last label, revealed half a degree before the circle closes, fades in steadily over
    // the few moments left instead of waiting half faded for the end.
    const double before = labels.opacity(2, FadingLabels::kEnd - 30);
    const double nearly = labels.opacity(2, FadingLabels::kEnd - 5);
    QVERIFY2(nearly > 0.8, qPrintable(QString::number(nearly)));
    QVERIFY2(before < nearly, qPrintable(u"%1 then %2"_s.arg(before).arg(nearly)));
    for (std::size_t label = 0; label < labels.revealAt.size(); ++label)
        QCOMPARE(labels.opacity(label, FadingLabels::kEnd), 1.0);
}

void TestAnimationTiming::pieLabelsFadeInOnlyOnceTheSweepPassesThem() {
    const FadingLabels labels;
    // The middle label is passed half way through the opening, at 900 ms.
    QCOMPARE(labels.opacity(1, 850), 0.0);
    const double fading = labels.opacity(1, 1000);
    QVERIFY2(fading > 0.2 && fading < 0.8, qPrintable(QString::number(fading)));
    QCOMPARE(labels.opacity(1, 1300), 1.0);
    QCOMPARE(labels.opacity(0, 700), 1.0);
}

void TestAnimationTiming::linesDrawnTogetherLookAsQtStrokesThem_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("scale");
    QTest::newRow("hairlines, many points") << sawTooth(399, 10) << 1.0;
    QTest::newRow("hairlines, many points, twice the size") << sawTooth(399, 10) << 2.0;
    QTest::newRow("pipes with a shine") << sawTooth(100, 8) << 1.0;
    QTest::newRow("pipes with a shine, twice the size") << sawTooth(100, 8) << 2.0;
    QTest::newRow("widest pipes, twice the size") << sawTooth(20, 99) << 2.0;
}

void TestAnimationTiming::linesDrawnTogetherLookAsQtStrokesThem() {
    QFETCH(QByteArray, text);
    QFETCH(double, scale);
    for (const double share : {0.4, 1.0}) {
        const Millis time = endOf(text) * share;
        const tivora::test::PictureDifference difference = tivora::test::differenceOf(
            frameOn(false, text, time, scale), frameOn(true, text, time, scale));
        // Qt rounds a wide line's ends and a see-through line's corners; the canvas squares
        // them: a few pixels at each differ wholly, a line out of place differs all along.
        QVERIFY2(difference.mean < 3.0, difference.describe().constData());
    }
}

QTEST_MAIN(TestAnimationTiming)
#include "tst_animation_timing.moc"
