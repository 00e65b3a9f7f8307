// The graph record, its grids, the text field check and the model that announces changes.
#include "document/graph_document_model.h"
#include "document/text_field_check.h"
#include "sample_graphs.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tivora;
using namespace Qt::StringLiterals;

class TestGraphDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initialValues();
    void initialGraphIsIncomplete();
    void positionsStayWithinRange();
    void cellsBeyondCountsAreKept();
    void insertAndDeleteRows();
    void rewrittenCellsKeepTheirNeighbours();
    void newSeriesDefaults();
    void encodedTextCheck();
    void documentTextCheckNamesTheCell();
    void modelAnnouncesChanges();
    void modelKeepsGraphWhenReadFails();
};

void TestGraphDocument::initialValues() {
    const GraphDocument document;
    QCOMPARE(document.series.edtSeries, u"3"_s);
    QCOMPARE(document.series.edtCols, u"0"_s);
    QCOMPARE(document.pie.edtPieSlices, u"0"_s);
    QCOMPARE(document.notes.edtNotes, u"0"_s);
    QCOMPARE(document.header.headerPosition, HeaderPosition::Top);
    QCOMPARE(document.placement.trkScaleGraph.position(), 100);
    QCOMPARE(document.placement.trkXTitleX.minimum(), -300);
    QCOMPARE(document.effects.sbShading.position(), 50);
    QCOMPARE(document.effects.cbShading, 0);
    QCOMPARE(document.pie.sbAnimSpeed.position(), 5);
    QCOMPARE(document.pie.trkShadowUpDown.maximum(), 300);
    QVERIFY(document.pie.rdoAnimate && document.pie.rdoShowShadow);
    QCOMPARE(document.pie.valuesShown, PieValuesShown::Percentages);
    QCOMPARE(document.axes.edtXTitleFont.text(), u"10"_s);
    QCOMPARE(document.axes.edtXLabelFont.minimum(), 6);
    QCOMPARE(document.pie.edtPieValueFontSize.text(), u"12"_s);
    QCOMPARE(document.series.sgrdData.rowCount(), 4);
    QCOMPARE(document.series.sgrdData.columnCount(), 3);
    QCOMPARE(document.series.sgrdData.fixedColumnCount(), 0);
    QCOMPARE(document.series.sgrdProp.columnCount(), 9);
    QCOMPARE(document.series.sgrdProp.cell(PropLineWidth, 0), u"Line Width"_s);
    QCOMPARE(document.pie.sgrdPieSlices.columnCount(), 13);
    QCOMPARE(document.pie.sgrdPieSlices.rowCount(), 1);
    QCOMPARE(document.notes.sgrdNotes.columnCount(), 28);
    QCOMPARE(document.notes.sgrdNotes.rowCount(), 2);
}

void TestGraphDocument::initialGraphIsIncomplete() {
    GraphDocument document;
    const GraphTextBuild result = buildGraphText(document);
    QCOMPARE(result.status, GraphTextBuild::Status::Incomplete);
    QCOMPARE(result.message, u"The graph has no data columns."_s);
    QVERIFY(document.graphIncomplete);
}

void TestGraphDocument::positionsStayWithinRange() {
    TrackbarPosition trackbar(-70, 70, 0);
    trackbar.setPosition(500);
    QCOMPARE(trackbar.position(), 70);
    trackbar.setPosition(-71);
    QCOMPARE(trackbar.position(), -70);
    UpDownEdit font(8, 40, 10);
    font.setText(u"99"_s);
    QCOMPARE(font.text(), u"99"_s);
    font.setPosition(99);
    QCOMPARE(font.text(), u"40"_s);
}

void TestGraphDocument::cellsBeyondCountsAreKept() {
    GraphDocument document = samples::seriesGraph(3, 4);
    Grid& data = document.series.sgrdData;
    const Grid before = data;
    shapeDataGrid(data, 1, 1);
    QCOMPARE(data.rowCount(), 2);
    QCOMPARE(data.columnCount(), 4);
    shapeDataGrid(data, 3, 4);
    QCOMPARE(data, before);
    QCOMPARE(data.cellColor(DataColor, 3), before.cellColor(DataColor, 3));
    // Cells only ever read are no change.
    const Grid copy = data;
    (void)data.cell(900, 900);
    data.setCell(40, 40, QString());
    QCOMPARE(data, copy);
    data.setCell(40, 40, u"x"_s);
    QVERIFY(data != copy);
    // A count below one still leaves the title row and one column.
    shapeDataGrid(data, -5, -9);
    QCOMPARE(data.rowCount(), 1);
    QCOMPARE(data.columnCount(), 1);
    QCOMPARE(data.fixedColumnCount(), 0);
}

void TestGraphDocument::insertAndDeleteRows() {
    Grid grid(2, 4);
    for (int row = 0; row < 4; ++row)
        grid.setCell(0, row, QString::number(row));
    grid.setCellColor(1, 2, 0x123456);
    QCOMPARE(grid.insertRow(1), 1);
    QCOMPARE(grid.rowCount(), 5);
    QCOMPARE(grid.cell(0, 1), QString());
    QCOMPARE(grid.cell(0, 2), u"1"_s);
    QCOMPARE(grid.cellColor(1, 3), std::optional<WindowColor>(0x123456));
    // Without fixed rows even row 0 can go; the others keep their order.
    QVERIFY(grid.deleteRow(0));
    QCOMPARE(grid.cell(0, 0), QString());
    QCOMPARE(grid.cell(0, 1), u"1"_s);
    QCOMPARE(grid.cell(0, 3), u"3"_s);
    Grid slices(13, 2);
    slices.setFixedRowCount(1);
    QVERIFY(!slices.deleteRow(1));
    QVERIFY(!slices.deleteRow(0));
    QCOMPARE(slices.insertRow(0), 1);
    QCOMPARE(slices.rowCount(), 3);
    QVERIFY(slices.deleteRow(2));
    QVERIFY(!slices.deleteRow(5));
}

// A row keeps its texts in one buffer: rewrites, fills and copies from the row itself must
// never disturb the other cells, and however often cells are rewritten the row stays small.
void TestGraphDocument::rewrittenCellsKeepTheirNeighbours() {
    Grid grid(6, 2);
    QStringList expected(6);
    const auto check = [&grid, &expected] {
        for (int column = 0; column < 6; ++column)
            QCOMPARE(grid.cell(column, 1), expected.at(column));
    };
    grid.fillCells(1, 1, 4, u"same");
    expected[1] = expected[2] = expected[3] = expected[4] = u"same"_s;
    check();
    grid.setCell(2, 1, u"longer text"_s);
    grid.setCell(5, 1, u"end"_s);
    expected[2] = u"longer text"_s;
    expected[5] = u"end"_s;
    check();
    // A text taken from the row's own buffer, written while the buffer grows.
    grid.setCell(0, 1, grid.cellView(2, 1));
    grid.fillCells(3, 1, 2, grid.cellView(5, 1));
    expected[0] = u"longer text"_s;
    expected[3] = expected[4] = u"end"_s;
    check();
    for (int edit = 0; edit < 6000; ++edit)
        grid.setCell(edit % 6, 1, QString::number(edit));
    for (int column = 0; column < 6; ++column)
        expected[column] = QString::number(5994 + column);
    check();
    QVERIFY(std::abs(grid.cellView(0, 1).data() - grid.cellView(5, 1).data()) < 100);
    // Grids written in another order, or with empty cells written out, are still equal.
    Grid other(6, 2);
    for (int column = 7; column >= 0; --column)
        other.setCell(column, 1, column < 6 ? expected.at(column) : QString());
    QCOMPARE(other, grid);
    other.setCellColor(7, 1, std::nullopt);
    QCOMPARE(other, grid);
    other.setCellColor(7, 1, 0x10);
    QVERIFY(other != grid);
    // Colours set in any order, from the right or the left, land in their own cells only.
    Grid colored(6, 2);
    colored.setCellColor(4, 1, 0x40);
    colored.setCellColor(1, 1, 0x10);
    Grid leftFirst(6, 2);
    leftFirst.setCellColor(1, 1, 0x10);
    leftFirst.setCellColor(4, 1, 0x40);
    QCOMPARE(colored, leftFirst);
    for (const Grid* each : {&colored, &leftFirst}) {
        QCOMPARE(each->cellColor(1, 1), std::optional<WindowColor>(0x10));
        QCOMPARE(each->cellColor(4, 1), std::optional<WindowColor>(0x40));
        QCOMPARE(each->cellColor(2, 1), std::nullopt);
        QCOMPARE(each->cellColor(5, 1), std::nullopt);
    }
}

void TestGraphDocument::newSeriesDefaults() {
    Grid data(3, 2);
    Grid properties(9, 2);
    setNewSeriesDefaults(data, properties, 1, u"line"_s);
    const QStringList expected = {u"line"_s, u"0x000080"_s, u"80"_s, u"15"_s, u"YES"_s,
                                  u"NO"_s,   u"0xFFFFFF"_s, u"25"_s, u"10"_s};
    for (int column = 0; column < 9; ++column)
        QCOMPARE(properties.cell(column, 1), expected[column]);
    QCOMPARE(data.cell(DataType, 1), u"line"_s);
    QCOMPARE(data.cellColor(DataColor, 1), std::optional<WindowColor>(0x800000));
    QCOMPARE(properties.cellColor(PropColor, 1), std::optional<WindowColor>(0x800000));
    QCOMPARE(defaultNoteCell(1, 7), u"7"_s);
    QCOMPARE(defaultNoteCell(16, 1), u"0xffffff"_s);
}

void TestGraphDocument::encodedTextCheck() {
    QCOMPARE(checkEncodedText(u"Header"_s, u"Café €20 \"quoted\"\r\nnext"_s), std::nullopt);
    QCOMPARE(checkEncodedText(u"Header"_s, u"Up 5%"_s),
             u"\"Header\" cannot hold the character \"%\" (U+0025): it cannot be saved in a "
             "graph file."_s);
    QCOMPARE(checkEncodedText(u"Footer"_s, u"a\tb"_s),
             u"\"Footer\" cannot hold the character tab: it cannot be saved in a graph file."_s);
    QCOMPARE(checkEncodedText(u"x-Axis Title"_s, u"Ω"_s),
             u"\"x-Axis Title\" cannot hold the character \"Ω\" (U+03A9): graph files hold only "
             "Western European (Windows-1252) characters."_s);
}

void TestGraphDocument::documentTextCheckNamesTheCell() {
    GraphDocument document = samples::pieGraph(3);
    QCOMPARE(checkDocumentText(document), std::nullopt);
    document.pie.sgrdPieSlices.setCell(SliceLabel, 2, u"50%"_s);
    const auto message = checkDocumentText(document);
    QVERIFY(message);
    QVERIFY2(message->startsWith("\"Slice grid, column 1, row 2\""_L1), qPrintable(*message));
}

void TestGraphDocument::modelAnnouncesChanges() {
    QTemporaryDir dir;
    GraphDocumentModel model;
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    model.replace(samples::seriesGraph(2, 2));
    model.edit([](GraphDocument& document) { document.header.edtHeader = u"New"_s; });
    QCOMPARE(changed.count(), 2);
    QCOMPARE(model.document().header.edtHeader, u"New"_s);
    const QString path = dir.filePath(u"Slide0.txt"_s);
    QVERIFY(model.write(path).written());
    QCOMPARE(changed.count(), 2);
    // Filling an empty line width changes what the grid shows, so it is announced once.
    model.edit([](GraphDocument& document) {
        document.series.sgrdProp.setCell(PropLineWidth, 1, QString());
    });
    QVERIFY(model.write(path).written());
    QCOMPARE(changed.count(), 4);
    QCOMPARE(model.document().series.sgrdProp.cell(PropLineWidth, 1), u"10"_s);
    GraphDocumentModel other;
    QVERIFY(other.read(path));
    QCOMPARE(other.document().header.edtHeader, u"New"_s);
}

void TestGraphDocument::modelKeepsGraphWhenReadFails() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bad.tvx"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("&gt_=cbs&sr_=b&");
    file.close();
    GraphDocumentModel model;
    model.replace(samples::seriesGraph(2, 2));
    const GraphDocument before = model.document();
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    const GraphReadResult result = model.read(path);
    QVERIFY(!result);
    QCOMPARE(result.error, u"'a' is not a valid integer value"_s);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.document(), before);
}

QTEST_GUILESS_MAIN(TestGraphDocument)
#include "tst_graph_document.moc"
