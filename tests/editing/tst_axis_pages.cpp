#include "controls/num_edit.h"
#include "editing/x_axis_page.h"
#include "editing/y_axis_page.h"
#include "editing_dialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace tivora {

class TstAxisPages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadWithoutWritingBack();
    void barsWriteTheirPositionAndCaption();
    void fontSizesStepWithinRange();
    void axisPickShowsTheColourText();
    void yValuesAreWrittenFormattedOnLeaving();
    void autoBoxesAndRefusedTitles();
    void clickingAPanelLeavesTheFieldFirst();
};

namespace {

GraphDocument sampleGraph() {
    GraphDocument document;
    document.graphType = document.baseType = u"line"_s;
    document.axes.edtXTitle = u"Month"_s;
    document.axes.edtYTitle = u"Units"_s;
    document.axes.edtXLabelFont.setText(u"14"_s);
    document.axes.edtYTitleFont.setText(u"40"_s);
    document.axes.pnlXAxisColour = {u"0x336699"_s, makeWindowColor(0x33, 0x66, 0x99)};
    document.axes.edtMinYVal = u"0.0000"_s;
    document.axes.edtMaxYVal = u"1000.0000"_s;
    document.axes.edtYStep = u"10.0000"_s;
    document.axes.chkYStepCalc = true;
    document.placement.trkXTitleX.setPosition(-250);
    document.placement.trkYTitleY.setPosition(120);
    return document;
}

} // namespace

void TstAxisPages::loadWithoutWritingBack() {
    GraphDocumentModel model;
    XAxisPage xPage(model);
    YAxisPage yPage(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    model.replace(sampleGraph());

    QCOMPARE(changed.count(), 1);
    QVERIFY(model.document() == sampleGraph());
    QCOMPARE(xPage.edtXTitle->text(), u"Month"_s);
    QCOMPARE(xPage.edtXLabelFont->edit()->text(), u"14"_s);
    QCOMPARE(xPage.trkXTitleX->value(), -250);
    QCOMPARE(xPage.trkXTitleX->caption()->text(), u"-250"_s);
    QCOMPARE(xPage.pnlXAxisColour->text(), u"0x336699"_s);
    QCOMPARE(yPage.trkYTitleY->caption()->text(), u"120"_s);
    QCOMPARE(yPage.edtMaxYVal->text(), u"1000.0000"_s);
    QVERIFY(yPage.chkYStepCalc->isChecked());
    QVERIFY(!yPage.chkMaxYCalc->isChecked());
    QVERIFY(!xPage.shownFor(u"pie"_s));
    QVERIFY(yPage.shownFor(u"area"_s));
}

void TstAxisPages::barsWriteTheirPositionAndCaption() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    XAxisPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.trkXLabelY->setValue(-12);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().placement.trkXLabelY.position(), -12);
    QCOMPARE(page.findChild<QLabel*>(u"lblXLabelY"_s)->text(), u"-12"_s);

    // The bar holds the field's range.
    page.trkXLabelY->setValue(-80);
    QCOMPARE(model.document().placement.trkXLabelY.position(), -50);
    QCOMPARE(page.trkXLabelY->caption()->text(), u"-50"_s);
    page.trkXTitleX->setValue(300);
    QCOMPARE(model.document().placement.trkXTitleX.position(), 300);
    QCOMPARE(changed.count(), 3);
}

void TstAxisPages::fontSizesStepWithinRange() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    XAxisPage xPage(model);
    YAxisPage yPage(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    xPage.edtXLabelFont->upButton()->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().axes.edtXLabelFont.text(), u"15"_s);
    QCOMPARE(xPage.edtXLabelFont->edit()->text(), u"15"_s);
    QVERIFY(xPage.edtXLabelFont->edit()->isReadOnly());

    // At the top of the range a step up changes nothing and refreshes nothing.
    yPage.edtYTitleFont->upButton()->click();
    QCOMPARE(changed.count(), 1);
    yPage.edtYTitleFont->downButton()->click();
    QCOMPARE(model.document().axes.edtYTitleFont.text(), u"39"_s);
    QCOMPARE(changed.count(), 2);
}

void TstAxisPages::axisPickShowsTheColourText() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(sampleGraph());
    XAxisPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    dialogs.colours.push_back(QColor(0x10, 0x20, 0x30));
    QTest::mouseClick(page.pnlXTitleColour, Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().axes.pnlXTitleColour.caption, u"0x102030"_s);
    QCOMPARE(model.document().axes.pnlXTitleColour.color, makeWindowColor(0x10, 0x20, 0x30));
    // The text keeps its old colour, so the new colour text can be read on the panel.
    QVERIFY(page.pnlXTitleColour->styleSheet().contains(u"background-color: #102030"_s));
    QVERIFY(!page.pnlXTitleColour->styleSheet().contains(u" color: #102030"_s));

    QTest::mouseClick(page.pnlXLabelColour, Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
}

void TstAxisPages::yValuesAreWrittenFormattedOnLeaving() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    YAxisPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.edtYStep->selectAll();
    QTest::keyClicks(page.edtYStep, u"5"_s);
    QCOMPARE(changed.count(), 0);
    Q_EMIT page.edtYStep->exited();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().axes.edtYStep, u"5.0000"_s);

    // A blank value stays blank: the graph is then incomplete, not given a made-up number.
    page.edtMaxYVal->clear();
    Q_EMIT page.edtMaxYVal->exited();
    QCOMPARE(model.document().axes.edtMaxYVal, QString());
}

void TstAxisPages::autoBoxesAndRefusedTitles() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(sampleGraph());
    YAxisPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.chkMinYCalc->click();
    QVERIFY(model.document().axes.chkMinYCalc);
    QCOMPARE(page.edtMinYVal->text(), u"0.0000"_s);
    QCOMPARE(changed.count(), 1);

    page.edtYTitle->setText(u"Share in %"_s);
    Q_EMIT page.edtYTitle->editingFinished();
    QCOMPARE(dialogs.takeMessages().size(), 1);
    QCOMPARE(model.document().axes.edtYTitle, u"Units"_s);
    QCOMPARE(changed.count(), 1);
}

void TstAxisPages::clickingAPanelLeavesTheFieldFirst() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(sampleGraph());
    XAxisPage page(model);
    page.resize(360, 420);
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));

    page.edtXTitle->setFocus();
    QTest::keyClicks(page.edtXTitle, u" of sale"_s);
    dialogs.colours.push_back(QColor(0x10, 0x20, 0x30));
    QTest::mouseClick(page.pnlXTitleColour, Qt::LeftButton);
    // The typed title is written before the pick, and the pick does not take it back.
    QCOMPARE(model.document().axes.edtXTitle, u"Month of sale"_s);
    QCOMPARE(page.edtXTitle->text(), u"Month of sale"_s);
    QCOMPARE(model.document().axes.pnlXTitleColour.caption, u"0x102030"_s);
}

} // namespace tivora

QTEST_MAIN(tivora::TstAxisPages)
#include "tst_axis_pages.moc"
