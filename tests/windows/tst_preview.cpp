// The preview window: its layout, following the main window, and the snapshot with its save.
#include "controls/keys/key_sender.h"
#include "preview_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

const QString kFilter =
    u"Bitmap (*.bmp);;PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf);;"
    "GIF animation (*.gif);;WebP animation (*.webp);;MP4 video (*.mp4);;WebM video (*.webm);;"
    "PowerPoint slide deck (*.pptx)"_s;
const QString kSaveDialog = u"save: Export "_s + kFilter + u" bmp"_s;

class KeyRecorder : public KeySink {
public:
    KeyRecorder() { installKeySink(this); }
    ~KeyRecorder() override { installKeySink(nullptr); }
    QList<int> pressed;
    void keyDown(const SentKey& key) override { pressed.append(key.virtualKey); }
    void keyUp(const SentKey&) override {}
    void wait(int) override {}
};

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files);
}

// The preview of a graph whose animation takes a while to write, about to be exported to name;
// before holds the files of the folder the export goes to.
struct LongExport {
    explicit LongExport(const QString& name) {
        fixture.writeSlide0(test::ShellEnvironment::seriesGraph(12, 60));
        fixture.preview.showPreview();
        before = filesIn(fixture.environment.folder());
        fixture.dialogs.fileNames = {fixture.path(name)};
    }

    test::PreviewFixture fixture;
    QStringList before;
};

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWindowIsThePlayerOverAButtonPanel() {
        test::PreviewFixture fixture;
        TfrmPreview& preview = fixture.preview;
        preview.show();
        QCOMPARE(preview.windowTitle(), u"Preview"_s);
        QCOMPARE(preview.size(), QSize(700, 521));
        QCOMPARE(preview.ShockwaveFlash1->geometry(), QRect(0, 0, 700, 475));
        QCOMPARE(preview.Panel1->geometry(), QRect(0, 475, 700, 46));
        QCOMPARE(preview.btnSaveImage->text(), u"&Export"_s);
        QCOMPARE(preview.btnRefresh->text(), u"&Refresh"_s);
        QCOMPARE(preview.btnClose->text(), u"&Close"_s);
        QVERIFY(preview.btnSaveImage->x() < preview.btnRefresh->x());
        QVERIFY(preview.btnRefresh->x() < preview.btnClose->x());
        QVERIFY(!preview.isModal());
        QVERIFY(preview.btnSaveImage->isEnabled());
        QCOMPARE(preview.ShockwaveFlash1->movie(), programDataPath(u"Tivorav32.swf"_s));
        QVERIFY(preview.ShockwaveFlash1->isPlaying());
    }

    void followsTheMainWindowOnlyWhileVisible() {
        test::PreviewFixture fixture;
        QSignalSpy loads(fixture.preview.ShockwaveFlash1, &MoviePlayer::movieLoaded);
        fixture.preview.followMainPreview();
        QCOMPARE(loads.count(), 0);

        fixture.preview.showPreview();
        loads.clear();
        fixture.preview.followMainPreview();
        QCOMPARE(loads.count(), 2);
        QCOMPARE(loads.at(0).first().toString(), programDataPath(u"flGraph.swf"_s));
        QCOMPARE(loads.at(1).first().toString(), programDataPath(u"Tivorav32.swf"_s));

        // An incomplete graph shows the no-information movie, as the main window does.
        fixture.setIncomplete(true);
        fixture.preview.followMainPreview();
        QCOMPARE(fixture.preview.ShockwaveFlash1->movie(), programDataPath(u"NoInfo.swf"_s));

        fixture.preview.hide();
        loads.clear();
        fixture.preview.followMainPreview();
        QCOMPARE(loads.count(), 0);
    }

    void closingRefreshesTheMainWindowThenHides() {
        test::PreviewFixture fixture;
        fixture.preview.showPreview();
        bool visibleWhenAsked = false;
        connect(&fixture.preview, &TfrmPreview::refreshMainPreview, this,
                [&] { visibleWhenAsked = fixture.preview.isVisible(); });
        QSignalSpy asked(&fixture.preview, &TfrmPreview::refreshMainPreview);
        QTest::mouseClick(fixture.preview.btnClose, Qt::LeftButton);
        QCOMPARE(asked.count(), 1);
        QVERIFY(visibleWhenAsked);
        QVERIFY(!fixture.preview.isVisible());

        // Escape closes it the same way.
        fixture.preview.showPreview();
        QApplication::setActiveWindow(&fixture.preview);
        QVERIFY(QTest::qWaitForWindowActive(&fixture.preview));
        QTest::keyClick(&fixture.preview, Qt::Key_Escape);
        QCOMPARE(asked.count(), 2);
        QVERIFY(!fixture.preview.isVisible());
    }

    void theSnapshotIsTheMovieAreaAsTheEngineDrawsIt() {
        test::PreviewFixture fixture;
        fixture.preview.showPreview();
        QTest::qWait(250); // part of the way through the growing bars
        engine::Millis capturedAt = -1;
        fixture.dialogs.whileSaving = [&] {
            capturedAt = fixture.preview.ShockwaveFlash1->currentTime();
        };
        fixture.dialogs.fileNames.push_back(fixture.path(u"still.png"_s));
        fixture.preview.btnSaveImageClick();

        QCOMPARE(fixture.dialogs.take(),
                 QStringList({kSaveDialog, u"message: Export complete "_s}));
        const QImage saved(fixture.path(u"still.png"_s));
        QCOMPARE(saved.size(), QSize(700, 475));
        QVERIFY(capturedAt > 0);
        const QImage expected =
            fixture.engineFrame(programDataPath(u"Tivorav32.swf"_s), capturedAt);
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), expected);
        // A frame of a moving graph: the settled picture differs.
        QVERIFY(expected != fixture.engineFrame(programDataPath(u"Tivorav32.swf"_s), 60000));
    }

    void anIncompleteGraphSnapshotsTheNoInformationMovie() {
        test::PreviewFixture fixture;
        fixture.setIncomplete(true);
        fixture.preview.showPreview();
        engine::Millis capturedAt = -1;
        fixture.dialogs.whileSaving = [&] {
            capturedAt = fixture.preview.ShockwaveFlash1->currentTime();
        };
        fixture.dialogs.fileNames.push_back(fixture.path(u"empty.png"_s));
        fixture.preview.btnSaveImageClick();
        const QImage saved(fixture.path(u"empty.png"_s));
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 fixture.engineFrame(programDataPath(u"NoInfo.swf"_s), capturedAt));
    }

    void bothPlayersHaltWhileTheSnapshotIsTaken() {
        test::PreviewFixture fixture;
        fixture.mainPlayer.setMovie(programDataPath(u"Tivorav32.swf"_s));
        fixture.preview.showPreview();
        KeyRecorder keys;
        QStringList during;
        fixture.dialogs.whileSaving = [&] {
            const TfrmPreview& preview = fixture.preview;
            during = {preview.windowTitle(),
                      preview.btnSaveImage->isEnabled() ? u"enabled"_s : u"disabled"_s,
                      preview.ShockwaveFlash1->isPlaying() ? u"playing"_s : u"halted"_s,
                      fixture.mainPlayer.isPlaying() ? u"playing"_s : u"halted"_s};
        };
        fixture.dialogs.fileNames.push_back(fixture.path(u"still.bmp"_s));
        fixture.preview.btnSaveImageClick();
        QCOMPARE(during, QStringList({u"SNAPSHOT Pending .... Please wait ...."_s, u"disabled"_s,
                                      u"halted"_s, u"halted"_s}));
        QCOMPARE(keys.pressed, QList<int>({16, 17, 18, 44}));
        // The preview plays again; the main window's player waits for its next refresh.
        QVERIFY(fixture.preview.ShockwaveFlash1->isPlaying());
        QVERIFY(!fixture.mainPlayer.isPlaying());
    }

    void cancellingWritesNothingAndRestoresTheWindow() {
        test::PreviewFixture fixture;
        fixture.preview.showPreview();
        fixture.preview.ShockwaveFlash1->Stop();
        const QStringList before = filesIn(fixture.environment.folder());
        QSignalSpy loads(fixture.preview.ShockwaveFlash1, &MoviePlayer::movieLoaded);
        fixture.preview.btnSaveImageClick();
        QCOMPARE(fixture.dialogs.take(), QStringList{u"unanswered: "_s + kSaveDialog});
        QCOMPARE(filesIn(fixture.environment.folder()), before);
        QCOMPARE(fixture.preview.windowTitle(), u"Preview"_s);
        QVERIFY(fixture.preview.btnSaveImage->isEnabled());
        // The animation starts again from a fresh load.
        QCOMPARE(loads.count(), 2);
        QVERIFY(fixture.preview.ShockwaveFlash1->isPlaying());
        QVERIFY(fixture.preview.ShockwaveFlash1->currentTime() < 1000);
    }

    void noPictureMeansAMessageAndNothingSaved() {
        test::PreviewFixture fixture;
        fixture.preview.showPreview();
        fixture.preview.ShockwaveFlash1->setFixedSize(0, 0);
        fixture.dialogs.fileNames.push_back(fixture.path(u"still.bmp"_s));
        fixture.preview.btnSaveImageClick();
        QCOMPARE(fixture.dialogs.take(),
                 QStringList{u"error: No picture of the graph could be taken."_s});
        QVERIFY(!QFile::exists(fixture.path(u"still.bmp"_s)));
        QCOMPARE(fixture.preview.windowTitle(), u"Preview"_s);
        QVERIFY(fixture.preview.btnSaveImage->isEnabled());
    }

    void aFailedSaveSaysSoAndLeavesNoFile() {
        test::PreviewFixture fixture;
        fixture.preview.showPreview();
        // A folder that cannot be made (a file stands in its place) and one that is missing.
        const QString blocker = fixture.path(u"blocker"_s);
        QFile(blocker).open(QIODevice::WriteOnly);
        fixture.dialogs.fileNames = {blocker + u"/still.bmp"_s, fixture.path(u"none/still.png"_s),
                                     blocker + u"/still.svg"_s};
        for (int attempt = 0; attempt < 3; ++attempt)
            fixture.preview.btnSaveImageClick();
        QCOMPARE(fixture.dialogs.take(), QStringList({kSaveDialog, u"error: File I/O error."_s,
                                                      kSaveDialog, u"error: File I/O error."_s,
                                                      kSaveDialog, u"error: File I/O error."_s}));
        QVERIFY(fixture.dialogs.details.at(0).contains(u"still.bmp"_s));
        QVERIFY(!QFile::exists(fixture.path(u"none/still.png"_s)));

        // A file in the way keeps what it held when the save cannot complete.
        const QString occupied = fixture.path(u"taken.png"_s);
        QVERIFY(QDir().mkpath(occupied));
        fixture.dialogs.fileNames = {occupied};
        fixture.preview.btnSaveImageClick();
        QCOMPARE(fixture.dialogs.take(), QStringList({kSaveDialog, u"error: File I/O error."_s}));
        QVERIFY(QFileInfo(occupied).isDir());
        QCOMPARE(fixture.preview.windowTitle(), u"Preview"_s);
    }

    void anUnknownExtensionIsRefusedWithTheFormatsNamed() {
        test::PreviewFixture fixture;
        fixture.preview.showPreview();
        fixture.dialogs.fileNames = {fixture.path(u"still.jpg"_s)};
        fixture.preview.btnSaveImageClick();
        QCOMPARE(fixture.dialogs.take(), QStringList({kSaveDialog, u"error: File I/O error."_s}));
        QVERIFY(fixture.dialogs.details.constLast().contains(
            u".bmp, .png, .svg, .pdf, .gif, .webp, .mp4, .webm or .pptx"_s));
        QVERIFY(!QFile::exists(fixture.path(u"still.jpg"_s)));
    }

    void everyFormatOfTheListIsWritten() {
        test::PreviewFixture fixture;
        fixture.preview.showPreview();
        fixture.dialogs.fileNames = {fixture.path(u"still.bmp"_s), fixture.path(u"still.svg"_s),
                                     fixture.path(u"still.pdf"_s), fixture.path(u"whole.mp4"_s),
                                     fixture.path(u"slide.pptx"_s)};
        for (int format = 0; format < 4; ++format)
            fixture.preview.btnSaveImageClick();
        const QString complete = u"message: Export complete "_s;
        QCOMPARE(fixture.dialogs.take(), QStringList({kSaveDialog, complete, kSaveDialog, complete,
                                                      kSaveDialog, complete, kSaveDialog}));
        // The animation and the deck are written aside; each end is told when it comes.
        for (int aside = 0; aside < 2; ++aside) {
            QTRY_VERIFY_WITH_TIMEOUT(!fixture.preview.isExporting(), 30000);
            QCOMPARE(fixture.dialogs.take(), QStringList{complete});
            QVERIFY(fixture.preview.prgExport->isHidden());
            QVERIFY(fixture.preview.btnSaveImage->isEnabled());
            if (aside == 0) {
                fixture.preview.btnSaveImageClick();
                QVERIFY(fixture.preview.isExporting());
                QCOMPARE(fixture.dialogs.take(), QStringList{kSaveDialog});
            }
        }
        QCOMPARE(QImage(fixture.path(u"still.bmp"_s), "BMP").size(), QSize(700, 475));
        const QByteArray svg = fixture.environment.contents(fixture.path(u"still.svg"_s));
        QVERIFY(svg.contains("viewBox=\"0 0 700 475\""));
        QVERIFY(fixture.environment.contents(fixture.path(u"still.pdf"_s)).startsWith("%PDF"));
        // The animation from the start: an MP4 container ("ftyp" after the first box's size).
        QCOMPARE(fixture.environment.contents(fixture.path(u"whole.mp4"_s)).mid(4, 4),
                 QByteArray("ftyp"));
        // A presentation: a zip package whose first part names the content types.
        const QByteArray deck = fixture.environment.contents(fixture.path(u"slide.pptx"_s));
        QVERIFY(deck.startsWith("PK") && deck.contains("[Content_Types].xml"));
    }

    void anAnimationIsWrittenAsideAndACancelLeavesNoFile_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("GIF") << u"whole.gif"_s;
        QTest::newRow("slide deck") << u"slide.pptx"_s;
    }
    void anAnimationIsWrittenAsideAndACancelLeavesNoFile() {
        QFETCH(QString, name);
        LongExport gif(name);
        test::PreviewFixture& fixture = gif.fixture;
        // The window's own timers keep firing while the frames are written.
        int ticksWhileExporting = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
            if (fixture.preview.isExporting())
                ++ticksWhileExporting;
        });
        timer.start(1);
        int shownProgress = 0;
        QProgressBar* progress = fixture.preview.prgExport;
        QObject::connect(progress, &QProgressBar::valueChanged, progress, [&](int done) {
            shownProgress = std::max(shownProgress, done);
            if (done >= 3)
                fixture.preview.btnCancelExport->click();
        });

        fixture.preview.btnSaveImageClick();
        QVERIFY(fixture.preview.isExporting());
        QVERIFY(fixture.preview.btnCancelExport->isVisible());
        QCOMPARE(fixture.preview.btnCancelExport->text(), u"Cancel"_s);
        QVERIFY(!fixture.preview.btnSaveImage->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.preview.isExporting(), 30000);

        QVERIFY(ticksWhileExporting > 0);
        QVERIFY(shownProgress >= 3);
        QVERIFY(shownProgress < fixture.preview.prgExport->maximum());
        // No message, no file and no leftover part of one.
        QCOMPARE(fixture.dialogs.take(), QStringList{kSaveDialog});
        QCOMPARE(filesIn(fixture.environment.folder()), gif.before);
        QVERIFY(fixture.preview.btnCancelExport->isHidden());
        QVERIFY(fixture.preview.btnSaveImage->isEnabled());
    }

    void closingTheWindowStopsARunningExport() {
        LongExport webm(u"whole.webm"_s);
        test::PreviewFixture& fixture = webm.fixture;
        fixture.preview.btnSaveImageClick();
        QVERIFY(fixture.preview.isExporting());
        fixture.preview.btnCloseClick();
        QTRY_VERIFY(!fixture.preview.isExporting());
        QCOMPARE(fixture.dialogs.take(), QStringList{kSaveDialog});
        QCOMPARE(filesIn(fixture.environment.folder()), webm.before);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::PreviewTest)
#include "tst_preview.moc"
