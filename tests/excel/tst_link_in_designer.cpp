#include "../document/sample_graphs.h"
#include "../shell/shell_environment.h"
#include "controls/grids/string_align_grid.h"
#include "editing/series_data_page.h"
#include "excel/link_options_file.h"
#include "excel/widgets/excel_link_tab.h"
#include "shell/file_commands.h"
#include "shell/tfrm_lumara.h"
#include "workbook_fixtures.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tivora {

// The link options file as the main window opens and saves graphs, and an import from the
// "Excel Link" tab reaching the data page.
class TstLinkInDesigner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openReadsTheLinkBesideTheGraph();
    void saveWritesTheLinkBesideTheGraph();
    void reloadFillsTheDataPage();
    void openRefusesAPipeForTheLinkAtOnce();
    void liveReloadIsAUserSettingAndShowsInTheStatusBar();
};

namespace {

struct Designer {
    Designer() { window.show(); }

    ExcelLinkTab& tab() { return *window.findChild<ExcelLinkTab*>(); }
    // The page class has no meta-object of its own; it is found by its system name.
    SeriesDataPage& dataPage() {
        return *static_cast<SeriesDataPage*>(window.findChild<QWidget*>(u"TabBarData"_s));
    }
    QString graph(const QString& name, GraphDocument document) {
        return environment.writeGraph(name, std::move(document));
    }
    void open(const QString& path) {
        environment.dialogs.fileNames.push_back(path);
        window.fileCommands().Open1Click();
    }

    test::ShellEnvironment environment;
    TfrmLumara window;
};

excel::LinkOptions linkTo(const QString& workbook) {
    return test::linkRange(workbook, 3, u"A1"_s, u"B3"_s, true);
}

} // namespace

void TstLinkInDesigner::openReadsTheLinkBesideTheGraph() {
    Designer designer;
    const QString linked =
        designer.graph(u"linked.tvx"_s, test::ShellEnvironment::seriesGraph(2, 3));
    QCOMPARE(excel::writeLinkOptionsFile(linked, linkTo(u"<find>book.xlsx"_s)), std::nullopt);
    designer.open(linked);
    excel::LinkOptions expected = linkTo(designer.environment.folder() + u"book.xlsx"_s);
    QCOMPARE(designer.tab().options(), expected);
    // The link's sheet is there to choose, but a graph opens on its data grid.
    QVERIFY(designer.dataPage().PageControl3->isTabVisible(
        designer.dataPage().PageControl3->indexOf(&designer.tab())));
    QCOMPARE(designer.dataPage().PageControl3->currentWidget(), designer.dataPage().TabSheet1);
    // A pie graph leaves the link as it stands.
    designer.open(designer.graph(u"pie.tvx"_s, samples::pieGraph(3)));
    QCOMPARE(designer.window.model().document().baseType, u"pie"_s);
    QCOMPARE(designer.tab().options(), expected);
    // A series graph without an options file has no link.
    designer.open(designer.graph(u"plain.tvx"_s, test::ShellEnvironment::seriesGraph(2, 3)));
    QCOMPARE(designer.tab().options(), excel::LinkOptions());
    QVERIFY(!designer.dataPage().PageControl3->isTabVisible(
        designer.dataPage().PageControl3->indexOf(&designer.tab())));
}

void TstLinkInDesigner::saveWritesTheLinkBesideTheGraph() {
    Designer designer;
    const QString path = designer.graph(u"Q1.tvx"_s, test::ShellEnvironment::seriesGraph(2, 3));
    designer.open(path);
    QVERIFY(!QFile::exists(excel::linkOptionsPath(path)));
    QVERIFY(designer.window.fileCommands().mnuSaveClick());
    QCOMPARE(test::ShellEnvironment::contents(excel::linkOptionsPath(path)),
             QByteArray("&ExcelLink=NO&ExcelFile=&ExcelWorkSheet=1&RowFrom=&ColFrom=&RowTo=&ColTo="
                        "&ExcelOrient=ACCROSS&HeaderLine=NO&"));
    designer.tab().setOptions(linkTo(u"/books/a.xls"_s));
    QVERIFY(designer.window.fileCommands().mnuSaveClick());
    const auto read = excel::readLinkOptionsFile(path);
    QCOMPARE(std::get<std::optional<excel::LinkOptions>>(read), linkTo(u"/books/a.xls"_s));
}

void TstLinkInDesigner::reloadFillsTheDataPage() {
    Designer designer;
    QVERIFY(QFile::copy(test::fixture(u"calamine_issues.xlsx"_s),
                        designer.environment.folder() + u"book.xlsx"_s));
    const QString linked =
        designer.graph(u"linked.tvx"_s, test::ShellEnvironment::seriesGraph(1, 2));
    QCOMPARE(excel::writeLinkOptionsFile(linked, linkTo(u"<find>book.xlsx"_s)), std::nullopt);
    designer.open(linked);
    designer.environment.dialogs.take();
    designer.environment.dialogs.yesNoAnswers = {true};
    designer.tab().btnLoadExcel->click();
    QTRY_VERIFY(!designer.tab().readJob().running());
    QCOMPARE(
        designer.environment.dialogs.take(),
        QStringList({u"question: Adjust the Number of Columns and Series to fit the data?"_s}));
    const TStringAlignGrid& grid = *designer.dataPage().sgrdData;
    QCOMPARE(grid.grid().rowCount(), 3);
    QCOMPARE(grid.grid().columnCount(), 6);
    QCOMPARE(grid.cell(DataFirstValue + 2, 1), u"3"_s);
    QCOMPARE(grid.cell(DataFirstValue + 2, 2), u"c"_s);
    QCOMPARE(designer.window.model().document().series.edtCols, u"3"_s);
}

void TstLinkInDesigner::openRefusesAPipeForTheLinkAtOnce() {
    Designer designer;
    const QString graph = designer.graph(u"piped.tvx"_s, test::ShellEnvironment::seriesGraph(2, 3));
    const QString options = excel::linkOptionsPath(graph);
    QCOMPARE(::mkfifo(QFile::encodeName(options).constData(), 0600), 0);
    designer.environment.dialogs.take();
    // Nobody writes to the pipe: reading it would wait for ever.
    QElapsedTimer timer;
    timer.start();
    designer.open(graph);
    QVERIFY(timer.elapsed() < 10'000);
    const QStringList shown = designer.environment.dialogs.take();
    // The file dialog, then the one error.
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown.last().startsWith(u"error: "_s), qPrintable(shown.join(u'\n')));
    QVERIFY2(designer.environment.dialogs.details.join(u'\n').contains(
                 u"piped.TVO is not an ordinary file (it is a device, pipe or socket)."_s),
             qPrintable(designer.environment.dialogs.details.join(u'\n')));
}

void TstLinkInDesigner::liveReloadIsAUserSettingAndShowsInTheStatusBar() {
    test::ShellEnvironment environment;
    const QString book = environment.folder() + u"book.csv"_s;
    QVERIFY(test::writeFile(book, "a,b\n1,2\n3,4\n"));
    const QString linked =
        environment.writeGraph(u"linked.tvx"_s, test::ShellEnvironment::seriesGraph(2, 2));
    QCOMPARE(excel::writeLinkOptionsFile(
                 linked, test::linkRange(u"<find>book.csv"_s, 1, u"A1"_s, u"B3"_s, false, true)),
             std::nullopt);
    {
        TfrmLumara window;
        window.show();
        auto* live = window.findChild<ExcelLinkTab*>()->chkReloadOnChange;
        QVERIFY(!live->isChecked());
        live->click();
        QCOMPARE(test::ShellEnvironment::storedValue(u"ReloadOnWorkbookChange"_s), u"true"_s);
    }
    TfrmLumara window;
    window.show();
    ExcelLinkTab& tab = *window.findChild<ExcelLinkTab*>();
    QVERIFY(tab.chkReloadOnChange->isChecked());
    environment.dialogs.fileNames.push_back(linked);
    window.fileCommands().Open1Click();
    QVERIFY(test::writeFile(book, "a,b\n1,2\n3,44\n"));
    const Grid& grid = window.model().document().series.sgrdData;
    QTRY_COMPARE_WITH_TIMEOUT(grid.cell(DataFirstValue + 1, 2), u"44"_s, 5000);
    QVERIFY(window.statusBar()->currentMessage().startsWith(u"Data reloaded from book.csv at "_s));
    // The link options file keeps its format: the setting is not in it.
    QVERIFY(window.fileCommands().mnuSaveClick());
    const QByteArray saved = test::ShellEnvironment::contents(excel::linkOptionsPath(linked));
    QVERIFY(saved.startsWith("&ExcelLink=YES&ExcelFile="));
    QVERIFY(saved.endsWith("&ExcelOrient=ACCROSS&HeaderLine=YES&"));
    QVERIFY(!saved.contains("Reload"));
}

} // namespace tivora

QTEST_MAIN(tivora::TstLinkInDesigner)
#include "tst_link_in_designer.moc"
