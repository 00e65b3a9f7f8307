#include "shell/main_menu.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tivora {

class StartUpTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartStoresSkinAndHidesRecentItems() {
        test::ShellEnvironment environment;
        TfrmLumara window;
        window.show();
        QCOMPARE(test::ShellEnvironment::storedValue(u"Skin"_s),
                 environment.folder() + u"Default.skn"_s);
        for (const QAction* item : window.menu().mnuRecent)
            QVERIFY(!item->isVisible());
        QCOMPARE(window.title(), u"Tivora Designer"_s);
        QVERIFY(!window.menu().mnuSave->isEnabled());
        QVERIFY(!window.menu().mnuSaveAs->isEnabled());
        QVERIFY(!window.menu().mnuCloseFile->isEnabled());
        QVERIFY(window.menu().Open1->isEnabled());
        QVERIFY(window.menu().Exit1->isEnabled());
        QVERIFY(!window.pageControl1->isVisible());
        QVERIFY(!window.Panel9->isVisible());
        QCOMPARE(window.centralWidget()->size(), QSize(716, 458));
        QVERIFY(environment.dialogs.shown.isEmpty());
    }

    void storedSettingsAreShown() {
        test::ShellEnvironment environment;
        test::ShellEnvironment::store(u"Skin"_s, u"/skins/Blue.skn"_s);
        test::ShellEnvironment::store(u"Recent1"_s, u"/graphs/a&b.TVX"_s);
        test::ShellEnvironment::store(u"Recent2"_s, u"   "_s);
        test::ShellEnvironment::store(u"Recent3"_s, u"/graphs/c.tvx"_s);
        TfrmLumara window;
        window.show();
        QCOMPARE(test::ShellEnvironment::storedValue(u"Skin"_s), u"/skins/Blue.skn"_s);
        const auto& recent = window.menu().mnuRecent;
        QVERIFY(recent[0]->isVisible());
        QCOMPARE(recent[0]->text(), u"/graphs/a&&b.TVX"_s);
        QVERIFY(!recent[1]->isVisible());
        QVERIFY(recent[2]->isVisible());
        QVERIFY(!recent[3]->isVisible());
    }

    // A settings file that is a pipe would be waited on for ever before the window shows.
    void settingsFileThatIsNoFileIsReportedAndLeftAlone() {
        test::ShellEnvironment environment;
        const QString folder = environment.folder() + u"settings/Orvanta"_s;
        QVERIFY(QDir().mkpath(folder));
        const QString pipe = folder + u"/Tivora.conf"_s;
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        {
            TfrmLumara window;
            window.show();
            QVERIFY(window.isVisible());
            QTRY_VERIFY(!environment.dialogs.shown.isEmpty());
            QCOMPARE(environment.dialogs.take(),
                     QStringList{u"error: The settings file %1 is not an ordinary file (it is "
                                 "a folder, pipe or device). The designer starts without its "
                                 "stored settings and keeps none this time."_s.arg(pipe)});
            // The settings work for this run, without touching the pipe.
            window.settings().setRecentFiles({u"/graphs/a.TVX"_s});
            QCOMPARE(window.settings().recentFiles().first(), u"/graphs/a.TVX"_s);
            window.close();
        }
        struct stat status {};
        QVERIFY(::lstat(QFile::encodeName(pipe).constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
    }

    void storedWindowSizeIsKeptWithinTheScreen_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("100000") << u"@Size(100000 100000)"_s;
        QTest::newRow("2^31") << u"@Size(2147483648 2147483648)"_s;
        QTest::newRow("2^31 - 1") << u"@Size(2147483647 2147483647)"_s;
    }
    void storedWindowSizeIsKeptWithinTheScreen() {
        QFETCH(QString, stored);
        test::ShellEnvironment environment;
        const QString file = environment.folder() + u"settings/Orvanta/Tivora.conf"_s;
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile settings(file);
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[General]\nWindowSize=" + stored.toLatin1() + "\n");
        settings.close();
        TfrmLumara window;
        window.show();
        const QSize available = window.screen()->availableGeometry().size();
        QVERIFY2(window.width() <= available.width() && window.height() <= available.height(),
                 qPrintable(u"%1 x %2"_s.arg(window.width()).arg(window.height())));
        QVERIFY(window.centralWidget()->width() >= 716);
    }

    void menuBarHoldsTheCommandsInOrder() {
        test::ShellEnvironment environment;
        TfrmLumara window;
        QStringList titles;
        for (const QAction* action : window.menuBar()->actions())
            titles.append(action->text());
        QCOMPARE(titles,
                 (QStringList{u"&File"_s, u"&Edit"_s, u"&Publish"_s, u"&Tools"_s, u"&Help"_s}));
        QStringList fileItems;
        for (const QAction* action : window.menuBar()->actions().first()->menu()->actions())
            fileItems.append(action->isSeparator() ? u"-"_s : action->text());
        QCOMPARE(fileItems, (QStringList{u"&New"_s, u"&Open"_s, u"&Save"_s, u"Save &As"_s, u"-"_s,
                                         u"Close File"_s, u"-"_s, u"Exit"_s, u"&Recent"_s}));
        QCOMPARE(window.Panel9->btnRefresh->toolTip(), u"Refresh the preview"_s);
        QVERIFY(window.menu().mnuPublish->isEnabled());
        QVERIFY(window.menu().mnuChangeSkin->isEnabled());
        QVERIFY(window.menu().mnuNew->isEnabled());
        QVERIFY(window.menu().mnuHelp->isEnabled());
        QVERIFY(window.menu().mnuAbout->isEnabled());
        // Nothing to undo before a graph is there.
        QVERIFY(!window.menu().mnuUndo->isEnabled());
        QVERIFY(!window.menu().mnuRedo->isEnabled());
        QVERIFY(window.Panel9->btnPreview->isEnabled());
    }
};

} // namespace tivora

QTEST_MAIN(tivora::StartUpTest)
#include "tst_start_up.moc"
