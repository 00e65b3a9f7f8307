#include "controls/movie_player.h"
#include "document/graph_document_model.h"
#include "editing/captioned_trackbar.h"
#include "editing/tfrm_pie_slice_opt.h"
#include "editing_dialogs.h"
#include "option_dialog_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstPieSliceOptDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsTheSliceWithoutWritingIt();
    void emptyAndOutOfRangeCellsLeaveTheirCells();
    void alphaAndShadeWriteTheirCellAndTheSample();
    void movesWriteAllFourOnlyWhileShown();
    void coloursPaintTheCellsTheWriterSaves();
    void keyboardReachesEveryControlInReadingOrder();
    void cancelPutsTheSliceBackAndSlidersAreOneStep();
};

namespace {

struct Setup {
    test::OptionFolder folder;
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    TfrmPieSliceOpt dialog{model};

    Setup() { model.replace(test::optionPieGraph()); }

    QString cell(int column, int row = 2) const {
        return model.document().pie.sgrdPieSlices.cell(column, row);
    }
};

} // namespace

void TstPieSliceOptDialog::loadsTheSliceWithoutWritingIt() {
    Setup setup;
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);
    TfrmPieSliceOpt& dialog = setup.dialog;
    dialog.loadSlice(2);
    dialog.show();

    QCOMPARE(dialog.trkSliceShade->value(), 30);
    QCOMPARE(dialog.trkSliceAlpha->value(), 70);
    QCOMPARE(dialog.trkSValueX->value(), 5);
    QCOMPARE(dialog.trkSValueY->value(), -6);
    QCOMPARE(dialog.trkSLabelX->value(), 7);
    QCOMPARE(dialog.trkSLabelY->value(), -8);
    QCOMPARE(dialog.trkSLabelY->caption()->text(), u"-8"_s);
    QCOMPARE(changed.count(), 0);
    // The colours that count are the cells' own; a cell without one takes the new slice's
    // default: white value text on the slice, a dark label beside it on the background.
    QCOMPARE(setup.folder.sliceText(), "&graphType=pie&Backgrnd=0xFFFFFF&SliceCol=0xFF0000"
                                       "&ValueCol=0xFFFFFF&LabelCol=0x44546A&SliceAlpha=70"
                                       "&SliceShade=30&Textloaded=OK");
    QCOMPARE(dialog.ShockwaveFlash1->movie(), setup.folder.dataFolder() + u"/Slice.swf"_s);
}

void TstPieSliceOptDialog::emptyAndOutOfRangeCellsLeaveTheirCells() {
    Setup setup;
    setup.model.edit([](GraphDocument& d) {
        Grid& slices = d.pie.sgrdPieSlices;
        slices.setCell(SliceShade, 3, QString());
        slices.setCell(SliceAlpha, 3, u"150"_s);
        slices.setCell(SliceLblMoveX, 3, u"  "_s);
        slices.setCell(SliceValMoveX, 3, u"-400"_s);
    });
    const GraphDocument before = setup.model.document();
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);
    TfrmPieSliceOpt& dialog = setup.dialog;
    dialog.loadSlice(2);
    dialog.loadSlice(3);
    dialog.show();
    // An empty shade leaves the bar where slice 2 put it.
    QCOMPARE(dialog.trkSliceShade->value(), 30);
    QCOMPARE(dialog.trkSliceAlpha->value(), 100);
    QCOMPARE(dialog.trkSLabelX->value(), 0);
    QCOMPARE(dialog.trkSValueX->value(), -100);
    QCOMPARE(changed.count(), 0);
    QVERIFY(setup.model.document() == before);
}

void TstPieSliceOptDialog::alphaAndShadeWriteTheirCellAndTheSample() {
    Setup setup;
    TfrmPieSliceOpt& dialog = setup.dialog;
    dialog.loadSlice(2);
    dialog.show();
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);

    dialog.trkSliceAlpha->setValue(45);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(setup.cell(SliceAlpha), u"45"_s);
    QVERIFY(setup.folder.sliceText().contains("&SliceAlpha=45&"));
    dialog.trkSliceShade->setValue(80);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(setup.cell(SliceShade), u"80"_s);
    QVERIFY(setup.folder.sliceText().contains("&SliceShade=80&"));
    QCOMPARE(setup.cell(SliceShade, 1), u"0"_s);
}

void TstPieSliceOptDialog::movesWriteAllFourOnlyWhileShown() {
    Setup setup;
    TfrmPieSliceOpt& dialog = setup.dialog;
    dialog.loadSlice(2);
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);
    // Before the dialog shows, a move only shows in its caption.
    dialog.trkSLabelX->setValue(-30);
    QCOMPARE(dialog.trkSLabelX->caption()->text(), u"-30"_s);
    QCOMPARE(changed.count(), 0);

    dialog.show();
    setup.folder.forgetSliceFile();
    dialog.trkSValueY->setValue(12);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(setup.cell(SliceValMoveX), u"5"_s);
    QCOMPARE(setup.cell(SliceValMoveY), u"12"_s);
    QCOMPARE(setup.cell(SliceLblMoveX), u"-30"_s);
    QCOMPARE(setup.cell(SliceLblMoveY), u"-8"_s);
    // The sample shows no moves and is not reloaded for them.
    QVERIFY(setup.folder.sliceText().isEmpty());
}

void TstPieSliceOptDialog::coloursPaintTheCellsTheWriterSaves() {
    Setup setup;
    TfrmPieSliceOpt& dialog = setup.dialog;
    dialog.loadSlice(2);
    dialog.show();
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);
    const Grid& slices = setup.model.document().pie.sgrdPieSlices;

    const std::tuple<QPushButton*, int, QByteArray> buttons[] = {
        {dialog.btnBackground, SliceColour, "&SliceCol=0x102030&"},
        {dialog.btnTextColour, SliceValueClr, "&ValueCol=0x102030&"},
        {dialog.btnSliceLabColour, SliceLabelClr, "&LabelCol=0x102030&"}};
    int changes = 0;
    for (const auto& [button, column, sampleField] : buttons) {
        setup.dialogs.colours = {QColor(0x10, 0x20, 0x30)};
        button->click();
        QCOMPARE(changed.count(), ++changes);
        QCOMPARE(slices.cellColor(column, 2), TextToColor("0x102030"));
        QCOMPARE(slices.cell(column, 2), u"0x102030"_s);
        QVERIFY(setup.folder.sliceText().contains(sampleField));
    }
    // The colour dialog opens on the slice's colour; cancelling changes nothing.
    QCOMPARE(setup.dialogs.colourStarts.first(), QColor(0xFF, 0x00, 0x00));
    dialog.btnBackground->click();
    QCOMPARE(changed.count(), changes);
}

void TstPieSliceOptDialog::keyboardReachesEveryControlInReadingOrder() {
    Setup setup;
    TfrmPieSliceOpt& dialog = setup.dialog;
    dialog.loadSlice(2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QStringList expected = {u"btnBackground"_s, u"btnTextColour"_s, u"btnSliceLabColour"_s,
                                  u"trkSliceAlpha"_s, u"trkSliceShade"_s, u"trkSValueX"_s,
                                  u"trkSValueY"_s,    u"trkSLabelX"_s,    u"trkSLabelY"_s,
                                  u"btnOK"_s,         u"btnCancel"_s,     u"btnBackground"_s};
    QCOMPARE(test::keyboardOrder(dialog.btnBackground, int(expected.size())), expected);
    QTest::keyClick(dialog.trkSLabelY, Qt::Key_Up);
    QCOMPARE(setup.cell(SliceLblMoveY), u"-9"_s);
}

void TstPieSliceOptDialog::cancelPutsTheSliceBackAndSlidersAreOneStep() {
    Setup setup;
    setup.model.clearHistory();
    TfrmPieSliceOpt& dialog = setup.dialog;
    const Grid before = setup.model.document().pie.sgrdPieSlices;
    // Thirty presses on the shade, then four on the value's move across.
    const auto showAndMove = [&] {
        dialog.loadSlice(2);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (int press = 0; press < 30; ++press)
            QTest::keyClick(dialog.trkSliceShade, Qt::Key_Right);
        for (int press = 0; press < 4; ++press)
            QTest::keyClick(dialog.trkSValueX, Qt::Key_Right);
        QCOMPARE(setup.cell(SliceShade), u"60"_s);
        QCOMPARE(setup.cell(SliceValMoveX), u"9"_s);
    };
    showAndMove();
    dialog.btnCancel->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(setup.model.document().pie.sgrdPieSlices, before);
    QVERIFY(!setup.model.canUndo());

    showAndMove();
    dialog.btnOK->click();
    QVERIFY(setup.model.undo());
    QCOMPARE(setup.cell(SliceValMoveX), u"5"_s);
    QCOMPARE(setup.cell(SliceShade), u"60"_s);
    QVERIFY(setup.model.undo());
    QCOMPARE(setup.cell(SliceShade), u"30"_s);
    QVERIFY(!setup.model.canUndo());
}

} // namespace tivora

QTEST_MAIN(tivora::TstPieSliceOptDialog)
#include "tst_pie_slice_opt_dialog.moc"
