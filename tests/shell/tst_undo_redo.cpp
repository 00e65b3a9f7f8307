#include "shell/file_commands.h"
#include "shell/main_menu.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QAbstractSlider>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const QString kUnsavedQuestion =
    u"question: The graph has been changed.  Do you want to save the changes?"_s;

struct Designer {
    Designer() {
        window.show();
        path = environment.writeGraph(u"sales.TVX"_s, test::ShellEnvironment::seriesGraph(3, 6));
        environment.dialogs.fileNames.push_back(path);
        window.fileCommands().Open1Click();
        environment.dialogs.take();
    }

    const GraphDocument& document() { return window.model().document(); }
    template <typename Widget> Widget* control(const QString& name) {
        return window.findChild<Widget*>(name);
    }
    void showPage(const QString& page) {
        window.pageControl1->setCurrentWidget(control<QWidget>(page));
    }
    QString currentPage() { return window.pageControl1->currentWidget()->objectName(); }
    void leaveWith(const QString& field, const QString& text) {
        auto* edit = control<QLineEdit>(field);
        edit->setText(text);
        Q_EMIT edit->editingFinished();
    }
    void undo() { window.menu().mnuUndo->trigger(); }
    void redo() { window.menu().mnuRedo->trigger(); }

    test::ShellEnvironment environment;
    TfrmLumara window;
    QString path;
};

// The scripted dialogs, with a colour dialog that picks one colour.
class ColourDialogs : public test::ScriptedDialogs {
public:
    std::optional<QColor> chooseColor(const QColor&) override { return QColor(0x12, 0x34, 0x56); }
};

} // namespace

class UndoRedoTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theEditMenuSitsBetweenFileAndPublish() {
        Designer designer;
        const MainMenu& menu = designer.window.menu();
        QCOMPARE(menu.mnuUndo->text(), u"&Undo"_s);
        QCOMPARE(menu.mnuRedo->text(), u"&Redo"_s);
        QCOMPARE(menu.mnuUndo->shortcut(), QKeySequence(u"Ctrl+Z"_s));
        QCOMPARE(menu.mnuRedo->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(u"Ctrl+Shift+Z"_s), QKeySequence(u"Ctrl+Y"_s)}));
        QVERIFY(!menu.mnuUndo->isEnabled());
        QVERIFY(!menu.mnuRedo->isEnabled());
    }

    void undoShowsThePageOfTheChange() {
        Designer designer;
        designer.showPage(u"TabType"_s);
        designer.leaveWith(u"edtHeader"_s, u"Revenue"_s);
        designer.showPage(u"TabXAxis"_s);
        designer.leaveWith(u"edtXTitle"_s, u"Quarter"_s);
        designer.showPage(u"TabSize"_s);
        QVERIFY(designer.window.menu().mnuUndo->isEnabled());

        designer.undo();
        QCOMPARE(designer.currentPage(), u"TabXAxis"_s);
        QCOMPARE(designer.document().axes.edtXTitle, QString());
        QCOMPARE(designer.control<QLineEdit>(u"edtXTitle"_s)->text(), QString());
        QCOMPARE(designer.document().header.edtHeader, u"Revenue"_s);
        QVERIFY(designer.window.menu().mnuRedo->isEnabled());

        designer.undo();
        QCOMPARE(designer.currentPage(), u"TabType"_s);
        QCOMPARE(designer.document().header.edtHeader, u"Sales"_s);
        QCOMPARE(designer.control<QLineEdit>(u"edtHeader"_s)->text(), u"Sales"_s);
        QVERIFY(!designer.window.menu().mnuUndo->isEnabled());

        designer.showPage(u"TabBarEffects"_s);
        designer.redo();
        QCOMPARE(designer.currentPage(), u"TabType"_s);
        QCOMPARE(designer.document().header.edtHeader, u"Revenue"_s);
        designer.redo();
        QCOMPARE(designer.currentPage(), u"TabXAxis"_s);
        QCOMPARE(designer.document().axes.edtXTitle, u"Quarter"_s);
        QVERIFY(!designer.window.menu().mnuRedo->isEnabled());
    }

    void aDialogsChangeIsUndoneOnItsPage() {
        Designer designer;
        const ColorPanel before = designer.document().effects.pnlGBackColor;
        ColourDialogs colours;
        designer.showPage(u"TabBarEffects"_s);
        designer.control<QPushButton>(u"btnGBackColour"_s)->click();
        QCOMPARE(designer.document().effects.pnlGBackColor.caption, u"0x123456"_s);
        designer.showPage(u"TabType"_s);
        designer.undo();
        QCOMPARE(designer.currentPage(), u"TabBarEffects"_s);
        QVERIFY(designer.document().effects.pnlGBackColor == before);
    }

    void oneSliderDragIsOneStep() {
        Designer designer;
        designer.showPage(u"TabSize"_s);
        auto* scale = designer.control<QAbstractSlider>(u"trkScaleGraph"_s);
        const int start = scale->value();
        for (int step = 1; step <= 5; ++step)
            scale->setValue(start + step * 5);
        designer.undo();
        QCOMPARE(scale->value(), start);
        QCOMPARE(designer.document().placement.trkScaleGraph.position(), start);
        QVERIFY(!designer.window.menu().mnuUndo->isEnabled());
    }

    void undoBackToTheSavedGraphAsksNothing() {
        Designer designer;
        designer.leaveWith(u"edtHeader"_s, u"Changed"_s);
        designer.undo();
        designer.environment.dialogs.fileNames.push_back(designer.path);
        designer.window.fileCommands().Open1Click();
        QVERIFY(!designer.environment.dialogs.take().contains(kUnsavedQuestion));

        // Redone, the change is unsaved again.
        designer.leaveWith(u"edtHeader"_s, u"Changed"_s);
        designer.undo();
        designer.redo();
        designer.environment.dialogs.yesNoCancelAnswers.push_back(Dialogs::Answer::Cancel);
        designer.window.fileCommands().Open1Click();
        QVERIFY(designer.environment.dialogs.take().contains(kUnsavedQuestion));
    }

    void openNewAndCloseStartAfresh() {
        Designer designer;
        designer.leaveWith(u"edtHeader"_s, u"One"_s);
        designer.window.fileCommands().mnuCloseFileClick();
        QVERIFY(!designer.window.menu().mnuUndo->isEnabled());

        designer.leaveWith(u"edtHeader"_s, u"Two"_s);
        designer.window.fileCommands().mnuSaveClick();
        designer.environment.dialogs.fileNames.push_back(designer.path);
        designer.window.fileCommands().Open1Click();
        QVERIFY(!designer.window.menu().mnuUndo->isEnabled());

        designer.leaveWith(u"edtHeader"_s, u"Three"_s);
        designer.undo();
        QVERIFY(designer.window.menu().mnuRedo->isEnabled());
        designer.window.fileCommands().setTemplateChooser([] { return u"Data/blank.dat"_s; });
        designer.window.fileCommands().mnuNewClick();
        QCOMPARE(designer.document().templateFile, u"Data/blank.dat"_s);
        QVERIFY(!designer.window.menu().mnuUndo->isEnabled());
        QVERIFY(!designer.window.menu().mnuRedo->isEnabled());
    }
};

} // namespace tivora

QTEST_MAIN(tivora::UndoRedoTest)
#include "tst_undo_redo.moc"
