#include "editing/type_page.h"
#include "editing_dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstTypePage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsWithoutWritingBack();
    void headerTextIsWrittenOnLeavingOnly();
    void clickedControlsWriteOnce();
    void buttonPickHidesCaptionAndCancelChangesNothing();
    void refusesTextTheFileCannotHold();
};

namespace {

GraphDocument sampleGraph() {
    GraphDocument document;
    document.graphType = u"bar"_s;
    document.baseType = u"bar"_s;
    document.header.edtHeader = u"Sales 2026"_s;
    document.header.headerPosition = HeaderPosition::Left;
    document.header.pnlFootColor = {u"0x112233"_s, makeWindowColor(0x11, 0x22, 0x33)};
    document.header.chkBGTrans = true;
    document.header.edtFooter = u"Source: ledger"_s;
    return document;
}

} // namespace

void TstTypePage::loadsWithoutWritingBack() {
    GraphDocumentModel model;
    TypePage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    const GraphDocument graph = sampleGraph();
    model.replace(graph);

    QCOMPARE(changed.count(), 1);
    QVERIFY(model.document() == graph);
    QCOMPARE(page.edtHeader->text(), u"Sales 2026"_s);
    QVERIFY(page.rdoHeaderLeft->isChecked());
    QVERIFY(!page.rdoHeaderTop->isChecked());
    QVERIFY(page.chkBGTrans->isChecked());
    QCOMPARE(page.edtFooter->text(), u"Source: ledger"_s);
    QCOMPARE(page.pnlFootColor->text(), u"0x112233"_s);
}

void TstTypePage::headerTextIsWrittenOnLeavingOnly() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    TypePage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.edtHeader->setFocus();
    QTest::keyClicks(page.edtHeader, u" Q3"_s);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.document().header.edtHeader, u"Sales 2026"_s);

    Q_EMIT page.edtHeader->editingFinished();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().header.edtHeader, u"Sales 2026 Q3"_s);
}

void TstTypePage::clickedControlsWriteOnce() {
    GraphDocumentModel model;
    model.replace(sampleGraph());
    TypePage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.rdoHeaderBottom->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.document().header.headerPosition, HeaderPosition::Bottom);
    QVERIFY(!page.rdoHeaderLeft->isChecked());

    page.chkBGTrans->click();
    QCOMPARE(changed.count(), 2);
    QVERIFY(!model.document().header.chkBGTrans);
}

void TstTypePage::buttonPickHidesCaptionAndCancelChangesNothing() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(sampleGraph());
    TypePage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    dialogs.colours.push_back(QColor(0xAB, 0xCD, 0xEF));
    page.btnFootTxtColor->click();
    QCOMPARE(changed.count(), 1);
    const ColorPanel picked = model.document().header.pnlFootColor;
    QCOMPARE(picked.caption, u"0xABCDEF"_s);
    QCOMPARE(picked.color, makeWindowColor(0xAB, 0xCD, 0xEF));
    QCOMPARE(page.pnlFootColor->text(), u"0xABCDEF"_s);
    // The caption is written in the panel's own colour, so it does not show.
    QVERIFY(page.pnlFootColor->styleSheet().contains(u"color: #abcdef"_s));

    // The dialog starts with the panel's own colour, not the one chosen last; cancelling it
    // keeps everything.
    page.btnBackGroundColour->click();
    const WindowColor background = sampleGraph().header.pnlBackColour.color;
    QCOMPARE(dialogs.colourStarts.last(),
             QColor(redOf(background), greenOf(background), blueOf(background)));
    QVERIFY(dialogs.colourStarts.last() != QColor(0xAB, 0xCD, 0xEF));
    QCOMPARE(changed.count(), 1);
    QVERIFY(model.document().header.pnlBackColour == sampleGraph().header.pnlBackColour);
}

void TstTypePage::refusesTextTheFileCannotHold() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(sampleGraph());
    TypePage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    for (const QString& text : {u"Up 5%"_s, u"Sales \u20AC \u4E2D"_s}) {
        page.edtFooter->setText(text);
        Q_EMIT page.edtFooter->editingFinished();
        const QStringList shown = dialogs.takeMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith(u"\"Footer\" cannot hold the character"_s),
                 qPrintable(shown.first()));
        // The typed text stays in the field to be corrected; the graph is untouched.
        QCOMPARE(page.edtFooter->text(), text);
    }
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.document().header.edtFooter, u"Source: ledger"_s);
}

} // namespace tivora

QTEST_MAIN(tivora::TstTypePage)
#include "tst_type_page.moc"
