#include "common/manual_clock.h"
#include "controls/movie_player.h"
#include "document/program_folder.h"
#include "windows/tfrm_tutorial.h"
#include "windows/tutorial_page_dots.h"
#include "windows/tutorial_pages.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// A tutorial movie of pageCount pages, each shown for pageTime ms, written to folder.
QString writeTutorial(const QTemporaryDir& folder, int pageCount, const QByteArray& pageTime) {
    QByteArray movie = "TVMOVIE 1\nkind=tutorial\npage=" + pageTime + "\n--\n";
    for (int page = 1; page <= pageCount; ++page)
        movie += "# Page " + QByteArray::number(page) + "\nA step\n";
    QString path = folder.filePath(u"Tutorial%1.swf"_s.arg(pageCount));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(movie) != movie.size())
        return {};
    return path;
}

// The tutorial shown with movie, active, so that its keys reach it.
struct ShownTutorial {
    explicit ShownTutorial(const QString& movie) {
        tutorial.tutorialMovie = movie;
        tutorial.show();
        tutorial.activateWindow();
    }
    bool active() { return QTest::qWaitForWindowActive(&tutorial); }
    engine::Millis time() const { return tutorial.ShockwaveFlash1->currentTime(); }

    TfrmTutorial tutorial;
};

} // namespace

class TutorialTest : public QObject {
    Q_OBJECT

    QString dataPath(const QString& name) const { return programDataPath(name); }

    // Every window of the tests takes its time and timers from this clock.
    test::ManualClock m_clock;

private Q_SLOTS:
    void initTestCase() {
        // Only read here: the built Data folder serves as it is.
        QDir folder(QStringLiteral(TIVORA_DATA_DIR));
        folder.cdUp();
        setProgramFolder(folder.path());
    }
    void cleanupTestCase() { setProgramFolder(QString()); }

    void theWindow() {
        TfrmTutorial tutorial;
        QCOMPARE(tutorial.windowTitle(), u"Tutorial"_s);
        QCOMPARE(tutorial.size(), QSize(580, 491));
        QCOMPARE(tutorial.ShockwaveFlash1->size(), QSize(580, 450));
        QCOMPARE(tutorial.btnOK->text(), u"&OK"_s);
        QVERIFY(!tutorial.isModal());
    }

    void everyShowingPlaysTheTutorialFromItsStart() {
        TfrmTutorial tutorial;
        tutorial.tutorialMovie = dataPath(u"PPTutorial.swf"_s);
        QSignalSpy loads(tutorial.ShockwaveFlash1, &MoviePlayer::movieLoaded);
        tutorial.show();
        // The blank movie in between makes the tutorial a fresh load.
        QCOMPARE(loads.size(), 2);
        QCOMPARE(loads[0][0].toString(), dataPath(u"flGraph.swf"_s));
        QCOMPARE(loads[1][0].toString(), tutorial.tutorialMovie);
        QVERIFY(tutorial.ShockwaveFlash1->isPlaying());
        m_clock.advance(120);
        QCOMPARE(tutorial.ShockwaveFlash1->currentTime(), 120.0);

        tutorial.btnOK->click();
        QVERIFY(!tutorial.isVisible());
        tutorial.show();
        QCOMPARE(loads.size(), 4);
        QCOMPARE(tutorial.ShockwaveFlash1->currentTime(), 0.0);
    }

    void pagesLieOneAfterAnotherAndGoRound() {
        QTemporaryDir folder;
        const TutorialPages pages = TutorialPages::of(writeTutorial(folder, 3, "2000"));
        QCOMPARE(pages.count(), 3);
        QCOMPARE(pages.startOf(2), 4000.0);
        QCOMPARE(pages.pageAt(0), 0);
        QCOMPARE(pages.pageAt(1999), 0);
        QCOMPARE(pages.pageAt(2000), 1);
        QCOMPARE(pages.pageAt(5999), 2);
        QCOMPARE(pages.pageAt(6000 + 2500), 1);
        // Each page's start shows that page, also where the page time does not divide evenly.
        const TutorialPages uneven = TutorialPages::of(writeTutorial(folder, 5, "1000.51"));
        for (int page = 0; page < uneven.count(); ++page)
            QCOMPARE(uneven.pageAt(uneven.startOf(page)), page);
        // A page time the movie refuses (under a second, none, or endless) is the movie's
        // default, so the window turns pages in step with the movie.
        QCOMPARE(TutorialPages::of(writeTutorial(folder, 2, "500")).startOf(1), 9000.0);
        QCOMPARE(TutorialPages::of(writeTutorial(folder, 4, "")).startOf(1), 9000.0);
        QCOMPARE(TutorialPages::of(writeTutorial(folder, 3, "inf")).startOf(1), 9000.0);
        QCOMPARE(TutorialPages::of(writeTutorial(folder, 3, "1e300")).startOf(1), 9000.0);
        QCOMPARE(TutorialPages::of(dataPath(u"flGraph.swf"_s)).count(), 0);
        QCOMPARE(TutorialPages::of(folder.filePath(u"missing.swf"_s)).count(), 0);
    }

    void arrowKeysTurnThePagesWhicheverControlHasFocus() {
        QTemporaryDir folder;
        ShownTutorial shown(writeTutorial(folder, 3, "2000"));
        QVERIFY(shown.active());
        TfrmTutorial& tutorial = shown.tutorial;
        tutorial.btnOK->setFocus();
        QTest::keyClick(tutorial.btnOK, Qt::Key_Right);
        QCOMPARE(tutorial.currentPage(), 1);
        QCOMPARE(shown.time(), 2000.0);
        QCOMPARE(tutorial.dotsPages->currentPage(), 1);
        QTest::keyClick(&tutorial, Qt::Key_Right);
        QCOMPARE(tutorial.currentPage(), 2);
        // After the last page comes the first, as the movie itself goes round, and back again.
        QTest::keyClick(&tutorial, Qt::Key_Right);
        QCOMPARE(tutorial.currentPage(), 0);
        QTest::keyClick(tutorial.dotsPages->dot(0), Qt::Key_Left);
        QCOMPARE(tutorial.currentPage(), 2);
        QCOMPARE(tutorial.dotsPages->currentPage(), 2);
        QVERIFY(tutorial.ShockwaveFlash1->isPlaying());
    }

    void clickingAPageDotTurnsToItsPage() {
        QTemporaryDir folder;
        ShownTutorial shown(writeTutorial(folder, 4, "3000"));
        TfrmTutorial& tutorial = shown.tutorial;
        QCOMPARE(tutorial.dotsPages->pageCount(), 4);
        QVERIFY(tutorial.dotsPages->isVisible());
        QCOMPARE(tutorial.dotsPages->currentPage(), 0);
        QTest::mouseClick(tutorial.dotsPages->dot(2), Qt::LeftButton);
        QCOMPARE(tutorial.currentPage(), 2);
        QCOMPARE(shown.time(), 6000.0);
        QVERIFY(tutorial.dotsPages->dot(2)->isChecked());
        QCOMPARE(tutorial.dotsPages->dot(2)->accessibleName(), u"Page 3"_s);
        // From the keyboard: the dot in focus is pressed with the space bar.
        tutorial.dotsPages->dot(1)->setFocus();
        QTest::keyClick(tutorial.dotsPages->dot(1), Qt::Key_Space);
        QCOMPARE(tutorial.currentPage(), 1);
    }

    void theDotsFollowTheMovieTurningItsOwnPages() {
        QTemporaryDir folder;
        ShownTutorial shown(writeTutorial(folder, 3, "1000"));
        m_clock.advance(999);
        QCOMPARE(shown.tutorial.dotsPages->currentPage(), 0);
        // The dots catch up within a fifth of a second.
        m_clock.advance(200);
        QCOMPARE(shown.tutorial.dotsPages->currentPage(), 1);
        // Hidden, the window stops following the movie.
        shown.tutorial.hide();
        m_clock.advance(1000);
        QCOMPARE(shown.tutorial.dotsPages->currentPage(), 1);
    }

    void aShowingStartsAgainFromTheFirstPageWithTheMoviesOwnDots() {
        QTemporaryDir folder;
        ShownTutorial shown(writeTutorial(folder, 5, "2000"));
        TfrmTutorial& tutorial = shown.tutorial;
        tutorial.showPage(3);
        tutorial.hide();
        tutorial.tutorialMovie = writeTutorial(folder, 2, "2000");
        tutorial.show();
        QCOMPARE(tutorial.dotsPages->pageCount(), 2);
        QCOMPARE(tutorial.dotsPages->currentPage(), 0);
        QCOMPARE(tutorial.currentPage(), 0);
    }

    void aMovieOfOnePageOrNoTutorialHasNothingToTurn() {
        QTemporaryDir folder;
        ShownTutorial single(writeTutorial(folder, 1, "2000"));
        QVERIFY(!single.tutorial.dotsPages->isVisible());
        ShownTutorial other(dataPath(u"NoInfo.swf"_s));
        QVERIFY(other.active());
        QCOMPARE(other.tutorial.dotsPages->pageCount(), 0);
        m_clock.advance(50);
        QTest::keyClick(&other.tutorial, Qt::Key_Right);
        QCOMPARE(other.time(), 50.0);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TutorialTest)
#include "tst_tutorial.moc"
