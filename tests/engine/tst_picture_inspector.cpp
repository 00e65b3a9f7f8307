// The picture inspector: what it lists for a graph, where, and how it writes it out.
#include "drawing_rules.h"
#include "engine/inspect/graph_inspection.h"
#include "engine/layout/graph_style.h"
#include "engine/movies/movie.h"
#include "engine/pie/pie_labels_node.h"
#include "tst_pie_fixture.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

std::vector<DrawnItem> itemsOf(const std::vector<DrawnItem>& items, ItemKind kind) {
    std::vector<DrawnItem> found;
    std::ranges::copy_if(items, std::back_inserter(found),
                         [kind](const DrawnItem& item) { return item.tag.kind == kind; });
    return found;
}

QByteArray twoSeriesBars() {
    return seriesGraph("bar",
                       {{"bar", "0x2E6FB7", "40/x/80/x/20", "North", "15", "YES"},
                        {"bar", "0xE07B24", "60/x/30/x/90", "South", "15", "YES"}},
                       3)
        .encoded("hd_", "Sales by region")
        .text();
}

} // namespace

class TestInspect : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void barsCarryTheirSeriesAndColumn() {
        const Inspection inspection = inspectText(twoSeriesBars());
        const auto bars = itemsOf(inspection.items, ItemKind::Bar);
        QCOMPARE(bars.size(), std::size_t(6));
        for (const DrawnItem& bar : bars) {
            QVERIFY(bar.tag.series == 1 || bar.tag.series == 2);
            QVERIFY(bar.tag.column >= 1 && bar.tag.column <= 3);
        }
        // Heights follow the values on the fixed 0..100 axis: 90 is 4.5 times 20.
        const auto heightOf = [&bars](int series, int column) {
            for (const DrawnItem& bar : bars) {
                if (bar.tag.series == series && bar.tag.column == column)
                    return bar.rect.height();
            }
            return -1.0;
        };
        QVERIFY(std::abs(heightOf(2, 3) / heightOf(1, 3) - 4.5) < 0.05);
        QVERIFY(heightOf(1, 1) < heightOf(2, 1));
        QCOMPARE(bars.front().color, QColor(0x2E6FB7));
    }

    void textsCarryWhatTheyShow() {
        const Inspection inspection = inspectText(twoSeriesBars());
        const auto header = itemsOf(inspection.items, ItemKind::Header);
        QCOMPARE(header.size(), std::size_t(1));
        QCOMPARE(header.front().text, u"Sales by region"_s);
        QCOMPARE(header.front().tag.fullText, u"Sales by region"_s);
        QVERIFY(header.front().fontPx >= 12);
        const auto legend = itemsOf(inspection.items, ItemKind::LegendText);
        QCOMPARE(legend.size(), std::size_t(2));
        QCOMPARE(legend[1].text, u"South"_s);
        QCOMPARE(legend[1].tag.series, 2);
        QCOMPARE(itemsOf(inspection.items, ItemKind::LegendKey).size(), std::size_t(2));
        QCOMPARE(itemsOf(inspection.items, ItemKind::XLabel).size(), std::size_t(3));
        QVERIFY(!itemsOf(inspection.items, ItemKind::AxisLabel).empty());
        const auto values = itemsOf(inspection.items, ItemKind::ValueLabel);
        QCOMPARE(values.size(), std::size_t(6));
        for (const DrawnItem& value : values) {
            // The ink of a number is about as tall as its digits.
            QVERIFY(value.rect.height() > value.fontPx * 0.5);
            QVERIFY(value.rect.height() < value.fontPx * 1.1);
        }
    }

    void theInkBoxLiesOnTheDrawnText() {
        // The pixels of the header's text (white on the dark band) fill its ink box to its edges.
        const QByteArray text = twoSeriesBars();
        const Movie movie(layoutGraph(tivora::VariableText(text), QDir::temp()));
        const DrawnItem header =
            itemsOf(inspectMovie(movie, movie.settledTime(), kStageSize.toSize()).items,
                    ItemKind::Header)
                .front();
        const QImage picture = paintScene(movie.scene(), movie.settledTime());
        QRect lit;
        const QRect around = header.rect.toAlignedRect().adjusted(-4, -4, 4, 4);
        for (int y = around.top(); y <= around.bottom(); ++y) {
            for (int x = around.left(); x <= around.right(); ++x) {
                if (qGray(picture.pixel(x, y)) > 200)
                    lit |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(!lit.isEmpty());
        // Within the faint anti-aliased edge the brightness threshold leaves out.
        QVERIFY(std::abs(lit.left() - header.rect.left()) <= 2.0);
        QVERIFY(std::abs(lit.right() + 1 - header.rect.right()) <= 2.0);
        QVERIFY(std::abs(lit.top() - header.rect.top()) <= 2.0);
        QVERIFY(std::abs(lit.bottom() + 1 - header.rect.bottom()) <= 2.0);
    }

    void linesListTheirPointsAndMarkers() {
        const Inspection inspection = inspectText(
            seriesGraph("line", {{"line", "0x3C9D4E", "10/x/50/x/90/x/30", "", "15", "NO"}}, 4)
                .text());
        const auto lines = itemsOf(inspection.items, ItemKind::Line);
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(lines.front().points.size(), 4);
        // Higher values lie higher up the picture.
        QVERIFY(lines.front().points[2].y() < lines.front().points[1].y());
        QVERIFY(lines.front().points[1].y() < lines.front().points[0].y());
        QCOMPARE(itemsOf(inspection.items, ItemKind::Point).size(), std::size_t(4));
        QVERIFY(itemsOf(inspection.items, ItemKind::ValueLabel).empty());
    }

    void anEarlyFrameShowsWhatHasArrived() {
        // Before the series start to grow there are no value labels yet and the bars are flat.
        const Inspection early = inspectText(twoSeriesBars(), 0.0);
        QVERIFY(itemsOf(early.items, ItemKind::ValueLabel).empty());
        QVERIFY(itemsOf(early.items, ItemKind::Bar).empty());
        QCOMPARE(itemsOf(early.items, ItemKind::Header).size(), std::size_t(1));
    }

    void aWiderPictureScalesEverything() {
        const Inspection normal = inspectText(twoSeriesBars());
        const Inspection wide = inspectText(twoSeriesBars(), {}, QSize(1400, 950));
        QCOMPARE(wide.items.size(), normal.items.size());
        for (std::size_t i = 0; i < normal.items.size(); ++i) {
            QVERIFY(std::abs(wide.items[i].rect.left() - 2 * normal.items[i].rect.left()) < 0.01);
            QVERIFY(std::abs(wide.items[i].fontPx - 2 * normal.items[i].fontPx) < 0.01);
        }
    }

    void pieSlicesAndLabels() {
        const Inspection inspection = inspectText(
            pieGraph({{"30", "0xFF0000", "Apples"}, {"70", "0x0000FF", "Pears"}}).text());
        const auto slices = itemsOf(inspection.items, ItemKind::Slice);
        QCOMPARE(slices.size(), std::size_t(2));
        QVERIFY(slices[0].tag.series != slices[1].tag.series);
        const auto labels = itemsOf(inspection.items, ItemKind::PieLabel);
        QVERIFY(std::ranges::any_of(labels, [](const DrawnItem& label) {
            return label.text == u"Apples"_s && label.tag.series == 1;
        }));
    }

    void theLastPieLabelIsThereWhenTheCircleCloses() {
        // A label revealed near the end of the sweep finishes fading as the sweep ends, and the
        // labels settle with the pie.
        PieText last{u"Last"_s, graphFont(14), Qt::black, QPointF(20, 20),
                     350.0,     false,         1,         u"Last"_s};
        const PieLabelsNode node({last}, {}, Track::ramp(0, 360, 0, 1000, Easing::Linear));
        QCOMPARE(node.endTime(), 1000.0);
        const auto pictureAt = [&node](Millis time) {
            QImage image(120, 60, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            node.paint(painter, time);
            return image;
        };
        QCOMPARE(pictureAt(1000), pictureAt(5000));
        QVERIFY(pictureAt(990) != pictureAt(5000));
    }

    void notesAndTheirTexts() {
        GraphTextBuilder text =
            seriesGraph("bar", {{"bar", "0x2E6FB7", "40/x/80", "", "0", "NO"}}, 2);
        addNotes(text, 1, {{"nohd_", "Peak"}, {"nobd_", "Best month"}});
        const Inspection inspection = inspectText(text.text());
        const auto notes = itemsOf(inspection.items, ItemKind::Note);
        QCOMPARE(notes.size(), std::size_t(1));
        QCOMPARE(notes.front().rect.toRect(), QRect(200, 150, 150, 120));
        const auto texts = itemsOf(inspection.items, ItemKind::NoteText);
        QCOMPARE(texts.size(), std::size_t(2));
        for (const DrawnItem& line : texts)
            QVERIFY(notes.front().rect.contains(line.rect));
    }

    void theListingAsJson() {
        const QJsonObject json = inspectionJson(inspectText(twoSeriesBars()));
        QCOMPARE(json[u"width"_s].toInt(), 700);
        QCOMPARE(json[u"height"_s].toInt(), 475);
        const QJsonArray items = json[u"items"_s].toArray();
        QVERIFY(!items.isEmpty());
        bool sawLabel = false;
        for (const QJsonValue& value : items) {
            const QJsonObject item = value.toObject();
            QCOMPARE(item[u"rect"_s].toArray().size(), 4);
            QVERIFY(item[u"color"_s].toString().contains(QRegularExpression(u"^#[0-9A-F]{6}$"_s)));
            if (item[u"kind"_s].toString() != u"value-label"_s)
                continue;
            sawLabel = true;
            QVERIFY(item.contains(u"series"_s));
            QVERIFY(item.contains(u"column"_s));
            QVERIFY(item.contains(u"text"_s));
            QVERIFY(item.contains(u"fullText"_s));
            QVERIFY(item[u"fontPx"_s].toDouble() > 0);
            QVERIFY(!item.contains(u"points"_s));
        }
        QVERIFY(sawLabel);
        // Marks carry no text fields; the header no series.
        for (const QJsonValue& value : items) {
            const QJsonObject item = value.toObject();
            if (item[u"kind"_s].toString() == u"bar"_s)
                QVERIFY(!item.contains(u"text"_s));
            if (item[u"kind"_s].toString() == u"header"_s)
                QVERIFY(!item.contains(u"series"_s));
        }
    }

    void aFileIsReadAsTheRendererReadsIt() {
        QTemporaryDir folder;
        QString error;
        QVERIFY(!inspectFile(folder.filePath(u"missing.TVX"_s), {}, error));
        QVERIFY(error.contains(u"missing.TVX"_s));
        RenderOptions options;
        options.width = 350;
        const auto inspection =
            inspectFile(QStringLiteral(TIVORA_SHIPPED_DATA_DIR "/P_3Bar.dat"), options, error);
        QVERIFY2(inspection, qPrintable(error));
        QCOMPARE(inspection->picture, QSize(350, 238));
        QVERIFY(!itemsOf(inspection->items, ItemKind::Bar).empty());
        QVERIFY(!itemsOf(inspection->items, ItemKind::Header).empty());
    }
};

QTEST_MAIN(TestInspect)
#include "tst_picture_inspector.moc"
