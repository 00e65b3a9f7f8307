#include "controls/movie_player.h"
#include "open_designer.h"
#include "shell/file_commands.h"
#include "shell/main_menu.h"
#include "shell/preview_panel.h"
#include "shell/start_screen.h"
#include "shell/tfrm_lumara.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr double kStageAspect = 700.0 / 475.0;

using test::OpenDesigner;

void verifyStageShape(const QWidget& player) {
    const double aspect = double(player.width()) / player.height();
    // Whole pixels: within one pixel of the stage's shape either way.
    QVERIFY2(std::abs(aspect - kStageAspect) <= kStageAspect / player.height() + 0.01,
             qPrintable(u"%1 x %2"_s.arg(player.width()).arg(player.height())));
}

void verifyEveryTabFits(const TfrmLumara& window) {
    const QTabBar* tabs = window.pageControl1->tabBar();
    for (int index = 0; index < tabs->count(); ++index) {
        if (!tabs->isTabVisible(index))
            continue;
        const QRect tab = tabs->tabRect(index);
        const QRect shown(tabs->mapTo(window.pageControl1, tab.topLeft()), tab.size());
        QVERIFY2(window.pageControl1->rect().contains(shown),
                 qPrintable(u"tab %1 at %2..%3 of %4"_s.arg(index)
                                .arg(shown.left())
                                .arg(shown.right())
                                .arg(window.pageControl1->width())));
    }
}

// The widgets that take the focus by Tab, in the order Tab visits them from the window.
QWidgetList tabChain(QWidget& window) {
    QWidgetList chain;
    for (QWidget* next = window.nextInFocusChain(); next != &window;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible())
            chain.append(next);
    }
    return chain;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensAtItsSizeAndGrowsWithThePreviewInShape() {
        OpenDesigner open;
        TfrmLumara& window = open.window;
        QCOMPARE(window.centralWidget()->size(), QSize(716, 458));
        verifyStageShape(open.player());
        verifyEveryTabFits(window);
        const QSize firstPlayer = open.player().size();
        const int firstPages = window.pageControl1->width();

        for (const QSize size : {QSize(1920, 1040), QSize(1000, 900), QSize(1600, 600)}) {
            window.resize(size);
            QTRY_COMPARE(window.size(), size);
            QCoreApplication::processEvents();
            verifyStageShape(open.player());
            verifyEveryTabFits(window);
            QVERIFY(open.player().width() > firstPlayer.width());
            QVERIFY(window.pageControl1->width() >= firstPages);
            // The buttons stay under the player, inside the window.
            const QRect refresh = window.Panel9->btnRefresh->geometry();
            QVERIFY(refresh.top() >= open.player().geometry().bottom());
            QVERIFY(window.Panel9->rect().contains(window.Panel9->btnPreview->geometry()));
        }
        // Never smaller than the first size.
        window.resize(300, 200);
        QCoreApplication::processEvents();
        QVERIFY(window.centralWidget()->width() >= 716);
        QVERIFY(window.centralWidget()->height() >= 458);
    }

    void everyTabFitsWithALargeFont() {
        const QFont usual = QApplication::font();
        QFont large = usual;
        large.setPointSizeF(usual.pointSizeF() * 1.6);
        QApplication::setFont(large);
        {
            OpenDesigner open;
            verifyEveryTabFits(open.window);
            verifyStageShape(open.player());
        }
        QApplication::setFont(usual);
    }

    void sizeIsRememberedPerUser() {
        test::ShellEnvironment environment;
        // A size the screen can show: a larger one comes back within the screen.
        const QSize wanted =
            QGuiApplication::primaryScreen()->availableGeometry().size() - QSize(20, 20);
        {
            TfrmLumara window;
            window.show();
            window.resize(wanted);
            QTRY_COMPARE(window.size(), wanted);
            QVERIFY(window.close());
        }
        {
            TfrmLumara window;
            QCOMPARE(window.size(), wanted);
            QVERIFY(!window.isMaximized());
            window.show();
            window.showMaximized();
            QTRY_VERIFY(window.isMaximized());
            QVERIFY(window.close());
        }
        TfrmLumara window;
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        // The size it had before it was maximised is kept for when it is restored.
        QCOMPARE(window.normalGeometry().size().isValid() ? window.normalGeometry().size()
                                                          : window.size(),
                 wanted);
    }

    void startScreenRunsTheFileCommands() {
        test::ShellEnvironment environment;
        const QString recent =
            environment.writeGraph(u"R&D.TVX"_s, test::ShellEnvironment::seriesGraph(2, 4));
        test::ShellEnvironment::store(u"Recent2"_s, recent);
        TfrmLumara window;
        window.show();
        StartScreen& start = *window.startScreen;
        QVERIFY(start.isVisible());
        QCOMPARE(start.recentLinks().size(), 1);
        QVERIFY(start.recentLinks().first()->text().startsWith(u"R&&D.TVX"_s));

        // "New graph..." runs the New command, with whatever template chooser it has.
        QVERIFY(start.btnNewGraph->isEnabled());
        int chosen = 0;
        window.fileCommands().setTemplateChooser([&] {
            ++chosen;
            return QString();
        });
        QTest::mouseClick(start.btnNewGraph, Qt::LeftButton);
        QCOMPARE(chosen, 1);

        QTest::mouseClick(start.btnOpen, Qt::LeftButton);
        QCOMPARE(environment.dialogs.take(),
                 QStringList{u"unanswered: open: Open File Tivora files (*.TVX)"_s});

        // The link opens its file; the screen goes while a graph is shown and comes back when
        // it is closed.
        QTest::mouseClick(start.recentLinks().first(), Qt::LeftButton);
        QCOMPARE(window.model().document().currentFileName, recent);
        QVERIFY(!start.isVisible());
        QVERIFY(window.pageControl1->isVisible());
        window.fileCommands().mnuCloseFileClick();
        QVERIFY(start.isVisible());
        QVERIFY(!window.Panel9->isVisible());
    }

    void titleMarksUnsavedChanges() {
        OpenDesigner open;
        TfrmLumara& window = open.window;
        QVERIFY(!window.isWindowModified());
        QCOMPARE(window.title(), u"Tivora Designer - sales.TVX"_s);
        QVERIFY(window.windowTitle().contains(u"[*]"_s));
        auto setHeader = [&](const QString& text) {
            window.model().edit([&](GraphDocument& document) { document.header.edtHeader = text; });
        };
        setHeader(u"Costs"_s);
        QVERIFY(window.isWindowModified());
        // Changed back by hand: nothing left to save.
        setHeader(u"Sales"_s);
        QVERIFY(!window.isWindowModified());
        setHeader(u"Costs"_s);
        QVERIFY(window.fileCommands().mnuSaveClick());
        QVERIFY(!window.isWindowModified());
    }

    void keyboardReachesEveryCommand() {
        test::ShellEnvironment environment;
        TfrmLumara window;
        // Every menu title has an access key, and no two share one.
        QSet<QChar> keys;
        for (const QAction* title : window.menuBar()->actions()) {
            const qsizetype marker = title->text().indexOf(u'&');
            QVERIFY2(marker >= 0, qPrintable(title->text()));
            keys.insert(title->text().at(marker + 1).toLower());
        }
        QCOMPARE(keys.size(), window.menuBar()->actions().size());

        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(environment.dialogs.take(),
                 QStringList{u"unanswered: open: Open File Tivora files (*.TVX)"_s});
        // Alt and a title's key opens its menu.
        QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(window.menuBar()->activeAction());
        QCOMPARE(window.menuBar()->activeAction()->text(), u"&File"_s);
    }

    void tabGoesThroughThePagesBeforeThePreviewButtons() {
        OpenDesigner open;
        TfrmLumara& window = open.window;
        const QWidgetList chain = tabChain(window);
        const qsizetype refresh = chain.indexOf(window.Panel9->btnRefresh);
        QCOMPARE(chain.indexOf(window.Panel9->btnPreview), refresh + 1);
        for (qsizetype index = 0; index < chain.size(); ++index) {
            if (window.pageControl1->isAncestorOf(chain[index]))
                QVERIFY2(index < refresh, qPrintable(chain[index]->objectName()));
        }
    }
};

} // namespace tivora

QTEST_MAIN(tivora::MainWindowTest)
#include "tst_main_window.moc"
