// Texts wrapped before they shrink or are cut, cuts that keep labels apart, empty and negative
// pies, round axis numbers with room for the outermost labels, notes, and overlapping areas.
#include "drawing_rules.h"
#include "engine/inspect/graph_inspection.h"
#include "engine/movies/movie.h"
#include "tst_pie_fixture.h"

#include <QDir>
#include <QTest>
#include <map>

using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

QImage settledPicture(const QByteArray& text) {
    const Movie movie(layoutGraph(tivora::VariableText(text), QDir::temp()));
    return paintScene(movie.scene(), movie.settledTime());
}

std::vector<DrawnItem> itemsOf(const Inspection& inspection, ItemKind kind) {
    std::vector<DrawnItem> found;
    std::ranges::copy_if(inspection.items, std::back_inserter(found),
                         [kind](const DrawnItem& item) { return item.tag.kind == kind; });
    return found;
}

// The lines shown for each labelled thing (a column, a slice), in order.
std::map<int, QStringList> linesByOwner(const Inspection& inspection, ItemKind kind) {
    std::map<int, QStringList> lines;
    for (const DrawnItem& item : itemsOf(inspection, kind))
        lines[item.tag.column > 0 ? item.tag.column : item.tag.series] << item.text;
    return lines;
}

// The graph text with one encoded entry's value replaced (the first of two equal keys is read).
QByteArray withEntry(QByteArray text, const QByteArray& key, const QByteArray& was,
                     const QByteArray& becomes) {
    return text.replace(QByteArray("&" + key + "=" + tivora::EncodeValue(was)),
                        QByteArray("&" + key + "=" + tivora::EncodeValue(becomes)));
}

QByteArray slicesGraph(const std::vector<QByteArray>& labels, const std::vector<QByteArray>& values,
                       const QByteArray& show, const QByteArray& fontSize = "12") {
    std::vector<SliceSpec> slices;
    static const QByteArray colours[] = {"0x2E6FD8", "0xF28C28", "0x3BAA5C",
                                         "0xD8423A", "0x8B5CC7", "0x1FA7B8"};
    for (std::size_t i = 0; i < labels.size(); ++i)
        slices.push_back({values[i], colours[i % std::size(colours)], labels[i]});
    return pieGraph(slices, show, "No", "0", {{"XPLFont", fontSize}, {"XPVFont", fontSize}}).text();
}

QByteArray longLabelColumns(const QByteArray& stem, int columns) {
    std::vector<QByteArray> plain;
    std::vector<QByteArray> labels;
    for (int c = 1; c <= columns; ++c) {
        plain.push_back("C" + QByteArray::number(c));
        labels.push_back(stem + QByteArray::number(c));
    }
    return withEntry(
        seriesGraph("bar", {{"bar", "0x2E6FB7", "40/x/80/x/20/x/60/x/50/x/70"}}, columns).text(),
        "xl_", tivora::joinList(plain), tivora::joinList(labels));
}

} // namespace

class ReadableLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longHeaderTakesTwoLinesAtItsSize_data() {
        QTest::addColumn<QByteArray>("side");
        QTest::newRow("top") << QByteArray("0");
        QTest::newRow("left") << QByteArray("1");
        QTest::newRow("bottom") << QByteArray("3");
    }

    void longHeaderTakesTwoLinesAtItsSize() {
        QFETCH(QByteArray, side);
        const QByteArray header = "Quarterly revenue of every region of the company, "
                                  "compared with the year before";
        const Inspection inspection = inspectText(seriesGraph("bar", {{"bar", "0x2E6FB7", "40"}}, 1)
                                                      .encoded("hd_", header)
                                                      .plain("hp_", side)
                                                      .text());
        const auto lines = itemsOf(inspection, ItemKind::Header);
        QCOMPARE(lines.size(), std::size_t(2));
        QStringList shown;
        for (const DrawnItem& line : lines) {
            QCOMPARE(line.fontPx, 22.0);
            shown << line.text;
            QVERIFY(QRectF(QPointF(0, 0), kStageSize).contains(line.rect));
        }
        QCOMPARE(shown.join(u' '), QString::fromLatin1(header));
        // One under the other (beside it, for a turned header), never over it.
        QVERIFY(!lines[0].rect.intersects(lines[1].rect));
        // A short header keeps to one line.
        const Inspection shortOne = inspectText(
            seriesGraph("bar", {{"bar", "0x2E6FB7", "40"}}, 1).encoded("hd_", "Sales").text());
        QCOMPARE(itemsOf(shortOne, ItemKind::Header).size(), std::size_t(1));
    }

    void longColumnLabelsWrapWhole() {
        const Inspection inspection =
            inspectText(longLabelColumns("Revenue of the northern sales region ", 5));
        const auto lines = linesByOwner(inspection, ItemKind::XLabel);
        QCOMPARE(lines.size(), std::size_t(5));
        for (const auto& [column, shown] : lines) {
            QVERIFY2(shown.size() >= 2 && shown.size() <= 3, qPrintable(shown.join(u'|')));
            QCOMPARE(shown.join(u' '), u"Revenue of the northern sales region %1"_s.arg(column));
        }
        for (const DrawnItem& label : itemsOf(inspection, ItemKind::XLabel))
            QCOMPARE(label.fontPx, 10.0);
    }

    void cutLabelsKeepTheirDifferentEnds() {
        // Too long for three lines in their columns: cut in the middle, their numbers kept.
        const Inspection inspection = inspectText(
            longLabelColumns("Quarterly revenue of the northern region of the company ", 6));
        std::map<int, QString> shown;
        for (const DrawnItem& label : itemsOf(inspection, ItemKind::XLabel))
            shown[label.tag.column] += label.text;
        QVERIFY(shown.size() >= 3);
        for (const auto& [column, text] : shown)
            QVERIFY2(text.endsWith(QString::number(column)), qPrintable(text));
    }

    void longPieLabelsWrapAndStayApart() {
        const Inspection inspection = inspectText(slicesGraph(
            {"A remarkably long slice label 1", "A remarkably long slice label 2", "Short"},
            {"40", "35", "25"}, "0", "16"));
        const auto lines = linesByOwner(inspection, ItemKind::PieLabel);
        QCOMPARE(lines.size(), std::size_t(3));
        QVERIFY(lines.at(1).join(u' ') != lines.at(2).join(u' '));
        QVERIFY2(lines.at(1).join(u' ').contains(u"label 1"_s), qPrintable(lines.at(1).join(u'|')));
        QVERIFY2(lines.at(1).size() >= 2, qPrintable(lines.at(1).join(u'|')));
        for (const DrawnItem& label : itemsOf(inspection, ItemKind::PieLabel))
            QCOMPARE(label.fontPx, 16.0);
    }

    void pieLabelsOfOneLengthAreTreatedAlike() {
        // Names as long as each other, beside values of different widths, on both sides.
        const std::vector<QByteArray> names{"Alphaalphaalphaalpha", "Gammagammagammagamma",
                                            "Deltadeltadeltadelta", "Sigmasigmasigmasigma"};
        const Inspection inspection =
            inspectText(slicesGraph(names, {"1", "1", "100000", "1"}, "1", "26"));
        int cut = 0;
        int whole = 0;
        for (const DrawnItem& label : itemsOf(inspection, ItemKind::PieLabel)) {
            if (label.tag.fullText.toLatin1() != names[std::size_t(label.tag.series - 1)])
                continue; // a value
            (label.text == label.tag.fullText ? whole : cut) += 1;
        }
        QCOMPARE(cut + whole, 4);
        QVERIFY2(cut == 0 || whole == 0, qPrintable(u"%1 cut, %2 whole"_s.arg(cut).arg(whole)));
    }

    void allZeroPieShowsItsOutlineLabelsAndWhy() {
        const QByteArray text = slicesGraph({"North", "South", "East"}, {"0", "0", "0"}, "0");
        const Inspection inspection = inspectText(text);
        QVERIFY(itemsOf(inspection, ItemKind::Slice).empty());
        const auto lines = linesByOwner(inspection, ItemKind::PieLabel);
        QCOMPARE(lines.at(0), QStringList{u"No values"_s});
        QCOMPARE(lines.at(1), QStringList{u"North"_s});
        QCOMPARE(lines.at(3), QStringList{u"East"_s});
        // The outline is drawn: grey pixels beyond the message.
        const QImage picture = settledPicture(text);
        int outline = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                outline += qGray(picture.pixel(x, y)) < 200 ? 1 : 0;
        }
        QVERIFY2(outline > 600, qPrintable(QString::number(outline)));
    }

    void negativeSliceShowsItsValue() {
        const Inspection inspection =
            inspectText(slicesGraph({"Pos", "Neg", "More"}, {"30", "-20", "70"}, "0"));
        const auto lines = linesByOwner(inspection, ItemKind::PieLabel);
        QCOMPARE(lines.at(2), (QStringList{u"Neg"_s, u"-20"_s}));
        for (const auto& [slice, shown] : lines)
            QVERIFY(!shown.contains(u"0%"_s));
        QStringList percentages = lines.at(1) + lines.at(3);
        QVERIFY(percentages.contains(u"30%"_s) && percentages.contains(u"70%"_s));
    }

    void offsetAxisCountsInRoundNumbers() {
        const Inspection inspection =
            inspectText(seriesGraph("line", {{"line", "0x2E6FB7", "1008/x/1015.5/x/1023/x/1011"}},
                                    4, "", "", "")
                            .text());
        const auto numbers = itemsOf(inspection, ItemKind::AxisLabel);
        QVERIFY(numbers.size() >= 3);
        for (const DrawnItem& number : numbers) {
            const double value = QString(number.text).remove(u',').toDouble();
            QVERIFY2(value >= 1000 && std::fmod(value, 5.0) == 0.0, qPrintable(number.text));
        }
    }

    void topValueLabelStaysInsideThePlot() {
        const Inspection inspection =
            inspectText(seriesGraph("bar", {{"bar", "0x2E6FB7", "100/x/40/x/100", "", "0", "YES"}},
                                    3, "", "", "")
                            .text());
        double plotTop = kStageSize.height();
        for (const DrawnItem& number : itemsOf(inspection, ItemKind::AxisLabel))
            plotTop = std::min(plotTop, number.rect.center().y());
        const auto labels = itemsOf(inspection, ItemKind::ValueLabel);
        QCOMPARE(labels.size(), std::size_t(3));
        for (const DrawnItem& label : labels)
            QVERIFY2(label.rect.top() >= plotTop, qPrintable(label.text));
    }

    void longNoteBodyWrapsBeforeItShrinks() {
        GraphTextBuilder text = seriesGraph("bar", {{"bar", "0x2E6FB7", "40"}}, 1);
        const QByteArray body = "Sales rose in every region after the new range came out in "
                                "spring, most of all in the north";
        addNotes(text, 1, {{"nobd_", body}, {"now_", "180"}, {"noh_", "150"}, {"nohd_", "Note"}});
        const auto lines = itemsOf(inspectText(text.text()), ItemKind::NoteText);
        QStringList bodyLines;
        for (const DrawnItem& line : lines) {
            if (line.tag.fullText == QString::fromLatin1(body)) {
                QCOMPARE(line.fontPx, 12.0);
                bodyLines << line.text;
            }
        }
        QVERIFY2(bodyLines.size() >= 4, qPrintable(bodyLines.join(u'|')));
        QCOMPARE(bodyLines.join(u' '), QString::fromLatin1(body));

        // Far too long for its box: never below the floor, cut rather than lost.
        GraphTextBuilder crowded = seriesGraph("bar", {{"bar", "0x2E6FB7", "40"}}, 1);
        addNotes(crowded, 1,
                 {{"nobd_", body + " " + body + " " + body}, {"now_", "120"}, {"noh_", "90"}});
        for (const DrawnItem& line : itemsOf(inspectText(crowded.text()), ItemKind::NoteText))
            QVERIFY(line.fontPx >= 9.0);
    }

    void seeThroughNoteShowsNoShadowThroughIt() {
        const auto picture = [](const QByteArray& shadow) {
            GraphTextBuilder text = seriesGraph("bar", {{"bar", "0x2E6FB7", "0"}}, 1);
            addNotes(text, 1,
                     {{"noal_", "30"},
                      {"noc_", "0xFFFFFF"},
                      {"nsh_", shadow},
                      {"nsha_", "100"},
                      {"nox_", "300"},
                      {"noy_", "150"},
                      {"now_", "150"},
                      {"noh_", "120"}});
            return settledPicture(text.text());
        };
        const QImage with = picture("Yes");
        const QImage without = picture("No");
        // Inside the panel, where the shadow would lie under it, nothing changes; beside the
        // panel the shadow shows.
        const QPoint inside(300 + 150 - 10, 150 + 120 - 10);
        QCOMPARE(QColor(with.pixel(inside)), QColor(without.pixel(inside)));
        const QPoint beside(300 + 150 + 8, 150 + 60);
        QVERIFY(qGray(with.pixel(beside)) < qGray(without.pixel(beside)) - 40);
    }

    void overlappingAreasKeepTheirOutlinesOnTop() {
        // Blue drawn first, red over it: where red covers blue, blue's edge still shows blue.
        GraphTextBuilder text = seriesGraph("area",
                                            {{"area", "0x0000FF", "60/x/60/x/60/x/60", "Blue"},
                                             {"area", "0xFF0000", "90/x/90/x/90/x/90", "Red"}},
                                            4);
        const QByteArray graph = withEntry(text.text(), "alp_", "100/x/100", "50/x/50");
        const Inspection inspection = inspectText(graph);
        const auto lines = itemsOf(inspection, ItemKind::Line);
        const auto blue =
            std::ranges::find_if(lines, [](const DrawnItem& line) { return line.tag.series == 1; });
        QVERIFY(blue != lines.end());
        QCOMPARE(blue->color, QColor(0x0000FF));
        const QPoint middle = ((blue->points[1] + blue->points[2]) / 2).toPoint();
        const QImage picture = settledPicture(graph);
        // The bluest of the rows the thin edge may fall on.
        QRgb edge = picture.pixel(middle);
        for (const int dy : {-1, 1}) {
            const QRgb next = picture.pixel(middle + QPoint(0, dy));
            if (qBlue(next) - qRed(next) > qBlue(edge) - qRed(edge))
                edge = next;
        }
        QVERIFY2(qBlue(edge) > 200 && qRed(edge) < 90, qPrintable(QColor(edge).name()));
    }
};

QTEST_MAIN(ReadableLayoutTest)
#include "tst_readable_layout.moc"
