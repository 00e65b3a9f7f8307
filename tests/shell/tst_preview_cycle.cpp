#include "common/manual_clock.h"
#include "controls/movie_player.h"
#include "editing/editor_page.h"
#include "shell/file_commands.h"
#include "shell/preview_cycle.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

class PlainPage : public EditorPage {
public:
    explicit PlainPage(QString caption)
        : m_caption(std::move(caption)) {}
    QString caption() const override { return m_caption; }
    bool shownFor(const QString&) const override { return true; }

private:
    QString m_caption;
};

// The main window with a graph open, and a record of the movies its player loads.
struct PreviewFixture {
    PreviewFixture() {
        window.addEditorPage(new PlainPage(u"Type"_s));
        window.addEditorPage(new PlainPage(u"Data"_s));
        window.show();
        environment.dialogs.fileNames.push_back(
            environment.writeGraph(u"sales.TVX"_s, test::ShellEnvironment::seriesGraph(3, 12)));
        window.fileCommands().Open1Click();
        environment.dialogs.take();
    }

    QString slide0() const { return environment.folder() + u"Data/Slide0.txt"_s; }
    QByteArray slide0Text() const { return test::ShellEnvironment::contents(slide0()); }
    // The movie names loaded since the last call.
    QStringList takeLoads() {
        QStringList names;
        for (const QList<QVariant>& load : std::as_const(loads))
            names.append(QFileInfo(load.first().toString()).fileName());
        loads.clear();
        return names;
    }
    void edit(const std::function<void(GraphDocument&)>& change) { window.model().edit(change); }

    test::ManualClock clock; // made first: the window takes its timers from it
    test::ShellEnvironment environment;
    TfrmLumara window;
    QSignalSpy loads{window.Panel9->ShockwaveFlash1, &MoviePlayer::movieLoaded};
};

const QStringList kGraphLoad{u"flGraph.swf"_s, u"Tivorav32.swf"_s};
const QStringList kNoInfoLoad{u"flGraph.swf"_s, u"NoInfo.swf"_s};

} // namespace

class PreviewCycleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openingWritesTheGraphAndPlaysTheEngine() {
        PreviewFixture fixture;
        QVERIFY(fixture.slide0Text().contains("&v_=2.0"));
        const MoviePlayer& player = *fixture.window.Panel9->ShockwaveFlash1;
        QCOMPARE(player.movie(), fixture.environment.folder() + u"Data/Tivorav32.swf"_s);
        QVERIFY(player.isPlaying());
    }

    void everyChangeSourceRefreshes() {
        PreviewFixture fixture;
        fixture.takeLoads();
        const QByteArray before = fixture.slide0Text();
        fixture.edit([](GraphDocument& document) { document.header.edtHeader = u"Costs"_s; });
        QCOMPARE(fixture.takeLoads(), kGraphLoad);
        QVERIFY(fixture.slide0Text() != before);

        // The Refresh button replays the movie every time, even with nothing changed.
        QTest::mouseClick(fixture.window.Panel9->btnRefresh, Qt::LeftButton);
        QTest::mouseClick(fixture.window.Panel9->btnRefresh, Qt::LeftButton);
        QCOMPARE(fixture.takeLoads(), kGraphLoad + kGraphLoad);

        // A page change or a save with the text unchanged keeps the movie playing; the file is
        // still rewritten.
        QFile::remove(fixture.slide0());
        fixture.window.pageControl1->setCurrentIndex(1);
        QVERIFY(fixture.window.fileCommands().mnuSaveClick());
        QVERIFY(fixture.takeLoads().isEmpty());
        QVERIFY(QFile::exists(fixture.slide0()));
    }

    void unchangedRefreshKeepsTheAnimationTime() {
        PreviewFixture fixture;
        const MoviePlayer& player = *fixture.window.Panel9->ShockwaveFlash1;
        fixture.clock.advance(120);
        const double before = player.currentTime();
        QCOMPARE(before, 120.0);
        fixture.window.preview().RefreshPreview();
        QCOMPARE(player.currentTime(), before);
        fixture.takeLoads();

        // A change of text restarts it, as does going from the graph to the no-information movie
        // and back.
        fixture.edit([](GraphDocument& document) { document.header.edtHeader = u"Costs"_s; });
        QCOMPARE(player.currentTime(), 0.0);
        fixture.takeLoads();
        fixture.edit([](GraphDocument& document) { document.series.edtCols = u"0"_s; });
        fixture.edit([](GraphDocument& document) { document.series.edtCols = u"0"_s; });
        QCOMPARE(fixture.takeLoads(), kNoInfoLoad);
        fixture.edit([](GraphDocument& document) { document.series.edtCols = u"12"_s; });
        QCOMPARE(fixture.takeLoads(), kGraphLoad);
    }

    void f5ReplaysThePreview() {
        PreviewFixture fixture;
        fixture.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture.window));
        fixture.takeLoads();
        fixture.window.pageControl1->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QTRY_COMPARE(fixture.loads.size(), 2);
        QCOMPARE(fixture.takeLoads(), kGraphLoad);
    }

    void incompleteGraphShowsNoInfoAndKeepsTheFile() {
        PreviewFixture fixture;
        fixture.takeLoads();
        const QByteArray before = fixture.slide0Text();
        fixture.edit([](GraphDocument& document) { document.series.edtCols = u"0"_s; });
        QCOMPARE(fixture.takeLoads(), kNoInfoLoad);
        QCOMPARE(fixture.slide0Text(), before);
        QVERIFY(fixture.window.model().document().graphIncomplete);
        QVERIFY(fixture.environment.dialogs.shown.isEmpty());

        fixture.edit([](GraphDocument& document) { document.series.edtCols = u"12"_s; });
        QCOMPARE(fixture.takeLoads(), kGraphLoad);
        QVERIFY(!fixture.window.model().document().graphIncomplete);
    }

    void refreshWhileReadingDoesNothing() {
        PreviewFixture fixture;
        fixture.edit([](GraphDocument& document) { document.loadingGraph = true; });
        fixture.takeLoads();
        QFile::remove(fixture.slide0());
        fixture.window.preview().RefreshPreview();
        fixture.edit([](GraphDocument& document) { document.header.edtHeader = u"Costs"_s; });
        QVERIFY(fixture.takeLoads().isEmpty());
        QVERIFY(!QFile::exists(fixture.slide0()));
    }

    void failedWriteIsReportedAndTheEngineStillPlays() {
        PreviewFixture fixture;
        fixture.takeLoads();
        // A folder in the preview file's place makes the write fail.
        QFile::remove(fixture.slide0());
        QVERIFY(QDir().mkpath(fixture.slide0()));
        fixture.window.preview().RefreshPreview();
        QCOMPARE(fixture.environment.dialogs.take(),
                 QStringList{u"error: Error writing Temporary File"_s});
        // The second line names the file and the system's reason.
        QCOMPARE(fixture.environment.dialogs.details.size(), 1);
        QVERIFY(fixture.environment.dialogs.details.first().startsWith(fixture.slide0() + u": "_s));
        QVERIFY(fixture.environment.dialogs.details.first().size() > fixture.slide0().size() + 3);
        QCOMPARE(fixture.takeLoads(), kGraphLoad);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::PreviewCycleTest)
#include "tst_preview_cycle.moc"
