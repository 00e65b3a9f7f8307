// The animated SVG played in a real browser: paused and sought with the SVG DOM, the browser's
// picture must match the engine's own frame at the same moment.
#include "document/variable_text.h"
#include "engine/layout/graph_file_scene.h"
#include "export/animated_svg.h"
#include "export/graph_summary.h"
#include "export_fixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::exporting;
using namespace tivora::exporting::testing;

namespace {

// Fonts are hinted and antialiased a little differently by the browser; shapes, positions and
// colours must agree. Measured differences lie between 0.2 and 0.8.
constexpr double kMostMeanDifference = 2.0;

QString browser() {
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

// A page that holds the SVG inline and seeks it before the screenshot. The script lives in this
// test page only; the SVG itself carries none.
QByteArray seekingPage(QByteArray svg, double seconds) {
    svg.remove(0, svg.indexOf("<svg"));
    return "<!DOCTYPE html><html><head><style>html,body{margin:0;padding:0;overflow:hidden}"
           "svg{display:block}</style></head><body>" +
           svg +
           "<script>const svg = document.querySelector('svg'); svg.pauseAnimations(); "
           "svg.setCurrentTime(" +
           QByteArray::number(seconds, 'f', 3) + ");</script></body></html>";
}

QImage screenshot(const QString& chromium, const QString& page, const QDir& folder) {
    const QString shot = folder.filePath(u"shot.png"_s);
    QFile::remove(shot);
    QTemporaryDir profile;
    QProcess process;
    process.start(chromium,
                  {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s,
                   u"--no-first-run"_s, u"--disable-background-networking"_s,
                   u"--disable-component-update"_s, u"--disable-sync"_s,
                   u"--user-data-dir="_s + profile.path(), u"--hide-scrollbars"_s,
                   u"--window-size=700,475"_s, u"--virtual-time-budget=500"_s,
                   u"--screenshot="_s + shot, QUrl::fromLocalFile(page).toString()});
    process.waitForFinished(60000);
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestBrowserPlayback : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesTheEngineFrames_data();
    void matchesTheEngineFrames();
};

void TestBrowserPlayback::matchesTheEngineFrames_data() {
    QTest::addColumn<QString>("graph");
    QTest::addColumn<double>("seconds"); // negative: once settled
    for (const char* graph : {"bar", "line", "area", "mixed", "pie"}) {
        for (const double seconds : {0.3, 1.0, -1.0}) {
            QTest::addRow("%s at %s", graph,
                          seconds < 0 ? "rest" : qPrintable(QString::number(seconds)))
                << QString::fromLatin1(graph) << seconds;
        }
    }
}

void TestBrowserPlayback::matchesTheEngineFrames() {
    QFETCH(QString, graph);
    QFETCH(double, seconds);
    const QString chromium = browser();
    if (chromium.isEmpty())
        QFAIL("no Chromium found on the PATH: the animated SVG cannot be played");
    QTemporaryDir folder;
    const QDir dir(folder.path());
    QString path;
    for (const auto& [name, graphPath] : writeTestGraphs(dir)) {
        if (name == graph)
            path = graphPath;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const VariableText text(engine::graphTextOf(file.readAll()));
    const engine::Scene scene = engine::layoutGraphFile(path);
    const double time = seconds < 0 ? scene.settledTime() + 100.0 : seconds * 1000.0;

    const QString page = dir.filePath(u"page.html"_s);
    QFile html(page);
    QVERIFY(html.open(QIODevice::WriteOnly));
    html.write(seekingPage(animatedSvg(scene, summarizeGraph(text)), time / 1000.0));
    html.close();

    const QImage played = screenshot(chromium, page, dir);
    QCOMPARE(played.size(), QSize(700, 475));
    const QImage expected = stillPicture(path, time, dir);
    const double difference = meanDifference(played, expected);
    qInfo("%s: mean difference %.2f", QTest::currentDataTag(), difference);
    if (difference > kMostMeanDifference) {
        played.save(QDir::temp().filePath(u"tivora_played_%1.png"_s.arg(graph)));
        expected.save(QDir::temp().filePath(u"tivora_expected_%1.png"_s.arg(graph)));
    }
    QVERIFY2(difference <= kMostMeanDifference,
             qPrintable(u"mean difference %1 at %2 ms"_s.arg(difference).arg(time)));
}

QTEST_MAIN(TestBrowserPlayback)
#include "tst_browser_playback.moc"
