#include "document/program_folder.h"
#include "editing/effects_page.h"
#include "editing_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Answers each open-file dialog from a queue; an empty queue cancels.
class FileDialogs : public test::EditingDialogs {
public:
    std::deque<QString> files;
    QStringList filters;

    QString openFileName(const QString&, const QString& filter, const QString&) override {
        filters.append(filter);
        if (files.empty())
            return {};
        const QString file = files.front();
        files.pop_front();
        return file;
    }
};

void leave(QLineEdit* field, const QString& text) {
    field->setText(text);
    Q_EMIT field->editingFinished();
}

} // namespace

class TstEffectsPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsTheGraphWithoutWritingIt();
    void eachControlEditsTheGraphOnce();
    void photoChoiceKeepsThePathAndRefreshesOnCancel();
    void effectMenuListsTheDataFolderEffects();
    void textTheFileCannotCarryIsRefused();
};

void TstEffectsPage::loadsTheGraphWithoutWritingIt() {
    GraphDocumentModel model;
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    EffectsPage page(model);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(page.cbShading->count(), 12);
    QCOMPARE(page.cbShading->currentText(), u"vertical 1"_s);
    QCOMPARE(page.sbShading->value(), 50);
    QVERIFY(!page.shownFor(u"pie"_s));
    QVERIFY(page.shownFor(u"line"_s));

    GraphDocument graph;
    graph.effects.cbShading = 11;
    graph.effects.sbShading.setPosition(80);
    graph.effects.edtBImage2 = u"/photos/b.jpg"_s;
    graph.effects.edtBOverlay = u"snow.eff"_s;
    graph.effects.trkBOverlayAlpha.setPosition(5);
    model.replace(graph);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(page.cbShading->currentText(), u"Sunburst top right"_s);
    QCOMPARE(page.sbShading->caption()->text(), u"80"_s);
    QCOMPARE(page.edtBImage[1]->text(), u"/photos/b.jpg"_s);
    QCOMPARE(page.edtBOverlay->text(), u"snow.eff"_s);
    QCOMPARE(page.trkBOverlayAlpha->value(), 5);
}

void TstEffectsPage::eachControlEditsTheGraphOnce() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    EffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.cbShading->setCurrentIndex(3);
    QCOMPARE(model.document().effects.cbShading, 3);
    QCOMPARE(changed.count(), 1);
    page.sbShading->setValue(95);
    QCOMPARE(model.document().effects.sbShading.position(), 80);
    page.trkBImageAlpha->setValue(1);
    QCOMPARE(model.document().effects.trkBImageAlpha.position(), 5);
    leave(page.edtBImage[2], u"/photos/c.jpg"_s);
    QCOMPARE(model.document().effects.edtBImage3, u"/photos/c.jpg"_s);
    QCOMPARE(changed.count(), 4);

    dialogs.colours.push_back(QColor(0x12, 0x34, 0x56));
    page.btnGBackColour->click();
    QCOMPARE(model.document().effects.pnlGBackColor.caption, u"0x123456"_s);
    QCOMPARE(changed.count(), 5);
    page.btnGBackColour->click(); // cancelled
    QCOMPARE(changed.count(), 5);
}

void TstEffectsPage::photoChoiceKeepsThePathAndRefreshesOnCancel() {
    FileDialogs dialogs;
    GraphDocumentModel model;
    EffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    page.btnBImage[1]->click();
    QCOMPARE(changed.count(), 1); // cancelled, still refreshed
    QVERIFY(model.document().effects.edtBImage2.isEmpty());
    QVERIFY(dialogs.filters.first().contains(u"*.jpg"_s));

    dialogs.files.push_back(u"/photos/b.jpg"_s);
    page.btnBImage[1]->click();
    QCOMPARE(model.document().effects.edtBImage2, u"/photos/b.jpg"_s);
    QCOMPARE(page.edtBImage[1]->text(), u"/photos/b.jpg"_s);
    QCOMPARE(changed.count(), 2);
}

void TstEffectsPage::effectMenuListsTheDataFolderEffects() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(u"Data"_s));
    for (const QString& name : {u"rain.eff"_s, u"Bubbles.EFF"_s, u"photo.jpg"_s}) {
        QFile file(folder.path() + u"/Data/"_s + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    setProgramFolder(folder.path());
    QCOMPARE(EffectsPage::dataEffectFiles(), (QStringList{u"Bubbles.EFF"_s, u"rain.eff"_s}));

    GraphDocumentModel model;
    EffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);
    Q_EMIT page.effectMenu()->aboutToShow();
    Q_EMIT page.effectMenu()->aboutToShow(); // listed afresh, not twice
    const QList<QAction*> actions = page.effectMenu()->actions();
    QCOMPARE(actions.size(), 4);
    QCOMPARE(actions.last()->text(), u"Other..."_s);
    actions.at(1)->trigger();
    QCOMPARE(model.document().effects.edtBOverlay, u"rain.eff"_s);
    QCOMPARE(page.edtBOverlay->text(), u"rain.eff"_s);
    QCOMPARE(changed.count(), 1);
    QTest::mouseClick(page.edtBOverlay, Qt::LeftButton);
    QCOMPARE(changed.count(), 2); // a click into the effect's edit refreshes

    FileDialogs dialogs;
    dialogs.files.push_back(u"/elsewhere/stars.eff"_s);
    actions.last()->trigger();
    QCOMPARE(model.document().effects.edtBOverlay, u"stars.eff"_s);
    QVERIFY(dialogs.filters.first().contains(u"*.eff"_s));
    setProgramFolder(QString());
}

void TstEffectsPage::textTheFileCannotCarryIsRefused() {
    test::EditingDialogs dialogs;
    GraphDocumentModel model;
    EffectsPage page(model);
    leave(page.edtBImage[0], u"/photos/100%.jpg"_s);
    QVERIFY(model.document().effects.edtBImage1.isEmpty());
    QCOMPARE(dialogs.takeMessages().size(), 1);
}

} // namespace tivora

QTEST_MAIN(tivora::TstEffectsPage)
#include "tst_effects_page.moc"
