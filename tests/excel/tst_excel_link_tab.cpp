#include "../document/sample_graphs.h"
#include "../shell/scripted_dialogs.h"
#include "controls/num_edit.h"
#include "controls/string_align_grid.h"
#include "document/graph_document_model.h"
#include "excel/range_import.h"
#include "excel/widgets/excel_link_tab.h"
#include "excel/workbook_file.h"
#include "workbook_fixtures.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstExcelLinkTab : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linkSwitchShowsTheTabAndReload();
    void orientationSwapsTheHeaderCaption();
    void rangeFieldsTakeWhatASpreadsheetNames();
    void choosingTheWorkbook();
    void loadNowAndReloadImport();
    void failedImportShowsOneErrorAndChangesNothing();
};

namespace {

// The tab on a page control beside a "Data" page, as the series data page holds it.
struct LinkPage {
    LinkPage() {
        QStandardPaths::setTestModeEnabled(true); // the workbook chooser remembers its folder
        model.replace(samples::seriesGraph(2, 2));
        grid.setGrid(model.document().series.sgrdData);
        pages.addTab(new QWidget, u"Data"_s);
        tab->placeOn(pages);
        pages.show();
    }
    bool tabShown() const { return pages.isTabVisible(pages.indexOf(tab)); }
    // The range between first and last of worksheet sheet in workbook, the rest kept.
    void setRange(const QString& workbook, int sheet, const QString& first, const QString& last) {
        excel::LinkOptions options = test::linkRange(workbook, sheet, first, last);
        options.excelLink = tab->options().excelLink;
        tab->setOptions(options);
    }

    test::ScriptedDialogs dialogs;
    GraphDocumentModel model;
    TStringAlignGrid grid;
    QTabWidget pages;
    ExcelLinkTab* tab = new ExcelLinkTab(model, grid);
};

const QString kIssues = test::fixture(u"calamine_issues.xlsx"_s);

} // namespace

void TstExcelLinkTab::linkSwitchShowsTheTabAndReload() {
    LinkPage page;
    QVERIFY(!page.tabShown());
    QVERIFY(!page.tab->btnLoadExcel->isVisibleTo(page.tab->linkBar()->parentWidget()));
    QCOMPARE(page.pages.currentIndex(), 0);
    page.tab->chkLinkExcel->click();
    QVERIFY(page.tabShown());
    QCOMPARE(page.pages.currentWidget(), page.tab);
    QVERIFY(page.tab->btnLoadExcel->isVisibleTo(page.tab->linkBar()));
    page.pages.setCurrentIndex(0);
    page.tab->chkLinkExcel->click();
    QVERIFY(!page.tabShown());
    QVERIFY(!page.tab->btnLoadExcel->isVisibleTo(page.tab->linkBar()));
    // Settings read from a file react the same way.
    excel::LinkOptions options;
    options.excelLink = true;
    page.tab->setOptions(options);
    QVERIFY(page.tabShown());
    QCOMPARE(page.pages.currentWidget(), page.tab);
    page.tab->setOptions(excel::LinkOptions());
    QVERIFY(!page.tabShown());
}

void TstExcelLinkTab::orientationSwapsTheHeaderCaption() {
    LinkPage page;
    QVERIFY(page.tab->rdoAccross->isChecked());
    QCOMPARE(page.tab->chkHeaders->text(), u"Top Line of import is column headers"_s);
    page.tab->chkHeaders->setChecked(true);
    page.tab->rdoDown->click();
    QCOMPARE(page.tab->chkHeaders->text(), u"First Column of import is column headers"_s);
    QVERIFY(page.tab->chkHeaders->isChecked());
    QVERIFY(page.tab->options().down);
    page.tab->rdoAccross->click();
    QCOMPARE(page.tab->chkHeaders->text(), u"Top Line of import is column headers"_s);
    excel::LinkOptions down;
    down.down = true;
    page.tab->setOptions(down);
    QCOMPARE(page.tab->chkHeaders->text(), u"First Column of import is column headers"_s);
    QVERIFY(!page.tab->chkHeaders->isChecked());
}

void TstExcelLinkTab::rangeFieldsTakeWhatASpreadsheetNames() {
    LinkPage page;
    page.tab->edtRow1->setFocus();
    QTest::keyClicks(page.tab->edtRow1, u"ab1&c"_s);
    QCOMPARE(page.tab->edtRow1->text(), u"ABC"_s);
    QTest::keyClicks(page.tab->edtCol1, u"1x5"_s);
    QCOMPARE(page.tab->edtCol1->text(), u"15"_s);
    QCOMPARE(page.tab->options().rowFrom, u"ABC"_s);
    QCOMPARE(page.tab->options().colFrom, u"15"_s);
    QCOMPARE(page.tab->options().workSheet, u"1"_s);
    excel::LinkOptions options;
    options.excelLink = true;
    options.excelFile = u"/books/a.xls"_s;
    options.workSheet = u"2"_s;
    options.rowFrom = u"B"_s;
    options.colFrom = u"3"_s;
    options.rowTo = u"D"_s;
    options.colTo = u"9"_s;
    options.down = true;
    options.headerLine = true;
    page.tab->setOptions(options);
    QCOMPARE(page.tab->options(), options);
}

void TstExcelLinkTab::choosingTheWorkbook() {
    LinkPage page;
    page.tab->edtExcelFile->setText(u"/books/old.xls"_s);
    page.dialogs.fileNames = {u"/books/Sales.XLSX"_s, QString(), u"/R&D/plan.ods"_s,
                              u"/д/plan.ods"_s};
    page.tab->btnExcelFIle->click();
    QCOMPARE(page.dialogs.take(),
             QStringList({u"open: Select Microsoft Excel File Microsoft Excel files "
                          u"(*.xls *.xlsx *.ods)"_s}));
    QCOMPARE(page.dialogs.startFolders, QStringList({u"/books"_s}));
    QCOMPARE(page.tab->edtExcelFile->text(), u"/books/Sales.XLSX"_s);
    QVERIFY(page.tab->edtExcelFile->isReadOnly());
    // Cancel changes nothing.
    page.tab->btnExcelFIle->click();
    QCOMPARE(page.tab->edtExcelFile->text(), u"/books/Sales.XLSX"_s);
    // Paths the options file cannot keep are refused with a message.
    page.dialogs.take();
    page.tab->btnExcelFIle->click();
    page.tab->btnExcelFIle->click();
    const QStringList shown = page.dialogs.take();
    QCOMPARE(shown.size(), 4);
    QVERIFY(shown[1].startsWith(u"error: The workbook's path holds an \"&\""_s));
    QVERIFY(shown[3].startsWith(u"error: The workbook's path holds the character \"д\""_s));
    QCOMPARE(page.tab->edtExcelFile->text(), u"/books/Sales.XLSX"_s);
}

void TstExcelLinkTab::loadNowAndReloadImport() {
    LinkPage page;
    page.tab->chkLinkExcel->click();
    page.setRange(kIssues, 3, u"A1"_s, u"B3"_s);
    page.dialogs.yesNoAnswers = {true};
    page.tab->btnLoadNow->click();
    QCOMPARE(
        page.dialogs.take(),
        QStringList({u"question: Adjust the Number of Columns and Series to fit the data?"_s}));
    const SeriesFields& series = page.model.document().series;
    QCOMPARE(series.edtSeries, u"3"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 1, 3), u"c"_s);
    // "Reload Data" runs the same import; the counts now fit, so nothing is asked.
    page.model.edit([](GraphDocument& d) { d.series.sgrdData.setCell(DataFirstValue, 1, u"x"_s); });
    page.tab->btnLoadExcel->click();
    QVERIFY(page.dialogs.take().isEmpty());
    QCOMPARE(series.sgrdData.cell(DataFirstValue, 1), u"1"_s);
}

void TstExcelLinkTab::failedImportShowsOneErrorAndChangesNothing() {
    LinkPage page;
    const GraphDocument before = page.model.document();
    QSignalSpy changes(&page.model, &GraphDocumentModel::changed);
    page.tab->btnLoadNow->click();
    QCOMPARE(page.dialogs.take(),
             QStringList({u"error: Please select an Excel file to link to."_s}));
    page.setRange(kIssues, 9, u"A1"_s, u"B3"_s);
    page.tab->btnLoadNow->click();
    QCOMPARE(
        page.dialogs.take(),
        QStringList({u"error: Worksheet 9 does not exist: the workbook has 6 worksheet(s)."_s}));
    page.setRange(u"/no/such.xlsx"_s, 1, u"A1"_s, u"B3"_s);
    page.tab->btnLoadNow->click();
    QCOMPARE(page.dialogs.take(),
             QStringList({u"error: "_s + QString::fromLatin1(excel::workbook_error::kMissing)}));
    QCOMPARE(page.dialogs.details, QStringList({u"/no/such.xlsx"_s}));
    QCOMPARE(changes.size(), 0);
    QVERIFY(page.model.document() == before);
}

} // namespace tivora

QTEST_MAIN(tivora::TstExcelLinkTab)
#include "tst_excel_link_tab.moc"
