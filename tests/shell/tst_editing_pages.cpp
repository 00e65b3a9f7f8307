#include "controls/grids/string_align_grid.h"
#include "controls/num_edit.h"
#include "open_designer.h"
#include "shell/file_commands.h"
#include "shell/main_menu.h"
#include "shell/tfrm_lumara.h"

#include <QAction>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class EditingPagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pagesFollowTheGraphType();
    void closingTakesTheTextBeingTyped();
    void saveTakesTheNumberBeingTyped();
    void saveAsTakesTheGridCellBeingEdited();
    void openAndNewOfferTheValueBeingTyped();

private:
    using OpenDesigner = test::OpenDesigner;

    // The graph saved in file; one that cannot be read fails the test.
    static GraphDocument saved(const QString& file) {
        GraphDocument document;
        const GraphReadResult read = ReadGraphFile(document, file);
        if (!read)
            QTest::qFail(qPrintable(file + u": "_s + read.error), __FILE__, __LINE__);
        return document;
    }
    // The editing page that holds control.
    static QWidget* pageOf(const TfrmLumara& window, QWidget* control) {
        while (control->parentWidget() && window.pageControl1->indexOf(control) < 0)
            control = control->parentWidget();
        return control;
    }
    // Types text over a field's contents; the field keeps the focus, as when a menu opens.
    static void typeInto(TfrmLumara& window, const QString& name, const QString& text) {
        auto* field = window.findChild<QLineEdit*>(name);
        QVERIFY(field);
        window.pageControl1->setCurrentWidget(pageOf(window, field));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    static QStringList visibleCaptions(const TfrmLumara& window) {
        QStringList captions;
        for (int index = 0; index < window.pageControl1->count(); ++index) {
            if (window.pageControl1->isTabVisible(index))
                captions.append(window.pageControl1->tabText(index));
        }
        return captions;
    }
};

void EditingPagesTest::pagesFollowTheGraphType() {
    test::ShellEnvironment environment;
    TfrmLumara window;
    window.show();
    GraphDocument pie = test::ShellEnvironment::seriesGraph(3, 4);
    pie.graphType = pie.baseType = u"pie"_s;
    pie.pie.edtPieSlices = u"2"_s;
    shapeSliceGrid(pie.pie.sgrdPieSlices, 2);
    for (int row = 1; row <= 2; ++row) {
        for (int column = 0; column < SliceColumnCount; ++column)
            pie.pie.sgrdPieSlices.setCell(column, row, QString::number(row));
    }
    const QString series =
        environment.writeGraph(u"bars.TVX"_s, test::ShellEnvironment::seriesGraph(3, 4));
    const QString pieFile = environment.writeGraph(u"pie.TVX"_s, pie);

    environment.dialogs.fileNames.push_back(series);
    window.fileCommands().Open1Click();
    QCOMPARE(visibleCaptions(window), (QStringList{u"Type"_s, u"Data"_s, u"x-Axis"_s, u"y-Axis"_s,
                                                   u"Size"_s, u"Effects"_s, u"Annotation"_s}));
    environment.dialogs.fileNames.push_back(pieFile);
    window.fileCommands().Open1Click();
    QCOMPARE(visibleCaptions(window),
             (QStringList{u"Type"_s, u"Data"_s, u"Size"_s, u"Effects"_s, u"Annotation"_s}));
}

void EditingPagesTest::closingTakesTheTextBeingTyped() {
    test::ShellEnvironment environment;
    TfrmLumara window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    environment.dialogs.fileNames.push_back(
        environment.writeGraph(u"bars.TVX"_s, test::ShellEnvironment::seriesGraph(3, 4)));
    window.fileCommands().Open1Click();
    environment.dialogs.take();

    auto* header = window.findChild<QLineEdit*>(u"edtHeader"_s);
    header->setFocus();
    QTest::keyClicks(header, u"Typed"_s);
    // The typed header counts as a change, so closing offers to save it.
    environment.dialogs.yesNoCancelAnswers.push_back(Dialogs::Answer::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(environment.dialogs.take().size(), 1);
    QVERIFY(window.model().document().header.edtHeader.endsWith(u"Typed"_s));
}

void EditingPagesTest::saveTakesTheNumberBeingTyped() {
    OpenDesigner designer;
    typeInto(designer.window, u"edtYStep"_s, u"25"_s);
    // Ctrl+S from the field itself: the focus never leaves it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saved(designer.path).axes.edtYStep.toDouble(), 25.0);
    QVERIFY(!designer.window.isWindowModified());
    // The keyboard stays in the field.
    QCOMPARE(QApplication::focusWidget(), designer.window.findChild<QLineEdit*>(u"edtYStep"_s));
}

void EditingPagesTest::saveAsTakesTheGridCellBeingEdited() {
    OpenDesigner designer;
    auto* grid = designer.window.findChild<TStringAlignGrid*>(u"sgrdData"_s);
    QVERIFY(grid);
    designer.window.pageControl1->setCurrentWidget(pageOf(designer.window, grid));
    grid->setFocus();
    grid->setCurrentCell(DataFirstValue, 2);
    grid->edit(grid->currentIndex());
    QVERIFY(grid->isEditing());
    QTest::keyClicks(QApplication::focusWidget(), u"77"_s);
    const QString copy = designer.environment.folder() + u"copy.TVX"_s;
    designer.environment.dialogs.fileNames.push_back(copy);
    designer.window.menu().mnuSaveAs->trigger();
    QCOMPARE(saved(copy).series.sgrdData.cell(DataFirstValue, 2), u"77"_s);
    QVERIFY(!grid->isEditing());
    QCOMPARE(QApplication::focusWidget(), grid);
}

void EditingPagesTest::openAndNewOfferTheValueBeingTyped() {
    OpenDesigner designer;
    const QString other =
        designer.environment.writeGraph(u"other.TVX"_s, test::ShellEnvironment::seriesGraph(2, 3));
    typeInto(designer.window, u"edtMaxYVal"_s, u"400"_s);
    // The typed value counts as a change; saving it writes it before the other file opens.
    designer.environment.dialogs.yesNoCancelAnswers.push_back(Dialogs::Answer::Yes);
    designer.environment.dialogs.fileNames.push_back(other);
    designer.window.menu().Open1->trigger();
    QCOMPARE(saved(designer.path).axes.edtMaxYVal.toDouble(), 400.0);
    QCOMPARE(designer.window.model().document().currentFileName, other);

    // New asks about the typed value before the template is chosen.
    typeInto(designer.window, u"edtMinYVal"_s, u"5"_s);
    designer.window.fileCommands().setTemplateChooser([] { return QString(); });
    designer.environment.dialogs.take();
    designer.environment.dialogs.yesNoCancelAnswers.push_back(Dialogs::Answer::Cancel);
    designer.window.menu().mnuNew->trigger();
    QCOMPARE(designer.environment.dialogs.take(),
             QStringList{u"question: The graph has been changed.  Do you want to save the "
                         u"changes?"_s});
    QCOMPARE(designer.window.model().document().axes.edtMinYVal.toDouble(), 5.0);
}

} // namespace tivora

QTEST_MAIN(tivora::EditingPagesTest)
#include "tst_editing_pages.moc"
