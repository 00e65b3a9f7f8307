#include "document/program_folder.h"
#include "editing/effects_page.h"
#include "editing_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
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
    QStringList startFolders;

    QString openFileName(const QString&, const QString& filter,
                         const QString& startFolder) override {
        filters.append(filter);
        startFolders.append(startFolder);
        if (files.empty())
            return {};
        QString file = files.front();
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
    void choosersStartInTheDataFolder();
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
    QVERIFY(dialogs.filters.first().contains(u"Image files (*.jpg)"_s));

    dialogs.files.push_back(u"/photos/b.jpg"_s);
    page.btnBImage[1]->click();
    QCOMPARE(model.document().effects.edtBImage2, u"/photos/b.jpg"_s);
    QCOMPARE(page.edtBImage[1]->text(), u"/photos/b.jpg"_s);
    QCOMPARE(changed.count(), 2);
}

void TstEffectsPage::choosersStartInTheDataFolder() {
    QTemporaryDir folder;
    setProgramFolder(folder.path());
    FileDialogs dialogs;
    GraphDocumentModel model;
    EffectsPage page(model);
    QSignalSpy changed(&model, &GraphDocumentModel::changed);

    // The effect chooser is the open dialog; only the file's name is kept.
    dialogs.files.push_back(u"/elsewhere/Stars.EFF"_s);
    page.btnBOverlay->click();
    QCOMPARE(model.document().effects.edtBOverlay, u"Stars.EFF"_s);
    QCOMPARE(page.edtBOverlay->text(), u"Stars.EFF"_s);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(dialogs.filters.constLast(), u"Effect Files (*.eff)"_s);
    page.btnBOverlay->click(); // cancelled: nothing changes
    QCOMPARE(model.document().effects.edtBOverlay, u"Stars.EFF"_s);
    QCOMPARE(changed.count(), 1);
    QTest::mouseClick(page.edtBOverlay, Qt::LeftButton);
    QCOMPARE(changed.count(), 2); // a click into the effect's edit refreshes

    page.btnBImage[0]->click();
    const QString data = QDir(folder.path()).filePath(u"Data"_s) + u'/';
    QCOMPARE(dialogs.startFolders, (QStringList{data, data, data}));
    // Both filters take the extension in any letter case, matched as the file dialog matches
    // them: letter case does not count.
    const auto matches = [&](int dialog, const QString& name) {
        const QString pattern = dialogs.filters.at(dialog).section(u'(', 1).chopped(1);
        return QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive)
            .match(name)
            .hasMatch();
    };
    for (const QString& name : {u"a.eff"_s, u"b.EFF"_s, u"c.Eff"_s})
        QVERIFY(matches(0, name));
    for (const QString& name : {u"a.jpg"_s, u"b.JPG"_s, u"c.Jpg"_s})
        QVERIFY(matches(2, name));
    QVERIFY(!matches(2, u"d.png"_s));
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
