// The animated SVG played in a real browser: paused and sought with the SVG DOM, the browser's
// picture must match the engine's own frame at the same moment.
#include "document/variable_text.h"
#include "engine/backdrop/effect_node.h"
#include "engine/movies/graph_file_scene.h"
#include "engine/scene/shape_node.h"
#include "export/graph_summary.h"
#include "export/svg/animated_svg.h"
#include "export/svg/effect_motion.h"
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
// An effect alone is compared where either picture shows a part of it, so that one part out of
// place counts fully. Small sprites are scaled down a little differently by the browser, so both
// pictures are compared at half size. Measured differences lie between 0.5 and 9.
constexpr double kMostPartDifference = 15.0;
const QColor kNight(20, 30, 60);

QString browser() {
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
        QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

// A page that holds the SVG inline and seeks it before the screenshot. The SVG's own script only
// acts for a reader who asks for less motion.
QByteArray seekingPage(QByteArray svg, double seconds) {
    svg.remove(0, svg.indexOf("<svg"));
    return "<!DOCTYPE html><html><head><style>html,body{margin:0;padding:0;overflow:hidden}"
           "svg{display:block}</style></head><body>" +
           svg +
           "<script>const svg = document.querySelector('svg'); svg.pauseAnimations(); "
           "svg.setCurrentTime(" +
           QByteArray::number(seconds, 'f', 3) + ");</script></body></html>";
}

QImage screenshot(const QString& chromium, const QString& page, const QDir& folder,
                  const QStringList& options = {}) {
    const QString shot = folder.filePath(u"shot.png"_s);
    QFile::remove(shot);
    QTemporaryDir profile;
    QProcess process;
    QStringList arguments{u"--headless"_s,
                          u"--no-sandbox"_s,
                          u"--disable-gpu"_s,
                          u"--disable-quic"_s,
                          u"--no-first-run"_s,
                          u"--disable-background-networking"_s,
                          u"--disable-component-update"_s,
                          u"--disable-sync"_s,
                          u"--user-data-dir="_s + profile.path(),
                          u"--hide-scrollbars"_s,
                          u"--window-size=700,475"_s,
                          u"--virtual-time-budget=500"_s,
                          u"--screenshot="_s + shot};
    process.start(chromium, arguments << options << QUrl::fromLocalFile(page).toString());
    process.waitForFinished(60000);
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

// The test graph of the given name, written into folder with the others.
QString testGraphPath(const QDir& folder, const QString& graph) {
    for (const auto& [name, graphPath] : writeTestGraphs(folder)) {
        if (name == graph)
            return graphPath;
    }
    return {};
}

QImage played(const QString& chromium, const QByteArray& svg, double seconds, const QDir& folder) {
    const QString page = folder.filePath(u"page.html"_s);
    QFile html(page);
    if (!html.open(QIODevice::WriteOnly))
        return {};
    html.write(seekingPage(svg, seconds));
    html.close();
    return screenshot(chromium, page, folder);
}

// The mean difference over the pixels where either picture, at half size, differs from the
// background.
double partDifference(const QImage& full, const QImage& fullExpected, QRgb background) {
    if (full.size() != fullExpected.size() || full.isNull())
        return 255.0;
    const QImage a = full.scaled(full.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage b =
        fullExpected.scaled(full.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const auto distance = [](QRgb p, QRgb q) {
        return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q));
    };
    double sum = 0;
    qint64 pixels = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (distance(p, background) > 24 || distance(q, background) > 24) {
                sum += distance(p, q);
                ++pixels;
            }
        }
    }
    return pixels == 0 ? 255.0 : sum / (3.0 * double(pixels));
}

// Whether the browser's picture lies within most of the engine's; when not, both pictures are
// kept in the temporary folder to look at.
bool closeEnough(const QImage& shown, const QImage& expected, double difference, double most,
                 const QString& name) {
    qInfo("%s: difference %.2f", QTest::currentDataTag(), difference);
    if (difference <= most)
        return true;
    shown.save(QDir::temp().filePath(u"tivora_played_%1.png"_s.arg(name)));
    expected.save(QDir::temp().filePath(u"tivora_expected_%1.png"_s.arg(name)));
    return false;
}

} // namespace

class TestBrowserPlayback : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesTheEngineFrames_data();
    void matchesTheEngineFrames();
    void effectsMoveAsTheEngineMovesThem_data();
    void effectsMoveAsTheEngineMovesThem();
    void settlesAtOnceForReducedMotion();
};

void TestBrowserPlayback::matchesTheEngineFrames_data() {
    QTest::addColumn<QString>("graph");
    QTest::addColumn<double>("seconds"); // negative: once settled
    for (const char* graph : {"bar", "line", "area", "mixed", "pie", "narrow", "lightrays"}) {
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
    const QString path = testGraphPath(dir, graph);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const VariableText text(engine::graphTextOf(file.readAll()));
    const engine::Scene scene = engine::layoutGraphFile(path);
    const double time = seconds < 0 ? scene.settledTime() + 100.0 : seconds * 1000.0;

    const QImage shown =
        played(chromium, animatedSvg(scene, summarizeGraph(text)), time / 1000.0, dir);
    QCOMPARE(shown.size(), QSize(700, 475));
    const QImage expected = stillPicture(path, time, dir);
    const double difference = meanDifference(shown, expected);
    QVERIFY2(closeEnough(shown, expected, difference, kMostMeanDifference, graph),
             qPrintable(u"mean difference %1 at %2 ms"_s.arg(difference).arg(time)));
}

void TestBrowserPlayback::effectsMoveAsTheEngineMovesThem_data() {
    QTest::addColumn<QString>("effect");
    QTest::addColumn<double>("seconds");
    // Snow has more particles than an SVG keeps: the browser plays the capped effect.
    for (const char* effect : {"snow", "confetti", "sparkles", "bubbles", "lightrays"}) {
        for (const double seconds : {0.0, 2.5, 23.7})
            QTest::addRow("%s at %s", effect, qPrintable(QString::number(seconds)))
                << QString::fromLatin1(effect) << seconds;
    }
}

// Each part's drift wraps, sways, spins and flickers on periods of its own; far into the
// animation every one of them must still be where the engine paints it.
void TestBrowserPlayback::effectsMoveAsTheEngineMovesThem() {
    QFETCH(QString, effect);
    QFETCH(double, seconds);
    const QString chromium = browser();
    if (chromium.isEmpty())
        QFAIL("no Chromium found on the PATH: the animated SVG cannot be played");
    QFile file(QStringLiteral(TIVORA_SOURCE_DIR) + u"/data/%1.eff"_s.arg(effect));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto parsed = engine::EffectFile::parse(file.readAll());
    QVERIFY(parsed);
    const QRectF stage(QPointF(0, 0), engine::kStageSize);
    QPainterPath backdrop;
    backdrop.addRect(stage);
    auto node =
        std::make_unique<engine::EffectNode>(*parsed, stage.adjusted(30, 40, -30, -20), 0.9);
    const engine::EffectNode& effectNode = *node;
    engine::Scene scene;
    scene.add(engine::Layer::Background, std::make_unique<engine::ShapeNode>(backdrop, kNight));
    scene.add(engine::Layer::Effect, std::move(node));

    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QImage shown =
        played(chromium, animatedSvg(scene, GraphSummary{effect, effect, {}}), seconds, dir);
    QImage expected(shown.size(), QImage::Format_RGB32);
    expected.fill(kNight);
    {
        QPainter painter(&expected);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        effectNode.paintActors(painter, effectNode.actors(kSvgEffectParticles), seconds * 1000.0);
    }
    const double difference = partDifference(shown, expected, kNight.rgb());
    QVERIFY2(closeEnough(shown, expected, difference, kMostPartDifference, effect),
             qPrintable(u"difference %1 where parts are"_s.arg(difference)));
}

// Opened as a file of its own half a second in, the graph is still growing; a reader who asks
// for less motion sees it settled at once.
void TestBrowserPlayback::settlesAtOnceForReducedMotion() {
    const QString chromium = browser();
    if (chromium.isEmpty())
        QFAIL("no Chromium found on the PATH: the animated SVG cannot be played");
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString path = testGraphPath(dir, u"bar"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const VariableText text(engine::graphTextOf(file.readAll()));
    const engine::Scene scene = engine::layoutGraphFile(path);
    QFile svg(dir.filePath(u"graph.svg"_s));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write(animatedSvg(scene, summarizeGraph(text)));
    svg.close();
    const QImage settled = stillPicture(path, scene.settledTime() + 100.0, dir);
    const QImage calm =
        screenshot(chromium, svg.fileName(), dir, {u"--force-prefers-reduced-motion"_s});
    QCOMPARE(calm.size(), QSize(700, 475));
    const double calmDifference = meanDifference(calm, settled);
    QVERIFY2(closeEnough(calm, settled, calmDifference, kMostMeanDifference, u"calm"_s),
             qPrintable(u"mean difference %1 from the settled graph"_s.arg(calmDifference)));
    const QImage moving = screenshot(chromium, svg.fileName(), dir);
    QVERIFY2(meanDifference(moving, settled) > kMostMeanDifference,
             "without the request the graph is still growing");
}

QTEST_MAIN(TestBrowserPlayback)
#include "tst_browser_playback.moc"
