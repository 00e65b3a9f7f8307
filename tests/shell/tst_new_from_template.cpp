#include "document/graph_content.h"
#include "document/graph_text_reader.h"
#include "document/grid_layouts.h"
#include "document/program_folder.h"
#include "editing/tdlg_add_graph.h"
#include "editing/template_picture.h"
#include "engine/render/render.h"
#include "shell/file_commands.h"
#include "shell/main_menu.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

struct Designer {
    Designer() { window.show(); }

    const GraphDocument& document() { return window.model().document(); }
    // Writes a bar graph into the test folder, opens it with "&Open" and gives its path.
    QString openGraph(const QString& name, int seriesCount, int columnCount) {
        QString path = environment.writeGraph(
            name, test::ShellEnvironment::seriesGraph(seriesCount, columnCount));
        environment.dialogs.fileNames.push_back(path);
        window.fileCommands().Open1Click();
        environment.dialogs.take();
        return path;
    }
    // Chooses the picture named panel in the window's own New Graph dialog through "&New".
    void newFrom(const QString& panel) {
        auto* dialog = window.findChild<TdlgAddGraph*>();
        QTimer::singleShot(0, dialog, [dialog, panel] {
            QTest::mouseClick(dialog->findChild<TemplatePicture*>(panel), Qt::LeftButton);
            if (dialog->isVisible())
                dialog->reject();
        });
        window.menu().mnuNew->trigger();
    }
    QStringList shownPages() {
        QStringList pages;
        for (int index = 0; index < window.pageControl1->count(); ++index) {
            if (window.pageControl1->isTabVisible(index))
                pages.append(window.pageControl1->widget(index)->objectName());
        }
        return pages;
    }
    template <typename Widget> Widget* control(const QString& name) {
        Widget* widget = window.findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    void leaveWith(const QString& field, const QString& text) {
        auto* edit = control<QLineEdit>(field);
        edit->setText(text);
        Q_EMIT edit->editingFinished();
    }
    void moveSlider(const QString& name) {
        auto* slider = control<QAbstractSlider>(name);
        slider->setValue(slider->value() == slider->maximum() ? slider->minimum()
                                                              : slider->maximum());
    }
    void addNote() {
        QTimer::singleShot(0, &window, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        control<QPushButton>(u"btnAddNote"_s)->click();
    }
    // Changes one value with the controls of page.
    void changeOn(const QString& page) {
        if (page == u"TabType"_s)
            leaveWith(u"edtHeader"_s, u"Changed header"_s);
        else if (page == u"TabBarData"_s)
            control<QCheckBox>(u"chkASP"_s)->click();
        else if (page == u"TabXAxis"_s)
            leaveWith(u"edtXTitle"_s, u"Changed x"_s);
        else if (page == u"TabYAxis"_s)
            leaveWith(u"edtYTitle"_s, u"Changed y"_s);
        else if (page == u"TabPieData"_s)
            control<QCheckBox>(u"chkPieASP"_s)->click();
        else if (page == u"TabSize"_s)
            moveSlider(u"trkScaleGraph"_s);
        else if (page == u"TabPieEffects"_s)
            moveSlider(u"trkShadowAlpha"_s);
        else if (page == u"TabBarEffects"_s)
            moveSlider(u"sbShading"_s);
        else if (page == u"TabAnnotation"_s && document().notes.edtNotes.toInt() > 0)
            moveSlider(u"sbNX"_s);
        else if (page == u"TabAnnotation"_s)
            addNote();
        else
            qFatal("no change known for page %s", qPrintable(page));
    }

    test::ShellEnvironment environment;
    TfrmLumara window;
};

} // namespace

class NewFromTemplateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTemplateMakesAGraphThatSavesAndReopens_data() {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("baseType");
        const std::tuple<const char*, const char*, const char*> templates[] = {
            {"Image1", "blank.dat", "bar"},          {"Image4", "blankl.dat", "line"},
            {"Image3", "blankA.dat", "area"},        {"Image2", "blankPie.dat", "pie"},
            {"pnlTemp1", "P_3Bar.dat", "bar"},       {"pnlTemp2", "P_3BarStack.dat", "sbar"},
            {"pnlTemp3", "P_3LineNote.dat", "line"}, {"pnlTemp4", "P_3StackLine.dat", "sbar"},
            {"pnlSample1", "T_Excel.dat", "bar"},    {"pnlSample2", "T_Combo2.dat", "area"},
            {"pnlSample3", "T_Combo4.dat", "bar"},   {"pnlSample4", "T_Pie.dat", "pie"}};
        for (const auto& [panel, file, type] : templates)
            QTest::newRow(file) << QString::fromLatin1(panel) << QString::fromLatin1(file)
                                << QString::fromLatin1(type);
    }
    void everyTemplateMakesAGraphThatSavesAndReopens() {
        QFETCH(QString, panel);
        QFETCH(QString, file);
        QFETCH(QString, baseType);
        Designer designer;
        // Templates come from the program folder, whatever the current folder is.
        QTemporaryDir elsewhere;
        const QString startFolder = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        designer.newFrom(panel);
        QDir::setCurrent(startFolder);

        QCOMPARE(designer.environment.dialogs.take(), QStringList());
        QCOMPARE(designer.window.title(), u"Tivora Designer - New File"_s);
        QCOMPARE(designer.document().templateFile, u"Data/"_s + file);
        QVERIFY(designer.document().currentFileName.isEmpty());
        QCOMPARE(designer.document().baseType, baseType);
        QVERIFY(!designer.window.menu().mnuSave->isEnabled());
        QVERIFY(designer.window.pageControl1->isVisible());
        // The preview draws the new graph.
        QVERIFY(!designer.document().graphIncomplete);
        QVERIFY(QFile::exists(programDataPath(u"Slide0.txt"_s)));
        // A template is a clean start: there is nothing to undo and nothing to save.
        QVERIFY(!designer.window.menu().mnuUndo->isEnabled());

        for (const QString& page : designer.shownPages()) {
            const GraphDocument before = designer.document();
            designer.window.pageControl1->setCurrentWidget(
                designer.window.findChild<QWidget*>(page));
            designer.changeOn(page);
            QVERIFY2(!sameContent(before, designer.document()), qPrintable(page));
        }

        const QString saved = designer.environment.folder() + u"mine.TVX"_s;
        designer.environment.dialogs.fileNames.push_back(saved);
        QVERIFY(designer.window.fileCommands().mnuSaveAsClick());
        GraphDocument reread;
        QVERIFY(ReadGraphFile(reread, saved));
        QVERIFY(sameContent(reread, designer.document()));
        QVERIFY(!engine::renderImage(saved, {}).isNull());
        // The template itself is untouched.
        GraphDocument pristine;
        QVERIFY(ReadGraphFile(pristine, programDataPath(file)));
        QVERIFY(!sameContent(pristine, reread));
    }

    void newAsksAboutUnsavedChangesBeforeTheDialog() {
        Designer designer;
        int dialogsShown = 0;
        designer.window.fileCommands().setTemplateChooser([&]() -> QString {
            ++dialogsShown;
            return u"Data/T_Combo4.dat"_s;
        });
        designer.window.fileCommands().mnuNewClick();
        designer.leaveWith(u"edtHeader"_s, u"Unsaved"_s);
        designer.environment.dialogs.take();
        designer.environment.dialogs.yesNoCancelAnswers.push_back(Dialogs::Answer::Cancel);
        designer.window.fileCommands().mnuNewClick();
        QCOMPARE(designer.environment.dialogs.take(),
                 QStringList{
                     u"question: The graph has been changed.  Do you want to save the changes?"_s});
        QCOMPARE(dialogsShown, 1);
        QCOMPARE(designer.document().header.edtHeader, u"Unsaved"_s);
    }

    void newFitsTheSeriesGridColumns() {
        Designer designer;
        designer.window.fileCommands().setTemplateChooser([] { return u"Data/T_Excel.dat"_s; });
        auto* data = designer.window.findChild<QTableView*>(u"sgrdData"_s);
        for (int column = 0; column < data->model()->columnCount(); ++column)
            data->setColumnWidth(column, 3);
        designer.window.fileCommands().mnuNewClick();
        // The series names are wider than three pixels once fitted.
        QVERIFY(data->columnWidth(DataSeriesName) > 20);
    }

    // Raising a count of a new graph shows new, empty rows and columns, never those of the graph
    // opened before.
    void raisingACountShowsNothingOfThePreviousGraph() {
        Designer designer;
        designer.openGraph(u"big.TVX"_s, 6, 30);
        designer.newFrom(u"pnlTemp1"_s);
        QCOMPARE(designer.document().series.edtSeries, u"3"_s);
        const int columns = designer.document().series.edtCols.toInt();
        QVERIFY(columns < 30);

        designer.control<QLineEdit>(u"edtSeries"_s)->setText(u"6"_s);
        designer.control<QLineEdit>(u"edtCols"_s)->setText(u"30"_s);
        const SeriesFields& series = designer.document().series;
        QCOMPARE(series.sgrdData.rowCount(), 7);
        for (int row = 4; row <= 6; ++row) {
            QCOMPARE(series.sgrdData.cell(DataSeriesName, row), QString());
            QCOMPARE(series.sgrdProp.cell(PropColor, row), u"0x000080"_s);
            QCOMPARE(series.sgrdProp.cell(PropAlpha, row), u"80"_s);
        }
        for (int row = 0; row <= 6; ++row) {
            for (int column = DataFirstValue + (row <= 3 ? columns : 0); column < 33; ++column)
                QVERIFY2(series.sgrdData.cell(column, row).isEmpty(),
                         qPrintable(u"%1, %2"_s.arg(column).arg(row)));
        }
        // The grid on the screen shows the same.
        auto* grid = designer.control<QTableView>(u"sgrdData"_s);
        QCOMPARE(grid->model()->index(5, DataSeriesName).data().toString(), QString());
    }

    // A template whose link options cannot be read is not made the open graph: its name, and
    // with it a Save into the Data folder, never take the open graph's place.
    void aTemplateWhoseLinkOptionsCannotBeReadKeepsTheGraph() {
        Designer designer;
        const QString path = designer.openGraph(u"kept.TVX"_s, 2, 4);
        const GraphDocument before = designer.document();
        const QString templatePath = programDataPath(u"P_3Bar.dat"_s);
        const QByteArray templateBytes = test::ShellEnvironment::contents(templatePath);
        QVERIFY(QDir().mkpath(programDataPath(u"P_3Bar.TVO"_s)));

        designer.newFrom(u"pnlTemp1"_s);
        QCOMPARE(designer.environment.dialogs.take(),
                 QStringList{u"error: File Corrupt or error loading details from file"_s});
        QCOMPARE(designer.window.title(), u"Tivora Designer - kept.TVX"_s);
        QCOMPARE(designer.document().currentFileName, path);
        QVERIFY(sameContent(designer.document(), before));
        QVERIFY(designer.window.menu().mnuSave->isEnabled());
        QCOMPARE(designer.document().baseType, u"bar"_s);
        QCOMPARE(designer.document().series.edtSeries, u"2"_s);

        QVERIFY(designer.window.fileCommands().mnuSaveClick());
        QCOMPARE(test::ShellEnvironment::contents(templatePath), templateBytes);
        GraphDocument saved;
        QVERIFY(ReadGraphFile(saved, path));
        QVERIFY(sameContent(saved, before));
    }

    // The link box ticked by a linked template shows the link's sheet; a graph opens on its data.
    void aLinkedGraphOpensOnTheDataSheet() {
        Designer designer;
        designer.newFrom(u"pnlSample1"_s);
        auto* sheets = designer.control<QTabWidget>(u"PageControl3"_s);
        auto* link = designer.control<QCheckBox>(u"chkLinkExcel"_s);
        QVERIFY(link->isChecked());
        QVERIFY(sheets->isTabVisible(sheets->count() - 1));
        QCOMPARE(sheets->currentWidget(), designer.control<QWidget>(u"TabSheet1"_s));

        const QString saved = designer.environment.folder() + u"linked.TVX"_s;
        designer.environment.dialogs.fileNames.push_back(saved);
        QVERIFY(designer.window.fileCommands().mnuSaveAsClick());
        designer.newFrom(u"Image1"_s);
        QVERIFY(!link->isChecked());
        designer.environment.dialogs.fileNames.push_back(saved);
        designer.window.fileCommands().Open1Click();
        QVERIFY(link->isChecked());
        QCOMPARE(sheets->currentWidget(), designer.control<QWidget>(u"TabSheet1"_s));
    }

    void aTemplateThatCannotBeReadKeepsTheGraph() {
        Designer designer;
        const QString path = designer.openGraph(u"kept.TVX"_s, 2, 4);

        QVERIFY(QFile::remove(programDataPath(u"P_3Bar.dat"_s)));
        designer.newFrom(u"pnlTemp1"_s);
        QCOMPARE(designer.environment.dialogs.take(),
                 QStringList{u"error: File Corrupt or error loading details from file"_s});
        QCOMPARE(designer.environment.dialogs.details.last(), programDataPath(u"P_3Bar.dat"_s));

        QFile broken(programDataPath(u"T_Pie.dat"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("&v_=2.0&gt_=qjf&sli_=3&SliceValues=");
        broken.close();
        designer.newFrom(u"pnlSample4"_s);
        QCOMPARE(designer.environment.dialogs.take(),
                 QStringList{u"error: File Corrupt or error loading details from file"_s});
        QCOMPARE(designer.document().currentFileName, path);
        QCOMPARE(designer.window.title(), u"Tivora Designer - kept.TVX"_s);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::NewFromTemplateTest)
#include "tst_new_from_template.moc"
