#include "controls/grids/string_align_grid.h"
#include "controls/num_edit.h"
#include "document/grid_layouts.h"
#include "document/variable_text.h"
#include "editing/series_data_page.h"
#include "editing/series_rows.h"
#include "editing/tdlg_series_opt.h"
#include "editing_dialogs.h"
#include "option_dialog_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstSeriesDataPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsWithoutWritingBack();
    void countChangesKeepAndRestoreCells();
    void newSeriesTypeFollowsTheGraph();
    void countRetypedWaitsForANumber();
    void moveSwapsSeriesInBothGrids();
    void moveAtTheEndsDoesNothing();
    void stackedBarsSwitchTheGraphType();
    void gapIsWrittenFormattedOnLeaving();
    void gridClickAndCellEdits();
    void gridRefusesTextTheFileCannotHold();
    void doubleClickOpensTheSeriesOptions();
    void typeAndColourCellsTakeNoTyping();
    void cellThatIsNoNumberShowsRed();
    void innerPagesAndKeyboardOrder();
};

namespace {

GraphDocument sampleGraph(const QString& type = u"bar"_s) {
    GraphDocument document;
    document.graphType = type;
    document.baseType = type == u"sbar"_s ? u"bar"_s : type;
    document.series.edtSeries = u"3"_s;
    document.series.edtCols = u"2"_s;
    applySeriesCounts(document, 3, 2);
    document.series.sgrdData.setFixedColumnCount(2);
    Grid& data = document.series.sgrdData;
    for (int row = 1; row <= 3; ++row) {
        data.setCell(DataSeriesName, row, u"S%1"_s.arg(row));
        data.setCell(DataFirstValue, row, QString::number(row * 10));
        data.setCell(DataFirstValue + 1, row, QString::number(row * 100));
        document.series.sgrdProp.setCell(PropAlpha, row, QString::number(50 + row));
    }
    const auto red = TextToColor("0xFF0000");
    data.setCellColor(DataColor, 1, red);
    document.series.sgrdProp.setCellColor(PropColor, 1, red);
    document.series.sgrdProp.setCell(PropColor, 1, u"0xFF0000"_s);
    return document;
}

// Replaces the whole count text, as a user selecting it and typing over it does.
void typeCount(TNumEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

void TstSeriesDataPage::loadsWithoutWritingBack() {
    GraphDocumentModel model;
    SeriesDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    const GraphDocument graph = sampleGraph();
    model.replace(graph);

    QCOMPARE(changed.count(), 1);
    QVERIFY(model.document() == graph);
    QCOMPARE(page.edtSeries->text(), u"3"_s);
    QCOMPARE(page.edtCols->text(), u"2"_s);
    QCOMPARE(page.sgrdData->grid().columnCount(), 5);
    QCOMPARE(page.sgrdData->cell(DataSeriesName, 2), u"S2"_s);
    QCOMPARE(page.sgrdProp->cell(PropAlpha, 3), u"53"_s);
    QVERIFY(page.PageControl3->isTabVisible(0));
    QVERIFY(!page.PageControl3->isTabVisible(1));
}

void TstSeriesDataPage::countChangesKeepAndRestoreCells() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    typeCount(page.edtSeries, u"5"_s);
    QCOMPARE(changed.count(), 1);
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.edtSeries, u"5"_s);
    QCOMPARE(series.sgrdData.rowCount(), 6);
    QCOMPARE(series.sgrdProp.rowCount(), 6);
    for (int row : {4, 5}) {
        QCOMPARE(series.sgrdData.cell(DataType, row), u"bar"_s);
        QCOMPARE(series.sgrdProp.cell(PropColor, row), u"0x000080"_s);
        QCOMPARE(series.sgrdProp.cellColor(PropColor, row), TextToColor("0x000080"));
        QCOMPARE(series.sgrdData.cellColor(DataColor, row), TextToColor("0x000080"));
        QCOMPARE(series.sgrdProp.cell(PropValuesColor, row), u"0xFFFFFF"_s);
        QCOMPARE(series.sgrdProp.cell(PropLineWidth, row), u"10"_s);
    }
    QCOMPARE(page.sgrdData->grid().rowCount(), 6);

    const GraphDocument before = sampleGraph();
    typeCount(page.edtSeries, u"2"_s);
    typeCount(page.edtCols, u"1"_s);
    QCOMPARE(model.document().series.sgrdData.rowCount(), 3);
    QCOMPARE(model.document().series.sgrdData.columnCount(), 4);
    typeCount(page.edtSeries, u"3"_s);
    typeCount(page.edtCols, u"2"_s);
    QCOMPARE(changed.count(), 5);
    // Row 3 and column 4 come back exactly as they were, colours included.
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(model.document().series.sgrdData.cell(column, 3),
                 before.series.sgrdData.cell(column, 3));
    }
    QCOMPARE(model.document().series.sgrdData.cell(DataFirstValue + 1, 1), u"100"_s);
    QCOMPARE(model.document().series.sgrdProp.cell(PropAlpha, 3), u"53"_s);
    QCOMPARE(model.document().series.sgrdData.fixedColumnCount(), 2);

    // No series and no columns leave the title row and the three leading columns.
    typeCount(page.edtSeries, u"0"_s);
    typeCount(page.edtCols, u"0"_s);
    QCOMPARE(model.document().series.sgrdData.rowCount(), 1);
    QCOMPARE(model.document().series.sgrdData.columnCount(), 3);
}

void TstSeriesDataPage::newSeriesTypeFollowsTheGraph() {
    GraphDocument stacked = sampleGraph(u"sbar"_s);
    applySeriesCounts(stacked, 4, 2);
    QCOMPARE(stacked.series.sgrdProp.cell(PropType, 4), u"bar"_s);

    GraphDocument mixed = sampleGraph(u"bar"_s);
    mixed.baseType = u"line"_s;
    applySeriesCounts(mixed, 4, 2);
    QCOMPARE(mixed.series.sgrdData.cell(DataType, 4), u"line"_s);
    QCOMPARE(mixed.series.sgrdProp.cell(PropType, 4), u"line"_s);
}

void TstSeriesDataPage::countRetypedWaitsForANumber() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.edtSeries->selectAll();
    QTest::keyClick(page.edtSeries, Qt::Key_Backspace);
    QCOMPARE(page.edtSeries->text(), QString());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.document().series.edtSeries, u"3"_s);
    // Leaving the field empty brings the graph's count back.
    Q_EMIT page.edtSeries->exited();
    QCOMPARE(page.edtSeries->text(), u"3"_s);
    QCOMPARE(changed.count(), 0);
}

void TstSeriesDataPage::moveSwapsSeriesInBothGrids() {
    GraphDocumentModel model;
    GraphDocument graph = sampleGraph();
    // A cell beyond the column count belongs to its series and moves with it.
    graph.series.sgrdData.setCell(DataFirstValue + 5, 2, u"hidden"_s);
    model.replace(graph);
    SeriesDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.sgrdData->setCurrentCell(DataSeriesName, 2);
    page.btnDataUp->click();
    QCOMPARE(changed.count(), 1);
    const SeriesFields& series = model.document().series;
    QCOMPARE(series.sgrdData.cell(DataSeriesName, 1), u"S2"_s);
    QCOMPARE(series.sgrdData.cell(DataSeriesName, 2), u"S1"_s);
    QCOMPARE(series.sgrdData.cellColor(DataColor, 2), TextToColor("0xFF0000"));
    QCOMPARE(series.sgrdData.cellColor(DataColor, 1), TextToColor("0x000080"));
    QCOMPARE(series.sgrdProp.cell(PropColor, 2), u"0xFF0000"_s);
    QCOMPARE(series.sgrdProp.cell(PropAlpha, 1), u"52"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 5, 1), u"hidden"_s);
    QCOMPARE(page.sgrdData->currentRow(), 3);

    page.sgrdData->setCurrentCell(DataSeriesName, 1);
    page.btnDataDown->click();
    QCOMPARE(changed.count(), 2);
    QVERIFY(model.document().series == graph.series);
    QCOMPARE(page.sgrdData->currentRow(), 1);
}

void TstSeriesDataPage::moveAtTheEndsDoesNothing() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    const std::pair<QPushButton*, int> noMoves[] = {
        {page.btnDataUp, 0}, {page.btnDataUp, 1}, {page.btnDataDown, 0}, {page.btnDataDown, 3}};
    for (const auto& [button, row] : noMoves) {
        page.sgrdData->setCurrentCell(DataSeriesName, row);
        button->click();
    }
    QCOMPARE(changed.count(), 0);
    QVERIFY(model.document() == sampleGraph());
}

void TstSeriesDataPage::stackedBarsSwitchTheGraphType() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.chkStacked->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().graphType, u"sbar"_s);
    QCOMPARE(model.document().baseType, u"bar"_s);
    page.chkStacked->click();
    QCOMPARE(model.document().graphType, u"bar"_s);

    GraphDocument pie = sampleGraph();
    pie.graphType = pie.baseType = u"pie"_s;
    model.replace(pie);
    page.chkStacked->click();
    QCOMPARE(model.document().graphType, u"pie"_s);
}

void TstSeriesDataPage::gapIsWrittenFormattedOnLeaving() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    QTest::keyClicks(page.edtXGap, u"2.5"_s);
    QCOMPARE(changed.count(), 0);
    Q_EMIT page.edtXGap->exited();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().series.edtXGap, u"2.50"_s);

    page.chkASP->click();
    QCOMPARE(changed.count(), 2);
    QVERIFY(model.document().series.chkASP);
}

void TstSeriesDataPage::gridClickAndCellEdits() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    page.resize(360, 400);
    page.show();
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    const QModelIndex cell = page.sgrdData->model()->index(1, DataFirstValue);
    QTest::mouseClick(page.sgrdData->viewport(), Qt::LeftButton, {},
                      page.sgrdData->visualRect(cell).center());
    QCOMPARE(changed.count(), 1);
    QVERIFY(model.document() == sampleGraph());
    for (int column = 0; column < 5; ++column)
        QVERIFY(page.sgrdData->columnWidth(column) >= 20);

    page.sgrdData->model()->setData(cell, u"42"_s, Qt::EditRole);
    QCOMPARE(model.document().series.sgrdData.cell(DataFirstValue, 1), u"42"_s);
    QCOMPARE(changed.count(), 2);

    // While a graph is read, a click does nothing.
    model.edit([](GraphDocument& d) { d.loadingGraph = true; });
    const int before = int(changed.count());
    QTest::mouseClick(page.sgrdData->viewport(), Qt::LeftButton, {},
                      page.sgrdData->visualRect(cell).center());
    QCOMPARE(changed.count(), before);
}

void TstSeriesDataPage::gridRefusesTextTheFileCannotHold() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    page.resize(360, 400);
    page.show();
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.sgrdData->setCurrentCell(DataSeriesName, 2);
    page.sgrdData->edit(page.sgrdData->currentIndex());
    auto* editor = page.sgrdData->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(u"Growth 5%"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    // The item delegate commits the editor's text once the key event has been handled.
    QTRY_COMPARE(dialogs.messages.size(), 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.document().series.sgrdData.cell(DataSeriesName, 2), u"S2"_s);
    QVERIFY(page.sgrdData->isEditing());
}

void TstSeriesDataPage::doubleClickOpensTheSeriesOptions() {
    test::OptionFolder folder;
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(test::optionSeriesGraph());
    SeriesDataPage page(model);
    page.resize(400, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    int shownRow = 0;
    qsizetype changesWhileShown = 0;
    const auto seeRow = [&](QWidget*) {
        shownRow = page.dlgSeriesOpt->seriesRow();
        changesWhileShown = changed.count();
    };
    QWidget* opened = test::closeModalOpenedBy(
        [&] { test::doubleClickCell(page.sgrdData, DataFirstValue, 2); }, seeRow);
    QCOMPARE(opened, page.dlgSeriesOpt);
    QCOMPARE(shownRow, 2);
    // The double-click went to the dialog, not to the cell's editor; closing refreshed.
    QVERIFY(!page.sgrdData->isEditing());
    QCOMPARE(changed.count(), changesWhileShown + 1);
    QVERIFY(folder.sliceText().startsWith("&graphType=line&"));

    // The colour swatch of a series opens it too, and so does Alt+Enter.
    opened = test::closeModalOpenedBy([&] { test::doubleClickCell(page.sgrdData, DataColor, 3); },
                                      seeRow);
    QCOMPARE(opened, page.dlgSeriesOpt);
    QCOMPARE(shownRow, 3);
    page.sgrdData->setCurrentCell(DataSeriesName, 1);
    opened = test::closeModalOpenedBy(
        [&] { QTest::keyClick(page.sgrdData, Qt::Key_Return, Qt::AltModifier); }, seeRow);
    QCOMPARE(shownRow, 1);
    QCOMPARE(changed.count(), changesWhileShown + 1);

    // Enter on a series' name opens them, and so does the context-menu key on any cell; Enter on
    // a value keeps its usual meaning.
    page.sgrdData->setCurrentCell(DataSeriesName, 2);
    opened =
        test::closeModalOpenedBy([&] { QTest::keyClick(page.sgrdData, Qt::Key_Return); }, seeRow);
    QCOMPARE(opened, page.dlgSeriesOpt);
    QCOMPARE(shownRow, 2);
    page.sgrdData->setCurrentCell(DataFirstValue, 3);
    opened =
        test::closeModalOpenedBy([&] { QTest::keyClick(page.sgrdData, Qt::Key_Menu); }, seeRow);
    QCOMPARE(opened, page.dlgSeriesOpt);
    QCOMPARE(shownRow, 3);
    QCOMPARE(test::closeModalOpenedBy([&] { QTest::keyClick(page.sgrdData, Qt::Key_Enter); }),
             nullptr);

    // The title row has no options: a double-click edits its column label.
    opened =
        test::closeModalOpenedBy([&] { test::doubleClickCell(page.sgrdData, DataFirstValue, 0); });
    QCOMPARE(opened, nullptr);
    QVERIFY(page.sgrdData->isEditing());
}

void TstSeriesDataPage::typeAndColourCellsTakeNoTyping() {
    GraphDocumentModel model;
    GraphDocument graph = sampleGraph();
    // Even before a graph makes the first two columns fixed, they cannot be typed in.
    graph.series.sgrdData.setFixedColumnCount(0);
    model.replace(graph);
    SeriesDataPage page(model);
    const QAbstractItemModel* cells = page.sgrdData->model();
    QVERIFY(!(cells->flags(cells->index(1, DataColor)) & Qt::ItemIsEditable));
    QVERIFY(!(cells->flags(cells->index(1, DataType)) & Qt::ItemIsEditable));
    QVERIFY(cells->flags(cells->index(1, DataSeriesName)) & Qt::ItemIsEditable);
    page.sgrdData->setCurrentCell(DataColor, 2);
    QTest::keyClicks(page.sgrdData, u"0x00FF00"_s);
    QVERIFY(model.document() == graph);
}

void TstSeriesDataPage::cellThatIsNoNumberShowsRed() {
    GraphDocumentModel model;
    GraphDocument graph = sampleGraph();
    Grid& data = graph.series.sgrdData;
    data.setCell(DataFirstValue, 1, u"12a"_s);
    data.setCell(DataFirstValue + 1, 1, u"1,5"_s);
    data.setCell(DataFirstValue, 2, QString());
    data.setCell(DataFirstValue, 0, u"Jan"_s);
    model.replace(graph);
    SeriesDataPage page(model);
    const QAbstractItemModel* cells = page.sgrdData->model();
    const auto hint = [&](int column, int row) {
        return cells->index(row, column).data(Qt::ToolTipRole).toString();
    };
    QCOMPARE(hint(DataFirstValue, 1), u"Not a number: the graph leaves a gap here."_s);
    QVERIFY(cells->index(1, DataFirstValue).data(Qt::BackgroundRole).value<QColor>().red() >
            cells->index(1, DataFirstValue).data(Qt::BackgroundRole).value<QColor>().green());
    // A comma is read as the decimal point; empty cells and the column labels are no numbers
    // to begin with.
    QVERIFY(hint(DataFirstValue + 1, 1).isEmpty());
    QVERIFY(hint(DataFirstValue, 2).isEmpty());
    QVERIFY(hint(DataFirstValue, 0).isEmpty());
    QVERIFY(hint(DataSeriesName, 1).isEmpty());
    QVERIFY(!cells->index(2, DataFirstValue).data(Qt::BackgroundRole).isValid());

    // Mending the text takes the warning away.
    page.sgrdData->model()->setData(cells->index(1, DataFirstValue), u"12"_s, Qt::EditRole);
    QCOMPARE(model.document().series.sgrdData.cell(DataFirstValue, 1), u"12"_s);
    QVERIFY(hint(DataFirstValue, 1).isEmpty());
}

void TstSeriesDataPage::innerPagesAndKeyboardOrder() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    SeriesDataPage page(model);
    QCOMPARE(page.PageControl3->objectName(), u"PageControl3"_s);
    QCOMPARE(page.PageControl3->widget(0), page.TabSheet1);
    QCOMPARE(page.TabSheet1->objectName(), u"TabSheet1"_s);

    // The spreadsheet link's sheet comes after "Data" and "Properties"; a row added to "Data" is
    // next in the keyboard order after the ASP box.
    QCOMPARE(page.PageControl3->tabText(2), u"Excel Link"_s);
    auto* row = new QCheckBox(u"Extra row"_s);
    row->setObjectName(u"chkExtra"_s);
    page.addToDataSheet(row);
    page.resize(400, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    const QStringList expected = {u"edtSeries"_s, u"edtCols"_s,  u"edtXGap"_s,   u"chkStacked"_s,
                                  u"tabBar"_s,    u"sgrdData"_s, u"btnDataUp"_s, u"btnDataDown"_s,
                                  u"chkASP"_s,    u"chkExtra"_s};
    page.PageControl3->tabBar()->setObjectName(u"tabBar"_s);
    QCOMPARE(test::keyboardOrder(page.edtSeries, int(expected.size())), expected);
}

} // namespace tivora

QTEST_MAIN(tivora::TstSeriesDataPage)
#include "tst_series_data_page.moc"
