#include "controls/grids/string_align_grid.h"
#include "controls/num_edit.h"
#include "document/grid_layouts.h"
#include "document/variable_text.h"
#include "editing/captioned_trackbar.h"
#include "editing/pie_data_page.h"
#include "editing/pie_slices.h"
#include "editing/tfrm_pie_slice_opt.h"
#include "editing_dialogs.h"
#include "option_dialog_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace tivora {

class TstPieDataPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsWithoutWritingBack();
    void countDownAndUpRestoresCells();
    void newSlicesGetTheirDefaults();
    void countRetypedWaitsForANumber();
    void fontSizeStepsAlsoDefaultTheSlices();
    void choicesAndSpeedEditOnce();
    void moveSwapsSlicesWithTheirColours();
    void moveAtTheEndsDoesNothing();
    void gridRefusesTextTheFileCannotHold();
    void doubleClickOpensTheSliceOptions();
    void keysOpenTheSliceOptionsAndEnterMovesOn();
    void colourCellsTakeNoTyping();
    void valueThatIsNoNumberShowsRed();
    void keyboardVisitsEveryControlInReadingOrder();
};

namespace {

GraphDocument pieGraph() {
    GraphDocument document;
    document.graphType = u"pie"_s;
    document.baseType = u"pie"_s;
    document.pie.edtPieSlices = u"4"_s;
    applySliceCount(document.pie, 4);
    Grid& slices = document.pie.sgrdPieSlices;
    const char* colours[] = {"0xFF0000", "0x00FF00", "0x0000FF", "0x808080"};
    for (int row = 1; row <= 4; ++row) {
        slices.setCell(SliceLabel, row, u"L%1"_s.arg(row));
        slices.setCell(SliceValue, row, QString::number(row * 10));
        slices.setCell(SliceColour, row, QString::fromLatin1(colours[row - 1]));
        slices.setCellColor(SliceColour, row, TextToColor(colours[row - 1]));
    }
    document.pie.valuesShown = PieValuesShown::Values;
    document.pie.edtPieValueFontSize.setPosition(14);
    document.pie.rdoAnimate = false;
    document.pie.sbAnimSpeed.setPosition(40);
    return document;
}

void typeCount(TNumEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

void TstPieDataPage::loadsWithoutWritingBack() {
    GraphDocumentModel model;
    PieDataPage page(model);
    QVERIFY(page.shownFor(u"pie"_s));
    QVERIFY(!page.shownFor(u"bar"_s));
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    const GraphDocument graph = pieGraph();
    model.replace(graph);

    QCOMPARE(changed.count(), 1);
    QVERIFY(model.document() == graph);
    QCOMPARE(page.edtPieSlices->text(), u"4"_s);
    QCOMPARE(page.sgrdPieSlices->grid().rowCount(), 5);
    QCOMPARE(page.sgrdPieSlices->cell(SliceLabel, 3), u"L3"_s);
    QCOMPARE(page.sgrdPieSlices->cellColor(SliceColour, 2), QColor(0, 255, 0));
    QVERIFY(page.rdoPieValues->isChecked());
    QCOMPARE(page.edtPieValueFontSize->edit()->text(), u"14"_s);
    QCOMPARE(page.edtPieLabelFontSize->edit()->text(), u"12"_s);
    QVERIFY(page.rdoNoAnimate->isChecked());
    QCOMPARE(page.sbAnimSpeed->value(), 40);
    QCOMPARE(page.findChild<QLabel*>(u"lblGrowSpeed"_s)->text(), u"40"_s);
    // The loaded grid is fitted, so that the colour texts show whole.
    QVERIFY(page.sgrdPieSlices->columnWidth(SliceColour) >= 20);
}

void TstPieDataPage::countDownAndUpRestoresCells() {
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    typeCount(page.edtPieSlices, u"2"_s);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().pie.edtPieSlices, u"2"_s);
    QCOMPARE(model.document().pie.sgrdPieSlices.rowCount(), 3);
    QCOMPARE(page.sgrdPieSlices->grid().rowCount(), 3);

    typeCount(page.edtPieSlices, u"4"_s);
    QCOMPARE(changed.count(), 2);
    const Grid& slices = model.document().pie.sgrdPieSlices;
    QCOMPARE(slices.rowCount(), 5);
    QCOMPARE(slices.cell(SliceLabel, 4), u"L4"_s);
    QCOMPARE(slices.cell(SliceValue, 3), u"30"_s);
    QCOMPARE(slices.cellColor(SliceColour, 4), TextToColor("0x808080"));
    QVERIFY(model.document().pie == pieGraph().pie);
}

void TstPieDataPage::newSlicesGetTheirDefaults() {
    GraphDocumentModel model;
    GraphDocument graph = pieGraph();
    graph.pie.sgrdPieSlices.setCell(SliceValue, 2, u"   "_s);
    graph.pie.sgrdPieSlices.setCell(SliceNo, 3, u"9"_s);
    model.replace(graph);
    PieDataPage page(model);

    typeCount(page.edtPieSlices, u"5"_s);
    const Grid& slices = model.document().pie.sgrdPieSlices;
    QCOMPARE(slices.cell(SliceNo, 5), u"5"_s);
    QCOMPARE(slices.cell(SliceValue, 5), u"1"_s);
    QCOMPARE(slices.cell(SliceAlpha, 5), u"100"_s);
    for (const int column :
         {SliceShade, SliceOffset, SliceLblMoveX, SliceLblMoveY, SliceValMoveX, SliceValMoveY})
        QCOMPARE(slices.cell(column, 5), u"0"_s);
    QCOMPARE(slices.cell(SliceLabel, 5), QString());
    // The new slice shows: a colour of its own, unlike the white the stage is, white values on
    // it and a dark label; the slices that had colours keep them.
    const auto colour = slices.cellColor(SliceColour, 5);
    QVERIFY(colour && *colour != TextToColor("0xFFFFFF"));
    QCOMPARE(slices.cell(SliceColour, 5), QString::fromLatin1(ColorToText(*colour)));
    QVERIFY(slices.cellColor(SliceColour, 5) != slices.cellColor(SliceColour, 4));
    QCOMPARE(slices.cellColor(SliceValueClr, 5), TextToColor("0xFFFFFF"));
    const auto label = slices.cellColor(SliceLabelClr, 5);
    QVERIFY(label && *label != TextToColor("0xFFFFFF"));
    QCOMPARE(slices.cellColor(SliceColour, 4), TextToColor("0x808080"));
    // A value of spaces counts as blank; the numbers are rewritten.
    QCOMPARE(slices.cell(SliceValue, 2), u"1"_s);
    QCOMPARE(slices.cell(SliceNo, 3), u"3"_s);
    QCOMPARE(slices.cell(SliceLblMoveX, 0), u"Lbl Move X"_s);
}

void TstPieDataPage::countRetypedWaitsForANumber() {
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.edtPieSlices->selectAll();
    QTest::keyClick(page.edtPieSlices, Qt::Key_Backspace);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.document().pie.edtPieSlices, u"4"_s);
    Q_EMIT page.edtPieSlices->exited();
    QCOMPARE(page.edtPieSlices->text(), u"4"_s);
    QCOMPARE(changed.count(), 0);
}

void TstPieDataPage::fontSizeStepsAlsoDefaultTheSlices() {
    GraphDocumentModel model;
    GraphDocument graph = pieGraph();
    graph.pie.sgrdPieSlices.setCell(SliceShade, 1, QString());
    model.replace(graph);
    PieDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.edtPieLabelFontSize->upButton()->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().pie.edtPieLabelFontSize.text(), u"13"_s);
    QCOMPARE(model.document().pie.sgrdPieSlices.cell(SliceShade, 1), u"0"_s);

    // The value size stops at 8.
    for (int step = 0; step < 10; ++step)
        page.edtPieValueFontSize->downButton()->click();
    QCOMPARE(model.document().pie.edtPieValueFontSize.text(), u"8"_s);
    QCOMPARE(changed.count(), 7);
}

void TstPieDataPage::choicesAndSpeedEditOnce() {
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.rdoPieNone->click();
    QCOMPARE(model.document().pie.valuesShown, PieValuesShown::None);
    page.rdoAnimate->click();
    QVERIFY(model.document().pie.rdoAnimate);
    page.chkPieASP->click();
    QVERIFY(model.document().pie.chkPieASP);
    page.sbAnimSpeed->setValue(2);
    QCOMPARE(model.document().pie.sbAnimSpeed.position(), 5);
    QCOMPARE(page.sbAnimSpeed->caption()->text(), u"5"_s);
    page.sbAnimSpeed->setValue(77);
    QCOMPARE(model.document().pie.sbAnimSpeed.position(), 77);
    QCOMPARE(changed.count(), 5);
}

void TstPieDataPage::moveSwapsSlicesWithTheirColours() {
    GraphDocumentModel model;
    GraphDocument graph = pieGraph();
    graph.pie.sgrdPieSlices.setCellColor(SliceLabelClr, 3, TextToColor("0x123456"));
    model.replace(graph);
    PieDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.sgrdPieSlices->setCurrentCell(SliceLabel, 3);
    page.btnPieDataUp->click();
    QCOMPARE(changed.count(), 1);
    const Grid& slices = model.document().pie.sgrdPieSlices;
    QCOMPARE(slices.cell(SliceLabel, 2), u"L3"_s);
    QCOMPARE(slices.cell(SliceLabel, 3), u"L2"_s);
    QCOMPARE(slices.cell(SliceNo, 2), u"3"_s);
    QCOMPARE(slices.cellColor(SliceColour, 2), TextToColor("0x0000FF"));
    QCOMPARE(slices.cellColor(SliceLabelClr, 2), TextToColor("0x123456"));
    QCOMPARE(slices.cellColor(SliceLabelClr, 3), TextToColor("0x44546A"));

    page.sgrdPieSlices->setCurrentCell(SliceLabel, 1);
    page.btnPieDataDown->click();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(slices.cell(SliceLabel, 1), u"L3"_s);
    QCOMPARE(slices.cell(SliceLabel, 2), u"L1"_s);
    QCOMPARE(page.sgrdPieSlices->currentRow(), 1);
}

void TstPieDataPage::moveAtTheEndsDoesNothing() {
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieDataPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.sgrdPieSlices->setCurrentCell(SliceLabel, 1);
    page.btnPieDataUp->click();
    page.sgrdPieSlices->setCurrentCell(SliceLabel, 4);
    page.btnPieDataDown->click();
    page.sgrdPieSlices->setCurrentCell(SliceLabel, 0);
    page.btnPieDataDown->click();
    QCOMPARE(changed.count(), 0);
    QVERIFY(model.document() == pieGraph());
}

void TstPieDataPage::gridRefusesTextTheFileCannotHold() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieDataPage page(model);
    page.resize(360, 400);
    page.show();
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    const QModelIndex cell = page.sgrdPieSlices->model()->index(2, SliceValue);
    page.sgrdPieSlices->model()->setData(cell, u"25"_s, Qt::EditRole);
    QCOMPARE(model.document().pie.sgrdPieSlices.cell(SliceValue, 2), u"25"_s);
    QCOMPARE(changed.count(), 1);

    page.sgrdPieSlices->setCurrentCell(SliceLabel, 2);
    page.sgrdPieSlices->edit(page.sgrdPieSlices->currentIndex());
    auto* editor = page.sgrdPieSlices->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(u"Half 50%"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(dialogs.messages.size(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().pie.sgrdPieSlices.cell(SliceLabel, 2), u"L2"_s);
}

void TstPieDataPage::doubleClickOpensTheSliceOptions() {
    test::OptionFolder folder;
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(test::optionPieGraph());
    PieDataPage page(model);
    page.resize(400, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    int shownRow = 0;
    int shownShade = 0;
    qsizetype changesWhileShown = 0;
    QWidget* opened =
        test::closeModalOpenedBy([&] { test::doubleClickCell(page.sgrdPieSlices, SliceLabel, 2); },
                                 [&](QWidget*) {
                                     shownRow = page.frmPieSliceOpt->sliceRow();
                                     shownShade = page.frmPieSliceOpt->trkSliceShade->value();
                                     changesWhileShown = changed.count();
                                 });
    QCOMPARE(opened, page.frmPieSliceOpt);
    QCOMPARE(shownRow, 2);
    QCOMPARE(shownShade, 30);
    QVERIFY(!page.sgrdPieSlices->isEditing());
    QCOMPARE(changed.count(), changesWhileShown + 1);
    QVERIFY(folder.sliceText().contains("&SliceCol=0xFF0000&"));

    // The title row and the numbers' column are fixed: a double-click there opens nothing.
    QCOMPARE(
        test::closeModalOpenedBy([&] { test::doubleClickCell(page.sgrdPieSlices, SliceLabel, 0); }),
        nullptr);
}

void TstPieDataPage::keysOpenTheSliceOptionsAndEnterMovesOn() {
    test::OptionFolder folder;
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(test::optionPieGraph());
    PieDataPage page(model);
    page.resize(400, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    int shownRow = 0;
    const auto seeRow = [&](QWidget*) {
        shownRow = page.frmPieSliceOpt->sliceRow();
    };

    // Enter on a slice's label and the context-menu key on any cell open its options.
    page.sgrdPieSlices->setCurrentCell(SliceLabel, 2);
    QCOMPARE(test::closeModalOpenedBy([&] { QTest::keyClick(page.sgrdPieSlices, Qt::Key_Return); },
                                      seeRow),
             page.frmPieSliceOpt);
    QCOMPARE(shownRow, 2);
    page.sgrdPieSlices->setCurrentCell(SliceValue, 1);
    QCOMPARE(test::closeModalOpenedBy([&] { QTest::keyClick(page.sgrdPieSlices, Qt::Key_Menu); },
                                      seeRow),
             page.frmPieSliceOpt);
    QCOMPARE(shownRow, 1);
    QCOMPARE(test::closeModalOpenedBy([&] { QTest::keyClick(page.sgrdPieSlices, Qt::Key_Return); }),
             nullptr);

    // Enter in a cell being edited keeps the text and goes on to the next cell, so the next
    // typing does not overwrite it.
    page.sgrdPieSlices->setCurrentCell(SliceLabel, 1);
    page.sgrdPieSlices->edit(page.sgrdPieSlices->currentIndex());
    auto* editor = page.sgrdPieSlices->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(u"North"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(page.sgrdPieSlices->currentColumn(), int(SliceValue));
    QCOMPARE(page.sgrdPieSlices->currentRow(), 1);
    QVERIFY(page.sgrdPieSlices->isEditing());
    QCOMPARE(model.document().pie.sgrdPieSlices.cell(SliceLabel, 1), u"North"_s);
    QVERIFY(dialogs.messages.isEmpty());
}

void TstPieDataPage::colourCellsTakeNoTyping() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    const GraphDocument graph = pieGraph();
    model.replace(graph);
    PieDataPage page(model);
    const QAbstractItemModel* cells = page.sgrdPieSlices->model();
    for (int column : {SliceColour, SliceValueClr, SliceLabelClr})
        QVERIFY(!(cells->flags(cells->index(1, column)) & Qt::ItemIsEditable));
    QVERIFY(cells->flags(cells->index(1, SliceShade)) & Qt::ItemIsEditable);

    page.sgrdPieSlices->setCurrentCell(SliceColour, 1);
    QTest::keyClicks(page.sgrdPieSlices, u"0x00FF00"_s);
    // Pasting over the colour columns leaves them as well.
    QApplication::clipboard()->setText(u"0x111111\t0x222222\t0x333333\r\n"_s);
    page.sgrdPieSlices->pasteIntoSelection();
    QCOMPARE(model.document().pie.sgrdPieSlices.cell(SliceColour, 1), u"0xFF0000"_s);
    QCOMPARE(model.document().pie.sgrdPieSlices.cellColor(SliceColour, 1),
             graph.pie.sgrdPieSlices.cellColor(SliceColour, 1));
}

void TstPieDataPage::valueThatIsNoNumberShowsRed() {
    GraphDocumentModel model;
    GraphDocument graph = pieGraph();
    graph.pie.sgrdPieSlices.setCell(SliceValue, 2, u"ten"_s);
    graph.pie.sgrdPieSlices.setCell(SliceLabel, 3, u"ten"_s);
    model.replace(graph);
    PieDataPage page(model);
    const auto hint = [&](int column, int row) {
        return page.sgrdPieSlices->model()->index(row, column).data(Qt::ToolTipRole).toString();
    };
    QCOMPARE(hint(SliceValue, 2), u"Not a number: the slice is drawn with no size."_s);
    QVERIFY(hint(SliceValue, 1).isEmpty());
    QVERIFY(hint(SliceLabel, 3).isEmpty());
}

void TstPieDataPage::keyboardVisitsEveryControlInReadingOrder() {
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieDataPage page(model);
    page.resize(400, 600);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    // Tab enters a group of radio buttons once; the arrow keys choose within it.
    const QStringList expected = {
        u"edtPieSlices"_s, u"sgrdPieSlices"_s,       u"btnPieDataUp"_s,        u"btnPieDataDown"_s,
        u"rdoPiePercen"_s, u"edtPieValueFontSize"_s, u"edtPieLabelFontSize"_s, u"rdoAnimate"_s,
        u"sbAnimSpeed"_s,  u"chkPieASP"_s,           u"edtPieSlices"_s};
    QCOMPARE(test::keyboardOrder(page.edtPieSlices, int(expected.size())), expected);
}

} // namespace tivora

QTEST_MAIN(tivora::TstPieDataPage)
#include "tst_pie_data_page.moc"
