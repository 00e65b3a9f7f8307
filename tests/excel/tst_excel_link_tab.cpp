#include "../document/sample_graphs.h"
#include "../shell/scripted_dialogs.h"
#include "controls/grids/string_align_grid.h"
#include "controls/num_edit.h"
#include "document/graph_document_model.h"
#include "excel/range_import.h"
#include "excel/widgets/excel_link_tab.h"
#include "excel/workbook_file.h"
#include "workbook_fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace tivora {

class TstExcelLinkTab : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linkSwitchShowsTheTabAndReload();
    void tabGoesFieldToFieldAndScrollsAsTheEditingPagesDo();
    void orientationSwapsTheHeaderCaption();
    void rangeFieldsTakeWhatASpreadsheetNames();
    void choosingTheWorkbook();
    void loadNowAndReloadImport();
    void failedImportShowsOneErrorAndChangesNothing();
    void theReadRunsOffTheWindowThreadAndCancels();
    void escapeCancelsTheRead();
    void aChangedWorkbookReloadsAsOneStep();
    void aHalfWrittenWorkbookIsRetriedNeverHalfImported();
    void noReloadUnlessTicked();
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
    // Presses button and waits for the workbook read it starts to end.
    void load(QPushButton* button) {
        button->click();
        QTRY_VERIFY(!tab->readJob().running());
    }
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

// A reader that holds on until it is stopped, as a hostile workbook would, and tells on which
// thread it ran and whether it was stopped.
struct StallingReader {
    std::atomic<bool> stopped = false;
    std::atomic<bool> offWindowThread = false;

    excel::RangeReadJob::Reader reader() {
        return [this](const excel::LinkOptions&, std::stop_token stop) {
            offWindowThread = QThread::currentThread() != qApp->thread();
            for (int wait = 0; wait < 2000 && !stop.stop_requested(); ++wait)
                QThread::msleep(5);
            stopped = stop.stop_requested();
            return excel::RangeReadJob::Result(excel::ImportFailure{u"stalled"_s, QString()});
        };
    }
};

// Replaces the file at path as an editor saves: a new file renamed over the old one.
bool saveByRename(const QString& path, const QByteArray& bytes) {
    const QString temporary = path + u".saving"_s;
    return test::writeFile(temporary, bytes) && ::rename(QFile::encodeName(temporary).constData(),
                                                         QFile::encodeName(path).constData()) == 0;
}

// A linked page whose range is A1:B2 of a .csv workbook in folder, reloading on change.
struct LivePage : LinkPage {
    explicit LivePage(const QString& folder)
        : path(folder + u"/live.csv"_s) {
        test::writeFile(path, "1,2\n3,4\n");
        tab->chkLinkExcel->click();
        setRange(path, 1, u"A1"_s, u"B2"_s);
        dialogs.yesNoAnswers = {true};
        load(tab->btnLoadNow);
        dialogs.take();
        tab->chkReloadOnChange->click();
    }
    QString value(int column, int row) const {
        return model.document().series.sgrdData.cell(DataFirstValue + column, row);
    }

    QString path;
    QSignalSpy messages{tab, &ExcelLinkTab::statusMessage};
};

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

void TstExcelLinkTab::tabGoesFieldToFieldAndScrollsAsTheEditingPagesDo() {
    LinkPage page;
    page.tab->chkLinkExcel->click();
    page.pages.resize(240, 150);
    page.pages.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page.pages));
    auto* scroll = page.tab->findChild<QScrollArea*>();
    QVERIFY(scroll);
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    page.tab->edtExcelFile->setFocus();
    QCOMPARE(scroll->verticalScrollBar()->value(), 0);
    for (int step = 0; step < 20 && QApplication::focusWidget() != page.tab->chkReloadOnChange;
         ++step) {
        QVERIFY(!qobject_cast<QScrollArea*>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), page.tab->chkReloadOnChange);
    QVERIFY(scroll->verticalScrollBar()->value() > 0);
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
                          u"(*.xls *.xlsx *.ods *.csv)"_s}));
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
    page.load(page.tab->btnLoadNow);
    QCOMPARE(
        page.dialogs.take(),
        QStringList({u"question: Adjust the Number of Columns and Series to fit the data?"_s}));
    const SeriesFields& series = page.model.document().series;
    QCOMPARE(series.edtSeries, u"3"_s);
    QCOMPARE(series.sgrdData.cell(DataFirstValue + 1, 3), u"c"_s);
    // "Reload Data" runs the same import; the counts now fit, so nothing is asked.
    page.model.edit([](GraphDocument& d) { d.series.sgrdData.setCell(DataFirstValue, 1, u"x"_s); });
    page.load(page.tab->btnLoadExcel);
    QVERIFY(page.dialogs.take().isEmpty());
    QCOMPARE(series.sgrdData.cell(DataFirstValue, 1), u"1"_s);
}

void TstExcelLinkTab::failedImportShowsOneErrorAndChangesNothing() {
    LinkPage page;
    const GraphDocument before = page.model.document();
    QSignalSpy changes(&page.model, &GraphDocumentModel::changed);
    page.load(page.tab->btnLoadNow);
    QCOMPARE(page.dialogs.take(),
             QStringList({u"error: Please select an Excel file to link to."_s}));
    page.setRange(kIssues, 9, u"A1"_s, u"B3"_s);
    page.load(page.tab->btnLoadNow);
    QCOMPARE(
        page.dialogs.take(),
        QStringList({u"error: Worksheet 9 does not exist: the workbook has 6 worksheet(s)."_s}));
    page.setRange(u"/no/such.xlsx"_s, 1, u"A1"_s, u"B3"_s);
    page.load(page.tab->btnLoadNow);
    QCOMPARE(page.dialogs.take(),
             QStringList({u"error: "_s + QString::fromLatin1(excel::workbook_error::kMissing)}));
    QCOMPARE(page.dialogs.details, QStringList({u"/no/such.xlsx"_s}));
    QCOMPARE(changes.size(), 0);
    QVERIFY(page.model.document() == before);
}

void TstExcelLinkTab::theReadRunsOffTheWindowThreadAndCancels() {
    LinkPage page;
    const GraphDocument before = page.model.document();
    StallingReader stalling;
    page.tab->readJob().setReader(stalling.reader());
    page.setRange(kIssues, 1, u"A1"_s, u"B3"_s);
    page.tab->btnLoadNow->click();
    // The window answers while the workbook is read: its timers fire, and the progress shows.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&ticks] { ++ticks; });
    timer.start(10);
    QTRY_VERIFY(page.tab->readProgress() && page.tab->readProgress()->isVisible());
    QVERIFY(ticks >= 3);
    QVERIFY(page.tab->readJob().running());
    QVERIFY(stalling.offWindowThread);
    auto* cancel = page.tab->readProgress()->findChild<QPushButton*>();
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), u"Cancel"_s);
    cancel->click();
    QVERIFY(!page.tab->readProgress());
    QTRY_VERIFY(stalling.stopped);
    QVERIFY(!page.tab->readJob().running());
    // A cancelled read changes nothing and shows no message, even once its thread has ended.
    QTest::qWait(50);
    QVERIFY(page.dialogs.take().isEmpty());
    QVERIFY(page.model.document() == before);
    // The next read is a fresh one.
    page.tab->readJob().setReader(
        excel::RangeReadJob::Reader([](const excel::LinkOptions& options, std::stop_token stop) {
            return excel::RangeImport::read(options, std::move(stop));
        }));
    page.dialogs.yesNoAnswers = {false};
    page.load(page.tab->btnLoadNow);
    QCOMPARE(page.model.document().series.sgrdData.cell(DataFirstValue, 1), u"1"_s);
}

void TstExcelLinkTab::escapeCancelsTheRead() {
    LinkPage page;
    StallingReader stalling;
    page.tab->readJob().setReader(stalling.reader());
    page.tab->btnLoadNow->click();
    QTRY_VERIFY(page.tab->readProgress() && page.tab->readProgress()->isVisible());
    QTest::keyClick(page.tab->readProgress(), Qt::Key_Escape);
    QTRY_VERIFY(stalling.stopped);
    QVERIFY(!page.tab->readProgress());
    QVERIFY(page.dialogs.take().isEmpty());
}

void TstExcelLinkTab::aChangedWorkbookReloadsAsOneStep() {
    QTemporaryDir folder;
    LivePage page(folder.path());
    QCOMPARE(page.value(1, 2), u"4"_s);
    QVERIFY(saveByRename(page.path, "1,2\n3,40\n"));
    QTRY_COMPARE_WITH_TIMEOUT(page.value(1, 2), u"40"_s, 5000);
    QCOMPARE(page.messages.size(), 1);
    QVERIFY(page.messages[0][0].toString().startsWith(u"Data reloaded from live.csv at "_s));
    // Written in place the same way.
    QVERIFY(test::writeFile(page.path, "1,2\n3,400\n"));
    QTRY_COMPARE_WITH_TIMEOUT(page.value(1, 2), u"400"_s, 5000);
    // Each reload is one step of the undo history.
    QVERIFY(page.model.undo());
    QCOMPARE(page.value(1, 2), u"40"_s);
    QVERIFY(page.model.undo());
    QCOMPARE(page.value(1, 2), u"4"_s);
}

void TstExcelLinkTab::aHalfWrittenWorkbookIsRetriedNeverHalfImported() {
    QTemporaryDir folder;
    LivePage page(folder.path());
    const QString book = folder.filePath(u"live.xlsx"_s);
    const QByteArray whole =
        test::xlsxWorkbook({u"<row r=\"1\"><c><v>7</v></c><c><v>8</v></c></row>"
                            u"<row r=\"2\"><c><v>9</v></c><c><v>10</v></c></row>"_s});
    QVERIFY(test::writeFile(book, whole.left(whole.size() / 2)));
    page.setRange(book, 1, u"A1"_s, u"B2"_s);
    const GraphDocument before = page.model.document();
    // The cut file is retried until it is whole; nothing of it goes in meanwhile.
    QVERIFY(test::writeFile(book, whole.left(whole.size() / 2 + 1)));
    QTest::qWait(900);
    QVERIFY(page.model.document() == before);
    QVERIFY(page.messages.isEmpty());
    QVERIFY(test::writeFile(book, whole));
    QTRY_COMPARE_WITH_TIMEOUT(page.value(1, 2), u"10"_s, 5000);
    QCOMPARE(page.value(0, 1), u"7"_s);
    // A workbook that stays unreadable is given up with a word in the status bar.
    page.messages.clear();
    QVERIFY(test::writeFile(book, "PK\x03\x04 cut"));
    QTRY_COMPARE_WITH_TIMEOUT(page.messages.size(), 1, 8000);
    QVERIFY(
        page.messages[0][0].toString().startsWith(u"live.xlsx changed but could not be read: "_s));
    QCOMPARE(page.value(1, 2), u"10"_s);
}

void TstExcelLinkTab::noReloadUnlessTicked() {
    QTemporaryDir folder;
    LivePage page(folder.path());
    QVERIFY(!LinkPage().tab->chkReloadOnChange->isChecked());
    page.tab->chkReloadOnChange->click();
    QVERIFY(saveByRename(page.path, "5,6\n7,8\n"));
    QTest::qWait(800);
    QCOMPARE(page.value(1, 2), u"4"_s);
    // Nor into a pie graph, which takes no linked data.
    page.tab->chkReloadOnChange->click();
    page.model.edit([](GraphDocument& document) { document.graphType = u"pie"_s; });
    QVERIFY(saveByRename(page.path, "5,6\n7,9\n"));
    QTest::qWait(800);
    QCOMPARE(page.value(1, 2), u"4"_s);
    page.model.edit([](GraphDocument& document) { document.graphType = u"bar"_s; });
    // Nor when the link is switched off.
    page.tab->chkLinkExcel->click();
    QVERIFY(saveByRename(page.path, "5,6\n7,80\n"));
    QTest::qWait(800);
    QCOMPARE(page.value(1, 2), u"4"_s);
    QVERIFY(page.messages.isEmpty());
}

} // namespace tivora

QTEST_MAIN(tivora::TstExcelLinkTab)
#include "tst_excel_link_tab.moc"
