#include "document/graph_text_reader.h"
#include "document/grid_layouts.h"
#include "editing/template_graphs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kSourceData = QStringLiteral(TIVORA_SOURCE_DIR "/data/");

} // namespace

class TstTemplateGraphs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The files shipped in data/ must be what the writer makes of the templates today; when this
    // fails, run tivora-templates on data/ and look at the graphs before committing them.
    void shippedFilesAreWhatTheWriterMakes() {
        QTemporaryDir folder;
        QCOMPARE(writeTemplateGraphs(folder.path()), std::nullopt);
        const auto templates = templateGraphs();
        QCOMPARE(templates.size(), std::size_t(12));
        for (const TemplateGraph& graph : templates) {
            const QByteArray written = contents(folder.filePath(graph.fileName));
            QVERIFY2(!written.isEmpty(), qPrintable(graph.fileName));
            QVERIFY2(written == contents(kSourceData + graph.fileName),
                     qPrintable(graph.fileName + u" differs from the writer's"_s));
        }
    }

    void theGraphsPageOffersEmptyGraphsOfEachBaseType() {
        const auto templates = templateGraphs();
        const std::pair<QString, QString> empties[] = {{u"blank.dat"_s, u"bar"_s},
                                                       {u"blankl.dat"_s, u"line"_s},
                                                       {u"blankA.dat"_s, u"area"_s},
                                                       {u"blankPie.dat"_s, u"pie"_s}};
        for (const auto& [name, type] : empties) {
            const QString& fileName = name;
            const auto found =
                std::find_if(templates.begin(), templates.end(),
                             [&](const auto& graph) { return graph.fileName == fileName; });
            QVERIFY(found != templates.end());
            const GraphDocument& graph = found->document;
            QCOMPARE(graph.graphType, type);
            // A placeholder title keeps the title's colours for the title the user types.
            QVERIFY(!graph.header.edtHeader.isEmpty());
            // No values of anyone's: a series graph's cells are empty, a pie has one slice.
            if (type == u"pie"_s) {
                QCOMPARE(graph.pie.edtPieSlices, u"1"_s);
                continue;
            }
            const Grid& data = graph.series.sgrdData;
            for (int row = 1; row < data.rowCount(); ++row) {
                for (int column = DataFirstValue; column < data.columnCount(); ++column)
                    QVERIFY(data.cell(column, row).isEmpty());
            }
        }
    }

    void samplesMatchTheirCaptions() {
        const auto templates = templateGraphs();
        const auto find = [&](const QString& name) -> const GraphDocument& {
            return std::find_if(templates.begin(), templates.end(),
                                [&](const auto& graph) { return graph.fileName == name; })
                ->document;
        };
        const auto seriesTypes = [](const GraphDocument& graph) {
            QStringList types;
            for (int row = 1; row < graph.series.sgrdProp.rowCount(); ++row)
                types.append(graph.series.sgrdProp.cell(PropType, row));
            return types;
        };
        QCOMPARE(seriesTypes(find(u"P_3Bar.dat"_s)), (QStringList{u"bar"_s, u"bar"_s, u"bar"_s}));
        QCOMPARE(find(u"P_3BarStack.dat"_s).graphType, u"sbar"_s);
        const GraphDocument& lines = find(u"P_3LineNote.dat"_s);
        QCOMPARE(seriesTypes(lines), (QStringList{u"line"_s, u"line"_s, u"line"_s}));
        QVERIFY(lines.notes.edtNotes.toInt() > 0);
        QVERIFY(seriesTypes(find(u"P_3StackLine.dat"_s)).contains(u"line"_s));
        QCOMPARE(find(u"P_3StackLine.dat"_s).graphType, u"sbar"_s);
        QCOMPARE(seriesTypes(find(u"T_Excel.dat"_s)).size(), 3);
        QVERIFY(seriesTypes(find(u"T_Combo2.dat"_s)).contains(u"area"_s));
        QVERIFY(seriesTypes(find(u"T_Combo2.dat"_s)).contains(u"line"_s));
        QVERIFY(seriesTypes(find(u"T_Combo4.dat"_s)).contains(u"bar"_s));
        QVERIFY(seriesTypes(find(u"T_Combo4.dat"_s)).contains(u"line"_s));
        QVERIFY(find(u"T_Pie.dat"_s).pie.edtPieSlices.toInt() > 2);
    }

    // The slice options dialog sets its bars from these cells and the engine draws them as
    // numbers: a word there leaves the shade bar at a stale position and draws no shade.
    void shippedPieSlicesHoldNumbersInRange() {
        const std::pair<int, std::pair<int, int>> ranges[] = {
            {SliceShade, {0, 100}},     {SliceAlpha, {0, 100}},       {SliceLblMoveX, {-100, 100}},
            {SliceLblMoveY, {-50, 50}}, {SliceValMoveX, {-100, 100}}, {SliceValMoveY, {-50, 50}}};
        for (const QString& name : {u"blankPie.dat"_s, u"T_Pie.dat"_s}) {
            GraphDocument pie;
            QVERIFY(ReadGraphFile(pie, kSourceData + name));
            const Grid& slices = pie.pie.sgrdPieSlices;
            QVERIFY(slices.rowCount() > 1);
            for (int row = 1; row < slices.rowCount(); ++row) {
                for (const auto& [column, range] : ranges) {
                    bool isNumber = false;
                    const int value = slices.cell(column, row).toInt(&isNumber);
                    QVERIFY2(
                        isNumber && value >= range.first && value <= range.second,
                        qPrintable(u"%1 row %2 column %3: %4"_s.arg(name).arg(row).arg(column).arg(
                            slices.cell(column, row))));
                }
            }
        }
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TstTemplateGraphs)
#include "tst_template_graphs.moc"
