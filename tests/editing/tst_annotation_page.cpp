#include "controls/num_edit.h"
#include "document/grid_layouts.h"
#include "editing/annotation_page.h"
#include "editing/note_rows.h"
#include "editing/note_text.h"
#include "editing/tdlg_new_note.h"
#include "editing_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Answers the delete question with yes.
class YesDialogs : public test::EditingDialogs {
public:
    bool askYesNo(const QString& text) override {
        messages.append(text);
        return true;
    }
};

// Answers the next New Note dialog from the keyboard: Enter takes the default button, Escape
// cancels.
void answerNewNote(TdlgNewNote* dialog, Qt::Key key) {
    QTimer::singleShot(0, dialog, [dialog, key] { QTest::keyClick(dialog, key); });
}

GraphDocument graphWithNotes(int count) {
    GraphDocument graph;
    for (int note = 0; note < count; ++note)
        addNote(graph.notes, 0);
    for (int row = 1; row <= count; ++row)
        graph.notes.sgrdNotes.setCell(NoteXOffset, row, QString::number(100 * row));
    return graph;
}

const Grid& notesGrid(const GraphDocumentModel& model) {
    return model.document().notes.sgrdNotes;
}

} // namespace

class TstAnnotationPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void noteTextKeepsItsLines();
    void loadsTheNotesWithoutWritingThem();
    void addingANoteWritesWhatTheControlsShow();
    void cancellingTheNewNoteAddsNothing();
    void newNoteDialogAnswersTheKeyboard();
    void steppingStaysWithinTheNotes();
    void duplicateCopiesAllButTheShape();
    void deleteKeepsTheGridInStep();
    void eachChangeWritesTheRowOnce();
    void unknownShapeIsWrittenAsNone();
};

void TstAnnotationPage::noteTextKeepsItsLines() {
    QCOMPARE(toNoteText(u"Sales\nQ3"_s), u"Sales\\rQ3\\r"_s);
    QCOMPARE(toNoteText(QString()), QString());
    QCOMPARE(fromNoteText(u"Sales\\rQ3\\r"_s), u"Sales\nQ3"_s);
    QCOMPARE(fromNoteText(u"plain"_s), u"plain"_s);
    QCOMPARE(fromNoteText(u"a\\r\\r"_s), u"a\n"_s);
    QCOMPARE(toNoteText(fromNoteText(u"a\\r\\r"_s)), u"a\\r\\r"_s);
}

void TstAnnotationPage::loadsTheNotesWithoutWritingThem() {
    GraphDocumentModel model;
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    AnnotationPage page(model);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(page.edtNotes->text(), u"0"_s);
    QVERIFY(page.grpNoteControl->isHidden());
    QVERIFY(page.btnDelNote->isHidden());
    QVERIFY(page.PageControl2->isHidden());

    GraphDocument graph = graphWithNotes(2);
    graph.notes.sgrdNotes.setCell(NoteHeading, 1, u"Top\\rLine two\\r"_s);
    graph.notes.sgrdNotes.setCell(NoteText, 1, u"no separator"_s);
    model.replace(graph);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(page.lblNoteNo->text(), u"1 of 2"_s);
    QVERIFY(!page.PageControl2->isHidden());
    QCOMPARE(page.memoHeader->toPlainText(), u"Top\nLine two"_s);
    QCOMPARE(page.memoBody->toPlainText(), u"no separator"_s);
    QCOMPARE(page.sbNX->value(), 100);
    QCOMPARE(page.sbNX->caption()->text(), u"100"_s);
    QCOMPARE(notesGrid(model), graph.notes.sgrdNotes);
}

void TstAnnotationPage::addingANoteWritesWhatTheControlsShow() {
    GraphDocumentModel model;
    AnnotationPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    page.dlgNewNote->rdoRect->setChecked(true);
    answerNewNote(page.dlgNewNote, Qt::Key_Return);
    page.btnAddNote->click();

    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().notes.edtNotes, u"1"_s);
    QCOMPARE(page.edtNotes->text(), u"1"_s);
    QCOMPARE(page.lblNoteNo->text(), u"1 of 1"_s);
    QVERIFY(!page.btnDelNote->isHidden());
    QVERIFY(!page.btnDuplicate->isHidden());
    const Grid& grid = notesGrid(model);
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(grid.cell(NoteShape, 1), u"1"_s);
    QCOMPARE(grid.cell(NoteStyle, 1), u"Shaded"_s);
    QCOMPARE(grid.cell(NoteHighlight, 1), u"No"_s);
    QCOMPARE(grid.cell(NoteHeading, 1), u"HEADING\\r"_s);
    QCOMPARE(grid.cell(NoteText, 1), u"General Info\\r"_s);
    QCOMPARE(grid.cell(NoteHeadY, 1), u"40"_s);
    QCOMPARE(grid.cell(NoteShadow, 1), u"Yes"_s);
    QCOMPARE(page.cbShape->currentText(), u"Square/Rectangular"_s);
}

void TstAnnotationPage::cancellingTheNewNoteAddsNothing() {
    GraphDocumentModel model;
    AnnotationPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    answerNewNote(page.dlgNewNote, Qt::Key_Escape);
    page.btnAddNote->click();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.document().notes.edtNotes, u"0"_s);
}

void TstAnnotationPage::newNoteDialogAnswersTheKeyboard() {
    TdlgNewNote dialog;
    QCOMPARE(dialog.windowTitle(), u"Add a New Note to the Graph"_s);
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.rdoRect->click();
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.shape(), 1);
    // The choice stays for the next showing.
    answerNewNote(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.shape(), 1);
}

void TstAnnotationPage::steppingStaysWithinTheNotes() {
    GraphDocumentModel model;
    model.replace(graphWithNotes(3));
    AnnotationPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.btnPrevNote->click();
    QCOMPARE(page.currentNote(), 1);
    QCOMPARE(changed.count(), 1); // still written back and refreshed
    page.btnNextNote->click();
    page.btnNextNote->click();
    page.btnNextNote->click();
    QCOMPARE(page.currentNote(), 3);
    QCOMPARE(page.lblNoteNo->text(), u"3 of 3"_s);
    QCOMPARE(page.sbNX->value(), 300);

    // Another page's edit keeps the note shown; a graph read afresh starts at note 1.
    model.edit([](GraphDocument& d) { d.header.edtHeader = u"Sales"_s; });
    QCOMPARE(page.currentNote(), 3);
    model.replace(graphWithNotes(3));
    QCOMPARE(page.currentNote(), 1);
}

void TstAnnotationPage::duplicateCopiesAllButTheShape() {
    GraphDocumentModel model;
    GraphDocument graph = graphWithNotes(2);
    graph.notes.sgrdNotes.setCell(NoteShape, 1, u"1"_s);
    graph.notes.sgrdNotes.setCell(NoteColour, 1, u"0x102030"_s);
    model.replace(graph);
    AnnotationPage page(model);
    page.dlgNewNote->rdoOval->setChecked(true);
    page.btnPrevNote->click(); // note 1 written back as its controls show it
    page.btnDuplicateClick();

    QCOMPARE(page.lblNoteNo->text(), u"3 of 3"_s);
    QCOMPARE(model.document().notes.edtNotes, u"3"_s);
    const Grid& grid = notesGrid(model);
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(grid.cell(NoteShape, 3), u"0"_s);
    QCOMPARE(grid.cell(NoteColour, 3), u"0x102030"_s);
    for (int column = 3; column < kNoteColumnCount; ++column)
        QCOMPARE(grid.cell(column, 3), grid.cell(column, 1));
}

void TstAnnotationPage::deleteKeepsTheGridInStep() {
    YesDialogs dialogs;
    GraphDocumentModel model;
    model.replace(graphWithNotes(3));
    AnnotationPage page(model);
    page.btnNextNote->click();
    page.btnDelNote->click();
    QCOMPARE(dialogs.takeMessages(),
             QStringList{u"Are you sure you want to remove the current Note?"_s});
    QCOMPARE(page.lblNoteNo->text(), u"1 of 2"_s);
    QCOMPARE(notesGrid(model).rowCount(), 3);
    QCOMPARE(notesGrid(model).cell(NoteXOffset, 2), u"300"_s);

    page.btnDelNote->click();
    page.btnDelNote->click();
    QCOMPARE(model.document().notes.edtNotes, u"0"_s);
    QCOMPARE(page.edtNotes->text(), u"0"_s);
    QCOMPARE(notesGrid(model).rowCount(), 2);
    QVERIFY(page.grpNoteControl->isHidden());
    QVERIFY(page.btnDuplicate->isHidden());

    test::EditingDialogs refusing;
    model.replace(graphWithNotes(1));
    page.btnDelNote->click();
    QCOMPARE(model.document().notes.edtNotes, u"1"_s);
}

void TstAnnotationPage::eachChangeWritesTheRowOnce() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(graphWithNotes(2));
    AnnotationPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.sbNShadowX->setValue(500);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(notesGrid(model).cell(NoteShadowX, 1), u"200"_s);
    QCOMPARE(page.sbNShadowX->caption()->text(), u"200"_s);
    QCOMPARE(notesGrid(model).cell(NoteShadowX, 2), u"15"_s);

    page.memoBody->setPlainText(u"Up 5\nsince May"_s);
    QCOMPARE(notesGrid(model).cell(NoteText, 1), u"Up 5\\rsince May\\r"_s);
    dialogs.colours.push_back(QColor(0xAB, 0xCD, 0xEF));
    page.btnHeadFontC->click();
    QCOMPARE(notesGrid(model).cell(NoteHeadColour, 1), u"0xABCDEF"_s);
    page.edtHeadFontS->upButton()->click();
    QCOMPARE(notesGrid(model).cell(NoteHeadSize, 1), u"16"_s);
    QCOMPARE(changed.count(), 4);

    page.memoHeader->setPlainText(u"100% up"_s);
    QCOMPARE(changed.count(), 4);
    QCOMPARE(dialogs.takeMessages().size(), 1);
    QCOMPARE(notesGrid(model).cell(NoteHeading, 1), u"HEADING\\r"_s);
}

void TstAnnotationPage::unknownShapeIsWrittenAsNone() {
    GraphDocumentModel model;
    GraphDocument graph = graphWithNotes(1);
    graph.notes.sgrdNotes.setCell(NoteShape, 1, u"7"_s);
    model.replace(graph);
    AnnotationPage page(model);
    QCOMPARE(page.cbShape->currentIndex(), -1);
    page.chkHigh->click();
    QCOMPARE(notesGrid(model).cell(NoteShape, 1), u"-1"_s);
    QCOMPARE(notesGrid(model).cell(NoteHighlight, 1), u"Yes"_s);
}

} // namespace tivora

QTEST_MAIN(tivora::TstAnnotationPage)
#include "tst_annotation_page.moc"
