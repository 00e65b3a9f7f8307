#include "controls/movie_player.h"
#include "controls/num_edit.h"
#include "document/graph_document_model.h"
#include "editing/captioned_trackbar.h"
#include "editing/tdlg_series_opt.h"
#include "editing/up_down_field.h"
#include "editing_dialogs.h"
#include "option_dialog_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <functional>

using namespace Qt::StringLiterals;

namespace tivora {

class TstSeriesOptDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsTheSeriesWithoutWritingIt();
    void outOfRangeAndUnreadableSettingsAreShownNotStored();
    void eachChangeWritesItsCellsOnce();
    void typeChangesBothGridsAndTheSample();
    void coloursPaintTheCellsTheWriterSaves();
    void unwritablePreviewFileIsReportedOncePerShowing();
    void keyboardReachesEveryControlInReadingOrder();
    void slidersAreOneUndoStepEach();
    void cancelPutsBackOnlyWhatThisShowingChanged();
};

namespace {

QString propertyCell(const GraphDocumentModel& model, int column, int row = 2) {
    return model.document().series.sgrdProp.cell(column, row);
}

struct Setup {
    test::OptionFolder folder;
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    TdlgSeriesOpt dialog{model};

    explicit Setup(int row = 2) {
        model.replace(test::optionSeriesGraph());
        dialog.setSeriesRow(row);
    }
};

} // namespace

void TstSeriesOptDialog::loadsTheSeriesWithoutWritingIt() {
    Setup setup;
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.show();

    QVERIFY(dialog.rdoLine->isChecked());
    QCOMPARE(dialog.pgType->currentWidget(), dialog.TabLine);
    QVERIFY(dialog.btnTextColour->isHidden());
    QCOMPARE(dialog.trkSeriesAlpha->value(), 53);
    QCOMPARE(dialog.edtAlpha->text(), u"53"_s);
    QVERIFY(dialog.rdoAnimate->isChecked());
    QVERIFY(dialog.sbAnimSpeed->isEnabled());
    QCOMPARE(dialog.sbAnimSpeed->value(), 40);
    QCOMPARE(dialog.lblGrowSpeed->text(), u"40"_s);
    QVERIFY(!dialog.chkColValues->isChecked());
    QVERIFY(dialog.chkGCV->isChecked());
    QVERIFY(!dialog.chkGCV->isEnabled());
    QVERIFY(!dialog.edtColValSize->isEnabled());
    QCOMPARE(dialog.edtColValSize->edit()->text(), u"30"_s);
    QCOMPARE(dialog.edtLineWidth->text(), u"7"_s);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(setup.folder.sliceText(),
             "&graphType=line&Backgrnd=0xFFFFF0&AreaCol=0x00C000&AreaAlpha=53&Textloaded=OK");
    QCOMPARE(dialog.ShockwaveFlash1->movie(), setup.folder.dataFolder() + u"/Slice.swf"_s);

    // A speed of 0 means no animation.
    dialog.hide();
    setup.model.edit([](GraphDocument& d) { d.series.sgrdProp.setCell(PropAnimate, 1, u"0"_s); });
    changed.clear();
    dialog.setSeriesRow(1);
    dialog.show();
    QVERIFY(dialog.rdoNoAnimate->isChecked());
    QVERIFY(!dialog.sbAnimSpeed->isEnabled());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(setup.folder.sliceText(),
             "&graphType=bar&Backgrnd=0xFFFFF0&CylCol=0x000080&ValueCol=0xFFFFFF&Textloaded=OK");
}

void TstSeriesOptDialog::outOfRangeAndUnreadableSettingsAreShownNotStored() {
    Setup setup;
    setup.model.edit([](GraphDocument& d) {
        d.series.sgrdProp.setCell(PropAlpha, 2, u"150"_s);
        d.series.sgrdProp.setCell(PropAnimate, 2, u"2"_s);
        d.series.sgrdProp.setCell(PropType, 2, u"pipe"_s);
        d.series.sgrdProp.setCell(PropAlpha, 3, u"lots"_s);
    });
    const GraphDocument before = setup.model.document();
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.rdoArea->setChecked(true);
    dialog.show();
    QCOMPARE(dialog.trkSeriesAlpha->value(), 100);
    QCOMPARE(dialog.sbAnimSpeed->value(), 5);
    // An unknown type leaves the type buttons as they were.
    QVERIFY(dialog.rdoArea->isChecked());
    QCOMPARE(dialog.pgType->currentWidget(), dialog.TabArea);

    dialog.hide();
    dialog.setSeriesRow(3);
    dialog.show();
    QCOMPARE(dialog.trkSeriesAlpha->value(), 100);
    QCOMPARE(changed.count(), 0);
    QVERIFY(setup.model.document() == before);
}

void TstSeriesOptDialog::eachChangeWritesItsCellsOnce() {
    Setup setup;
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.show();
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);

    setup.folder.forgetSliceFile();
    dialog.trkSeriesAlpha->setValue(20);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(propertyCell(setup.model, PropAlpha), u"20"_s);
    QCOMPARE(dialog.edtAlpha->text(), u"20"_s);
    QVERIFY(setup.folder.sliceText().contains("&AreaAlpha=20&"));

    // Only the type, colours and opacity change the sample; the other settings leave it be.
    setup.folder.forgetSliceFile();
    dialog.rdoNoAnimate->click();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(propertyCell(setup.model, PropAnimate), u"0"_s);
    QVERIFY(!dialog.sbAnimSpeed->isEnabled());
    dialog.rdoAnimate->click();
    QCOMPARE(propertyCell(setup.model, PropAnimate), u"40"_s);
    dialog.sbAnimSpeed->setValue(60);
    QCOMPARE(propertyCell(setup.model, PropAnimate), u"60"_s);
    QCOMPARE(dialog.lblGrowSpeed->text(), u"60"_s);
    QCOMPARE(changed.count(), 4);

    dialog.rdoBar->click();
    setup.folder.forgetSliceFile();
    changed.clear();
    dialog.chkColValues->click();
    QCOMPARE(propertyCell(setup.model, PropShowValues), u"YES"_s);
    QVERIFY(dialog.chkGCV->isEnabled());
    dialog.chkColValues->click();
    QCOMPARE(propertyCell(setup.model, PropShowValues), u"NO"_s);
    QCOMPARE(propertyCell(setup.model, PropAnimateValues), u"YES"_s);
    QVERIFY(!dialog.edtColValSize->isEnabled());
    dialog.chkColValues->click();
    dialog.chkGCV->click();
    QCOMPARE(propertyCell(setup.model, PropAnimateValues), u"NO"_s);
    dialog.edtColValSize->upButton()->click();
    QCOMPARE(propertyCell(setup.model, PropFontSize), u"31"_s);
    QCOMPARE(changed.count(), 5);

    dialog.rdoLine->click();
    changed.clear();
    dialog.edtLineWidth->selectAll();
    QTest::keyClicks(dialog.edtLineWidth, u"12"_s);
    QCOMPARE(propertyCell(setup.model, PropLineWidth), u"12"_s);
    QCOMPARE(changed.count(), 2);
    // Pasted text that the graph file cannot carry is refused and not stored.
    dialog.edtLineWidth->setText(u"5%"_s);
    QCOMPARE(propertyCell(setup.model, PropLineWidth), u"12"_s);
    QCOMPARE(setup.dialogs.takeMessages().size(), 1);
    QCOMPARE(changed.count(), 2);
    QVERIFY(setup.folder.sliceText().isEmpty() == false);
}

void TstSeriesOptDialog::typeChangesBothGridsAndTheSample() {
    Setup setup;
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.show();
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);

    dialog.rdoBar->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(propertyCell(setup.model, PropType), u"bar"_s);
    QCOMPARE(setup.model.document().series.sgrdData.cell(DataType, 2), u"bar"_s);
    QCOMPARE(dialog.pgType->currentWidget(), dialog.TabBar);
    QVERIFY(!dialog.btnTextColour->isHidden());
    QVERIFY(setup.folder.sliceText().startsWith("&graphType=bar&"));

    dialog.rdoArea->click();
    QCOMPARE(setup.model.document().series.sgrdData.cell(DataType, 2), u"area"_s);
    QCOMPARE(dialog.pgType->currentWidget(), dialog.TabArea);
    QVERIFY(dialog.btnTextColour->isHidden());
    QVERIFY(setup.folder.sliceText().startsWith("&graphType=area&"));
    QCOMPARE(changed.count(), 2);
}

void TstSeriesOptDialog::coloursPaintTheCellsTheWriterSaves() {
    Setup setup(1);
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.show();
    QSignalSpy changed(&setup.model, &GraphDocumentModel::changed);
    const SeriesFields& series = setup.model.document().series;

    setup.dialogs.colours = {QColor(0x12, 0x34, 0x56)};
    dialog.btnSeriesColor->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(setup.dialogs.colourStarts.last(), QColor(0x00, 0x00, 0x80));
    QCOMPARE(series.sgrdData.cellColor(DataColor, 1), TextToColor("0x123456"));
    QCOMPARE(series.sgrdProp.cellColor(PropColor, 1), TextToColor("0x123456"));
    QCOMPARE(series.sgrdProp.cell(PropColor, 1), u"0x123456"_s);
    QVERIFY(series.sgrdData.cell(DataColor, 1).isEmpty());
    QVERIFY(setup.folder.sliceText().contains("&CylCol=0x123456&"));

    setup.dialogs.colours = {QColor(0xAB, 0xCD, 0xEF)};
    dialog.btnTextColour->click();
    QCOMPARE(setup.dialogs.colourStarts.last(), QColor(Qt::white));
    QCOMPARE(series.sgrdProp.cellColor(PropValuesColor, 1), TextToColor("0xABCDEF"));
    QCOMPARE(series.sgrdProp.cell(PropValuesColor, 1), u"0xABCDEF"_s);
    QVERIFY(setup.folder.sliceText().contains("&ValueCol=0xABCDEF&"));
    QCOMPARE(changed.count(), 2);

    // Cancelling, or choosing the colour the series already has, changes nothing.
    const QByteArray sample = setup.folder.sliceText();
    setup.folder.forgetSliceFile();
    dialog.btnSeriesColor->click();
    QVERIFY(setup.folder.sliceText().isEmpty());
    setup.dialogs.colours = {QColor(0x12, 0x34, 0x56)};
    dialog.btnSeriesColor->click();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(setup.folder.sliceText(), sample);
}

void TstSeriesOptDialog::unwritablePreviewFileIsReportedOncePerShowing() {
    Setup setup;
    QDir(setup.folder.dataFolder()).removeRecursively();
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.show();
    const QStringList messages = setup.dialogs.takeMessages();
    QCOMPARE(messages, QStringList{u"File I/O error."_s});
    // The edit itself is kept, and dragging on reports nothing more.
    dialog.trkSeriesAlpha->setValue(10);
    dialog.trkSeriesAlpha->setValue(11);
    QCOMPARE(propertyCell(setup.model, PropAlpha), u"11"_s);
    QVERIFY(setup.dialogs.takeMessages().isEmpty());
    dialog.hide();
    dialog.show();
    QCOMPARE(setup.dialogs.takeMessages().size(), 1);
}

void TstSeriesOptDialog::keyboardReachesEveryControlInReadingOrder() {
    Setup setup(1);
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QStringList bar = {u"rdoBar"_s,         u"btnSeriesColor"_s, u"btnTextColour"_s,
                             u"trkSeriesAlpha"_s, u"rdoAnimate"_s,     u"sbAnimSpeed"_s,
                             u"chkColValues"_s,   u"chkGCV"_s,         u"edtColValSize"_s,
                             u"btnOK"_s,          u"btnCancel"_s,      u"rdoBar"_s};
    QCOMPARE(test::keyboardOrder(dialog.rdoBar, int(bar.size())), bar);
    // The up-down of the font size answers the arrow keys.
    QTest::keyClick(dialog.edtColValSize->edit(), Qt::Key_Up);
    QCOMPARE(propertyCell(setup.model, PropFontSize, 1), u"26"_s);

    dialog.rdoLine->click();
    const QStringList line = {u"rdoLine"_s,    u"btnSeriesColor"_s, u"trkSeriesAlpha"_s,
                              u"rdoAnimate"_s, u"sbAnimSpeed"_s,    u"edtLineWidth"_s,
                              u"btnOK"_s,      u"btnCancel"_s};
    QCOMPARE(test::keyboardOrder(dialog.rdoLine, int(line.size())), line);
}

void TstSeriesOptDialog::slidersAreOneUndoStepEach() {
    Setup setup;
    setup.model.clearHistory();
    TdlgSeriesOpt& dialog = setup.dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (int press = 0; press < 30; ++press)
        QTest::keyClick(dialog.trkSeriesAlpha, Qt::Key_Left);
    for (int press = 0; press < 5; ++press)
        QTest::keyClick(dialog.sbAnimSpeed, Qt::Key_Right);
    for (int press = 0; press < 3; ++press)
        QTest::keyClick(dialog.trkSeriesAlpha, Qt::Key_Right);
    dialog.btnOK->click();
    QCOMPARE(propertyCell(setup.model, PropAlpha), u"26"_s);
    QCOMPARE(propertyCell(setup.model, PropAnimate), u"45"_s);

    // Back to the slider that moved again, then the speed, then the first moves of the alpha.
    QVERIFY(setup.model.undo());
    QCOMPARE(propertyCell(setup.model, PropAlpha), u"23"_s);
    QVERIFY(setup.model.undo());
    QCOMPARE(propertyCell(setup.model, PropAnimate), u"40"_s);
    QVERIFY(setup.model.undo());
    QCOMPARE(propertyCell(setup.model, PropAlpha), u"53"_s);
    QVERIFY(!setup.model.canUndo());
}

void TstSeriesOptDialog::cancelPutsBackOnlyWhatThisShowingChanged() {
    Setup setup;
    setup.model.clearHistory();
    TdlgSeriesOpt& dialog = setup.dialog;
    // A showing kept with OK: its alpha moves stay and are undone on their own later.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.trkSeriesAlpha, Qt::Key_Left);
    dialog.btnOK->click();
    const GraphDocument kept = setup.model.document();

    for (const auto& close :
         std::initializer_list<std::function<void()>>{[&] { dialog.btnCancel->click(); },
                                                      [&] {
                                                          QTest::keyClick(&dialog, Qt::Key_Escape);
                                                      }}) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // The same slider again, so a change that joined the kept step would be lost with it.
        QTest::keyClick(dialog.trkSeriesAlpha, Qt::Key_Left);
        dialog.rdoArea->click();
        dialog.edtLineWidth->setText(u"9"_s);
        QCOMPARE(propertyCell(setup.model, PropType), u"area"_s);
        close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(setup.model.document().series.sgrdProp, kept.series.sgrdProp);
        QCOMPARE(setup.model.document().series.sgrdData, kept.series.sgrdData);
        QVERIFY(setup.model.canUndo());
        QVERIFY(!setup.model.canRedo());
    }
    QVERIFY(setup.model.undo());
    QCOMPARE(propertyCell(setup.model, PropAlpha), u"53"_s);
    QVERIFY(!setup.model.canUndo());
}

} // namespace tivora

QTEST_MAIN(tivora::TstSeriesOptDialog)
#include "tst_series_opt_dialog.moc"
