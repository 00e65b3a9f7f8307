// The player widget: fresh loads, the frame timer that runs only while frames change, playback.
#include "common/manual_clock.h"
#include "controls/clock.h"
#include "controls/movie_player.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

QByteArray encoded(const QByteArray& value) {
    QByteArray out = value;
    for (char& c : out)
        c = char(c + 1);
    return out;
}

// A one-series bar graph in colour, growing at speed (0: drawn at once).
QByteArray barGraph(const QByteArray& color, const QByteArray& speed) {
    return "&v_=2.0&gt_=" + encoded("bar") + "&bg_=0xFFFFFF&bga_=0&sr_=" + encoded("1") +
           "&co_=" + encoded("2") + "&typ_=" + encoded("bar") + "&anim_=" + encoded(speed) +
           "&alp_=" + encoded("100") + "&bsc_=" + encoded(color) + "&y1v_=" + encoded("90/x/90") +
           "&YMin=" + encoded("0") + "&YMax=" + encoded("100") + "&YStep=" + encoded("10") +
           "&Textloaded=OK";
}

int pixelsNear(const QImage& image, QColor color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - color.red()) < 60 &&
                             std::abs(pixel.green() - color.green()) < 60 &&
                             std::abs(pixel.blue() - color.blue()) < 60
                         ? 1
                         : 0;
        }
    }
    return count;
}

} // namespace

class PlayerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void reloadsOnEverySetMovie();
    void timerRunsOnlyWhileFramesChange();
    void stopHoldsTheClock();
    void showsAllOfTheStageCentred();

private:
    void writeGraph(const QByteArray& text);
    QString m_engine;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void PlayerTest::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_engine = m_folder->filePath(u"Tivorav32.swf"_s);
    QVERIFY(QFile::copy(QStringLiteral(TIVORA_SOURCE_DIR "/data/Tivorav32.swf"), m_engine));
}

void PlayerTest::writeGraph(const QByteArray& text) {
    QFile file(m_folder->filePath(u"Slide0.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void PlayerTest::reloadsOnEverySetMovie() {
    MoviePlayer player;
    player.resize(700, 475);
    QSignalSpy loaded(&player, &MoviePlayer::movieLoaded);
    writeGraph(barGraph("0xFF0000", "0"));
    player.setMovie(m_engine);
    QVERIFY(pixelsNear(player.grab().toImage(), Qt::red) > 5000);
    writeGraph(barGraph("0x0000FF", "0"));
    player.setMovie(m_engine); // the same path: loaded afresh
    const QImage again = player.grab().toImage();
    QCOMPARE(pixelsNear(again, Qt::red), 0);
    QVERIFY(pixelsNear(again, Qt::blue) > 5000);
    QCOMPARE(loaded.count(), 2);
    QCOMPARE(player.movie(), m_engine);
}

void PlayerTest::timerRunsOnlyWhileFramesChange() {
    test::ManualClock clock;
    MoviePlayer player;
    auto* timer = player.findChild<ClockTimer*>(u"frameTimer"_s);
    QVERIFY(timer);
    writeGraph(barGraph("0xFF0000", "0"));
    player.setMovie(m_engine);
    QVERIFY(player.isPlaying());
    QVERIFY(!timer->isActive()); // a still graph costs nothing

    writeGraph(barGraph("0xFF0000", "100"));
    player.setMovie(m_engine);
    QVERIFY(timer->isActive());
    clock.advance(100);
    QVERIFY(timer->isActive()); // still growing
    clock.advance(60'000);
    QVERIFY(!timer->isActive()); // grown: the timer stops by itself
    QVERIFY(player.isPlaying());
}

void PlayerTest::stopHoldsTheClock() {
    test::ManualClock clock;
    MoviePlayer player;
    writeGraph(barGraph("0xFF0000", "5"));
    player.setMovie(m_engine);
    clock.advance(30);
    player.Stop();
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.findChild<ClockTimer*>(u"frameTimer"_s)->isActive());
    QCOMPARE(player.currentTime(), 30.0);
    clock.advance(30);
    QCOMPARE(player.currentTime(), 30.0);
    // Playing on starts from the time held, not from the clock's.
    player.Play();
    clock.advance(20);
    QCOMPARE(player.currentTime(), 50.0);
    player.seek(10);
    clock.advance(5);
    QCOMPARE(player.currentTime(), 15.0);
    player.StopPlay();
    QVERIFY(!player.isPlaying());
}

void PlayerTest::showsAllOfTheStageCentred() {
    MoviePlayer player;
    player.resize(337, 231);
    writeGraph(barGraph("0xFF0000", "0"));
    player.setMovie(m_engine);
    // The stage (700 x 475) fits the width; its centre is the widget's centre.
    QPointF centre = player.stagePoint(QPointF(337 / 2.0, 231 / 2.0));
    QVERIFY(std::abs(centre.x() - 350) < 0.01 && std::abs(centre.y() - 237.5) < 0.01);
    QVERIFY(std::abs(player.stagePoint(QPointF(0, 115.5)).x()) < 0.01);
    player.Zoom(100); // keeps the scale
    QVERIFY(std::abs(player.stagePoint(QPointF(0, 115.5)).x()) < 0.01);
    player.Zoom(50); // twice the size
    QVERIFY(std::abs(player.stagePoint(QPointF(0, 115.5)).x() - 175) < 0.01);
}

QTEST_MAIN(PlayerTest)
#include "tst_player.moc"
