#include "document/program_folder.h"
#include "editing/pie_effects_page.h"
#include "editing_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstPieEffectsPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsWithoutWritingBack();
    void barsAndShadowChoiceEditOnce();
    void imagePathIsWrittenAtEveryChange();
    void imageTextTheFileCannotHoldIsRefused();
    void browsePutsTheChosenPathIn();
};

namespace {

// Answers the open-file dialog from a queue (an empty queue cancels) and records what it was
// asked with.
class BrowseDialogs : public test::EditingDialogs {
public:
    std::deque<QString> paths;
    QStringList titles;
    QStringList filters;
    QStringList startFolders;

    QString openFileName(const QString& title, const QString& filter,
                         const QString& startFolder) override {
        titles.append(title);
        filters.append(filter);
        startFolders.append(startFolder);
        if (paths.empty())
            return {};
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

GraphDocument pieGraph() {
    GraphDocument document;
    document.graphType = u"pie"_s;
    document.baseType = u"pie"_s;
    document.pie.edtPieImage = u"/pictures/pie.jpg"_s;
    document.pie.TBPieOverlay.setPosition(70);
    document.pie.rdoShowShadow = false;
    document.pie.trkShadowAlpha.setPosition(20);
    document.pie.trkShadowUpDown.setPosition(250);
    document.pie.trkShadowLeftRight.setPosition(8);
    return document;
}

} // namespace

void TstPieEffectsPage::loadsWithoutWritingBack() {
    GraphDocumentModel model;
    PieEffectsPage page(model);
    QVERIFY(page.shownFor(u"pie"_s));
    QVERIFY(!page.shownFor(u"line"_s));
    QCOMPARE(page.trkShadowUpDown->maximum(), 300);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    const GraphDocument graph = pieGraph();
    model.replace(graph);

    QCOMPARE(changed.count(), 1);
    QVERIFY(model.document() == graph);
    QCOMPARE(page.edtPieImage->text(), u"/pictures/pie.jpg"_s);
    QCOMPARE(page.TBPieOverlay->value(), 70);
    QVERIFY(page.rdoHideShadow->isChecked());
    QCOMPARE(page.trkShadowAlpha->value(), 20);
    QCOMPARE(page.trkShadowUpDown->value(), 250);
    QCOMPARE(page.findChild<QLabel*>(u"lblShadowLeftRight"_s)->text(), u"8"_s);
}

void TstPieEffectsPage::barsAndShadowChoiceEditOnce() {
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieEffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.rdoShowShadow->click();
    QVERIFY(model.document().pie.rdoShowShadow);
    page.TBPieOverlay->setValue(1);
    QCOMPARE(model.document().pie.TBPieOverlay.position(), 5);
    page.trkShadowAlpha->setValue(100);
    QCOMPARE(model.document().pie.trkShadowAlpha.position(), 100);
    page.trkShadowUpDown->setValue(120);
    QCOMPARE(model.document().pie.trkShadowUpDown.position(), 120);
    page.trkShadowLeftRight->setValue(300);
    QCOMPARE(model.document().pie.trkShadowLeftRight.position(), 300);
    QCOMPARE(changed.count(), 5);
}

void TstPieEffectsPage::imagePathIsWrittenAtEveryChange() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieEffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.edtPieImage->selectAll();
    QTest::keyClicks(page.edtPieImage, u"a.jpg"_s);
    QCOMPARE(changed.count(), 5);
    QCOMPARE(model.document().pie.edtPieImage, u"a.jpg"_s);
    // Leaving the field writes nothing more.
    Q_EMIT page.edtPieImage->editingFinished();
    QCOMPARE(changed.count(), 5);
    QVERIFY(dialogs.messages.isEmpty());
}

void TstPieEffectsPage::imageTextTheFileCannotHoldIsRefused() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieEffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.edtPieImage->selectAll();
    QTest::keyClicks(page.edtPieImage, u"100%.jpg"_s);
    // Typing writes every text the file can hold, and none after the "%".
    QCOMPARE(changed.count(), 3);
    QCOMPARE(model.document().pie.edtPieImage, u"100"_s);
    // The refusal shows once the field is left, and the field keeps the text to be corrected.
    QVERIFY(dialogs.messages.isEmpty());
    Q_EMIT page.edtPieImage->editingFinished();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(page.edtPieImage->text(), u"100%.jpg"_s);
    QCOMPARE(changed.count(), 3);
}

void TstPieEffectsPage::browsePutsTheChosenPathIn() {
    BrowseDialogs dialogs;
    GraphDocumentModel model;
    model.replace(pieGraph());
    PieEffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    // Cancel changes nothing.
    page.btnFindFile->click();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(dialogs.titles, QStringList{u"Select Image File"_s});
    QVERIFY(dialogs.filters.constFirst().contains(u"Image files (*.jpg)"_s));
    // The chooser opens in the program's Data folder.
    QCOMPARE(dialogs.startFolders, QStringList{programDataPath(QString())});

    dialogs.paths.push_back(u"/home/user/Pictures/logo.jpg"_s);
    page.btnFindFile->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(page.edtPieImage->text(), u"/home/user/Pictures/logo.jpg"_s);
    QCOMPARE(model.document().pie.edtPieImage, u"/home/user/Pictures/logo.jpg"_s);

    // A chosen path the graph file cannot carry is refused at once.
    dialogs.paths.push_back(u"/home/user/50%/logo.jpg"_s);
    page.btnFindFile->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(dialogs.takeMessages().size(), 1);
    QCOMPARE(model.document().pie.edtPieImage, u"/home/user/Pictures/logo.jpg"_s);
}

} // namespace tivora

QTEST_MAIN(tivora::TstPieEffectsPage)
#include "tst_pie_effects_page.moc"
