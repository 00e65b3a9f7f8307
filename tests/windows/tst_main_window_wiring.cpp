// The main window's "Preview" button, "&About" and "&Help": the windows they show and the preview
// window following the main window's refreshes.
#include "../shell/shell_environment.h"
#include "controls/movie_player.h"
#include "shell/file_commands.h"
#include "shell/main_menu.h"
#include "shell/preview_cycle.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"
#include "windows/tfrm_about.h"
#include "windows/tfrm_help.h"
#include "windows/tfrm_preview.h"

#include <QAction>
#include <QDesktopServices>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// Takes the URLs the desktop is asked to open, instead of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder() { QDesktopServices::setUrlHandler(u"file"_s, this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(u"file"_s); }
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

struct MainWindowFixture {
    MainWindowFixture() {
        window.show();
        environment.dialogs.fileNames.push_back(
            environment.writeGraph(u"sales.TVX"_s, test::ShellEnvironment::seriesGraph(2, 4)));
        window.fileCommands().Open1Click();
        environment.dialogs.take();
    }

    test::ShellEnvironment environment;
    TfrmLumara window;
};

} // namespace

class MainWindowWiringTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void previewButtonShowsTheWindowWithoutMakingItModal() {
        MainWindowFixture fixture;
        QVERIFY(!fixture.window.frmPreview->isVisible());
        QTest::mouseClick(fixture.window.Panel9->btnPreview, Qt::LeftButton);
        QVERIFY(fixture.window.frmPreview->isVisible());
        QVERIFY(!fixture.window.frmPreview->isModal());
        QCOMPARE(fixture.window.frmPreview->ShockwaveFlash1->movie(),
                 programDataPath(u"Tivorav32.swf"_s));
    }

    void thePreviewFollowsMainRefreshesOnlyWhileVisible() {
        MainWindowFixture fixture;
        QSignalSpy loads(fixture.window.frmPreview->ShockwaveFlash1, &MoviePlayer::movieLoaded);
        fixture.window.preview().RefreshPreview();
        QCOMPARE(loads.count(), 0);

        fixture.window.frmPreview->showPreview();
        loads.clear();
        fixture.window.model().edit(
            [](GraphDocument& document) { document.series.edtCols = u"0"_s; });
        QCOMPARE(loads.count(), 2);
        QCOMPARE(fixture.window.frmPreview->ShockwaveFlash1->movie(),
                 programDataPath(u"NoInfo.swf"_s));

        fixture.window.frmPreview->hide();
        loads.clear();
        QTest::mouseClick(fixture.window.Panel9->btnRefresh, Qt::LeftButton);
        QCOMPARE(loads.count(), 0);
    }

    void closingThePreviewRestartsTheMainPlayer() {
        MainWindowFixture fixture;
        fixture.window.frmPreview->showPreview();
        MoviePlayer& mainPlayer = *fixture.window.Panel9->ShockwaveFlash1;
        mainPlayer.StopPlay();
        QTest::mouseClick(fixture.window.frmPreview->btnClose, Qt::LeftButton);
        QVERIFY(mainPlayer.isPlaying());
        QVERIFY(!fixture.window.frmPreview->isVisible());
    }

    void aboutShowsTheModalAboutWindow() {
        MainWindowFixture fixture;
        bool shownModal = false;
        QTimer::singleShot(0, fixture.window.frmAbout, [&] {
            shownModal = fixture.window.frmAbout->isVisible() && fixture.window.frmAbout->isModal();
            fixture.window.frmAbout->accept();
        });
        fixture.window.menu().mnuAbout->trigger();
        QVERIFY(shownModal);
    }

    // The guide shows in the program's own window, whether or not the desktop has a browser.
    void helpShowsTheGuideBesideTheProgramInItsOwnWindow() {
        MainWindowFixture fixture;
        UrlRecorder desktop;
        QVERIFY(QDir().mkpath(fixture.environment.folder() + u"help"_s));
        QFile guide(fixture.environment.folder() + u"help/Index.htm"_s);
        QVERIFY(guide.open(QIODevice::WriteOnly));
        guide.write("<h1>Tivora Designer</h1>");
        guide.close();
        fixture.window.menu().mnuHelp->trigger();
        auto* help = fixture.window.findChild<TfrmHelp*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->txtGuide->source(),
                 QUrl::fromLocalFile(fixture.environment.folder() + u"help/Index.htm"_s));
        QVERIFY(desktop.opened.isEmpty());
        QVERIFY(fixture.environment.dialogs.shown.isEmpty());
        // F1 again brings the one window back rather than making another.
        help->hide();
        fixture.window.menu().mnuHelp->trigger();
        QCOMPARE(fixture.window.findChildren<TfrmHelp*>().size(), 1);
        QVERIFY(help->isVisible());
        QCOMPARE(fixture.window.menu().mnuHelp->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void aMissingGuideIsReported() {
        MainWindowFixture fixture;
        UrlRecorder desktop;
        fixture.window.menu().mnuHelp->trigger();
        QVERIFY(desktop.opened.isEmpty());
        QVERIFY(!fixture.window.findChild<TfrmHelp*>());
        QCOMPARE(fixture.environment.dialogs.take(),
                 QStringList{u"error: The help pages could not be found."_s});
    }
};

} // namespace tivora

QTEST_MAIN(tivora::MainWindowWiringTest)
#include "tst_main_window_wiring.moc"
