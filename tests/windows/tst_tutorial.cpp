#include "controls/movie_player.h"
#include "document/program_folder.h"
#include "windows/tfrm_tutorial.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TutorialTest : public QObject {
    Q_OBJECT

    QString dataPath(const QString& name) const { return programDataPath(name); }

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
        QTest::qWait(120);
        QVERIFY(tutorial.ShockwaveFlash1->currentTime() >= 100);

        tutorial.btnOK->click();
        QVERIFY(!tutorial.isVisible());
        tutorial.show();
        QCOMPARE(loads.size(), 4);
        QVERIFY(tutorial.ShockwaveFlash1->currentTime() < 100);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TutorialTest)
#include "tst_tutorial.moc"
