// Movie files: the format, the movies of the Data folder, and rendering them to files.
#include "engine/movies/movie.h"
#include "engine/movies/movie_file.h"
#include "engine/movies/movie_stage.h"
#include "engine/render/render.h"
#include "tst_graph_files.h"
#include "tst_series_fixture.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace tivora::engine;
using namespace tivora::engine::testing;
using namespace Qt::StringLiterals;

namespace {

QImage frameOf(const QString& path, std::optional<Millis> time = {}) {
    const auto movie = Movie::load(path);
    const QSizeF stage = movie->stageSize();
    QImage image(stage.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    movie->paint(painter, time.value_or(std::isfinite(movie->endTime()) ? movie->endTime() : 0));
    return image;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class MovieFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void parsesTheFormat();
    void refusesWhatIsNoMovie_data();
    void refusesWhatIsNoMovie();
    void stageSizeFromTheMovie();
    void noInformationMovieShowsItsMessage();
    void blankMovieIsEmpty();
    void engineReadsTheGraphBesideIt();
    void engineWithoutGraphSaysSo();
    void sampleDrawsTheColourItNames_data();
    void sampleDrawsTheColourItNames();
    void rendersEveryFormat_data();
    void rendersEveryFormat();
    void renderRefusesBadRequests();
    void pipesAndFoldersNeverStallAPlayer();

private:
    QString copyMovie(const QString& name);
    std::unique_ptr<QTemporaryDir> m_folder;
};

void MovieFilesTest::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

QString MovieFilesTest::copyMovie(const QString& name) {
    QString target = m_folder->filePath(name);
    QFile::copy(QStringLiteral(TIVORA_SOURCE_DIR "/data/") + name, target);
    return target;
}

void MovieFilesTest::parsesTheFormat() {
    const auto movie =
        MovieFile::parse("TVMOVIE 1\r\nkind=message\r\ntitle=A = B\r\n--\r\nbody\n&x=1");
    QVERIFY(movie);
    QCOMPARE(movie->kind, QByteArray("message"));
    QCOMPARE(movie->property("title"), QByteArray("A = B"));
    QCOMPARE(movie->property("missing", "fallback"), QByteArray("fallback"));
    QCOMPARE(movie->body, QByteArray("body\n&x=1"));
    const auto again = MovieFile::parse(movie->serialize());
    QVERIFY(again);
    QCOMPARE(again->properties, movie->properties);
    QCOMPARE(again->body, movie->body);
    // Extra carriage returns at a line's end are line ends too, so a re-saved file reads the same.
    const auto doubled = MovieFile::parse("TVMOVIE 1\r\r\nkind=blank\r\r\n--\n");
    QVERIFY(doubled);
    QCOMPARE(doubled->kind, QByteArray("blank"));
    QCOMPARE(MovieFile::parse(doubled->serialize())->kind, QByteArray("blank"));
}

void MovieFilesTest::refusesWhatIsNoMovie_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("other signature") << QByteArray("TVMOVIE 2\nkind=blank\n--\n");
    QTest::newRow("no kind") << QByteArray("TVMOVIE 1\ntitle=x\n--\n");
    QTest::newRow("line without =") << QByteArray("TVMOVIE 1\nkind=blank\nnonsense\n--\n");
    QTest::newRow("flash bytes") << QByteArray("FWS\x0a\x00\x00\x00", 7);
}

void MovieFilesTest::refusesWhatIsNoMovie() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!MovieFile::parse(bytes));
    // Played, such a file gives a stage that says what is wrong instead of nothing.
    const QString path = m_folder->filePath(u"bad.swf"_s);
    QVERIFY(writeFile(path, bytes));
    QVERIFY(countPixels(frameOf(path), [](QRgb p) { return qAlpha(p) > 0; }) > 1000);
}

void MovieFilesTest::stageSizeFromTheMovie() {
    MovieFile movie;
    movie.kind = "blank";
    QCOMPARE(movieStage(movie), kStageSize);
    movie.properties["stage"] = "180x330";
    QCOMPARE(movieStage(movie), QSizeF(180, 330));
    for (const QByteArray bad : {"0x10", "axb", "10x99999", "10", "-5x5"}) {
        movie.properties["stage"] = bad;
        QCOMPARE(movieStage(movie), kStageSize);
    }
}

void MovieFilesTest::noInformationMovieShowsItsMessage() {
    const QImage image = frameOf(copyMovie(u"NoInfo.swf"_s));
    const auto dark = [](QRgb p) {
        return qGray(p) < 120 && qAlpha(p) > 200;
    };
    // Title and text fill the middle of the stage; its corners stay plain.
    QVERIFY(countPixels(image, dark, QRect(50, 200, 600, 200)) > 1500);
    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
    const auto movie = MovieFile::parse([] {
        QFile file(QStringLiteral(TIVORA_SOURCE_DIR "/data/NoInfo.swf"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }());
    QVERIFY(movie);
    QCOMPARE(movie->property("title"), QByteArray("This graph needs more data"));
}

void MovieFilesTest::blankMovieIsEmpty() {
    const QImage image = frameOf(copyMovie(u"flGraph.swf"_s));
    QCOMPARE(countPixels(image, [](QRgb p) { return qAlpha(p) > 0; }), 0);
}

void MovieFilesTest::engineReadsTheGraphBesideIt() {
    const QString engine = copyMovie(u"Tivorav32.swf"_s);
    QByteArray text = seriesGraph("bar", {{"bar", "0x00C000", "80/x/60"}}, 2).text();
    // Graph files come in lines; the engine joins them.
    text.insert(text.indexOf("&sr_"), "&\r\n");
    QVERIFY(writeFile(m_folder->filePath(u"Slide0.txt"_s), text));
    QVERIFY(countPixels(frameOf(engine), near(QColor(0, 0xC0, 0))) > 10000);
    // Loaded again it reads the file again.
    text.replace("0x00C000", "");
    QVERIFY(writeFile(m_folder->filePath(u"Slide0.txt"_s),
                      seriesGraph("bar", {{"bar", "0xC00000", "80/x/60"}}, 2).text()));
    const QImage again = frameOf(engine);
    QCOMPARE(countPixels(again, near(QColor(0, 0xC0, 0))), 0);
    QVERIFY(countPixels(again, near(QColor(0xC0, 0, 0))) > 10000);
}

void MovieFilesTest::engineWithoutGraphSaysSo() {
    const QImage image = frameOf(copyMovie(u"Tivorav32.swf"_s));
    QVERIFY(countPixels(image, [](QRgb p) { return qGray(p) < 160 && qAlpha(p) > 200; }) > 500);
}

void MovieFilesTest::sampleDrawsTheColourItNames_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QColor>("color");
    QTest::newRow("bar") << QByteArray("&graphType=bar&Backgrnd=0xFFFFFF&CylCol=0xFF0000&"
                                       "ValueCol=0x000000&Textloaded=OK")
                         << QColor(0xFF, 0, 0);
    QTest::newRow("sbar") << QByteArray("&graphType=sbar&Backgrnd=0xFFFFFF&CylCol=0x0000FF&"
                                        "ValueCol=0x000000&Textloaded=OK")
                          << QColor(0, 0, 0xFF);
    QTest::newRow("area") << QByteArray("&graphType=area&Backgrnd=0xFFFFFF&AreaCol=0x00A000&"
                                        "AreaAlpha=100&Textloaded=OK")
                          << QColor(0, 0xA0, 0);
    QTest::newRow("line") << QByteArray("&graphType=line&Backgrnd=0x000000&AreaCol=0xFFFF00&"
                                        "AreaAlpha=100&Textloaded=OK")
                          << QColor(0xFF, 0xFF, 0);
    QTest::newRow("pie") << QByteArray("&graphType=pie&Backgrnd=0xFFFFFF&SliceCol=0xFF00FF&"
                                       "ValueCol=0x000000&LabelCol=0x000000&SliceAlpha=100&"
                                       "SliceShade=0&Textloaded=OK")
                         << QColor(0xFF, 0, 0xFF);
}

void MovieFilesTest::sampleDrawsTheColourItNames() {
    QFETCH(QByteArray, options);
    QFETCH(QColor, color);
    const QString sample = copyMovie(u"Slice.swf"_s);
    QVERIFY(writeFile(m_folder->filePath(u"Slice.dat"_s), options));
    const QImage image = frameOf(sample);
    QCOMPARE(image.size(), QSize(180, 330));
    QVERIFY2(countPixels(image, near(color, 60)) > 400, qPrintable(color.name()));
}

void MovieFilesTest::rendersEveryFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png") << u"out.png"_s << QByteArray("\x89PNG");
    QTest::newRow("bmp") << u"out.BMP"_s << QByteArray("BM");
    QTest::newRow("svg") << u"out.svg"_s << QByteArray("<?xml");
    QTest::newRow("pdf") << u"out.pdf"_s << QByteArray("%PDF");
}

void MovieFilesTest::rendersEveryFormat() {
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    const QString in = m_folder->filePath(u"graph.tvx"_s);
    QVERIFY(writeFile(in, graphFile(barGraph({50, 70}))));
    const QString out = m_folder->filePath(name);
    const auto error = renderToFile(in, out, {std::nullopt, 350});
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(start.size()) == start);
    if (name.endsWith(u".png"_s)) {
        const QImage image(out);
        QCOMPARE(image.size(), QSize(350, 238));
        QVERIFY(countPixels(image, near(QColor(0xFF, 0, 0))) > 2000); // the end of the growth
        QVERIFY(!renderToFile(in, out, {0.0, 350}));
        QCOMPARE(countPixels(QImage(out), near(QColor(0xFF, 0, 0))), 0); // its start
    }
}

void MovieFilesTest::renderRefusesBadRequests() {
    const QString in = m_folder->filePath(u"graph.tvx"_s);
    QVERIFY(writeFile(in, graphFile(barGraph({50}))));
    QVERIFY(renderToFile(in, m_folder->filePath(u"out.gif"_s), {}));
    QVERIFY(renderToFile(m_folder->filePath(u"missing.tvx"_s), m_folder->filePath(u"o.png"_s), {}));
    QVERIFY(!QFile::exists(m_folder->filePath(u"o.png"_s)));
    QVERIFY(renderToFile(in, m_folder->filePath(u"no/such/folder/o.png"_s), {}));
}

void MovieFilesTest::pipesAndFoldersNeverStallAPlayer() {
    // A player handed a pipe, a device or a folder shows why it cannot play it, at once.
    const QString pipe = m_folder->filePath(u"movie.swf"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {pipe, u"/dev/zero"_s, m_folder->path()}) {
        const QImage shown = frameOf(path);
        QVERIFY(countPixels(shown, [](QRgb p) { return qGray(p) < 160 && qAlpha(p) > 200; }) > 200);
    }
    // The engine's graph text in the folder as a pipe: the engine says so instead of waiting.
    const QString engine = copyMovie(u"Tivorav32.swf"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(m_folder->filePath(u"Slide0.txt"_s)).constData(), 0600), 0);
    QVERIFY(countPixels(frameOf(engine), [](QRgb p) { return qGray(p) < 160 && qAlpha(p) > 200; }) >
            200);
}

QTEST_MAIN(MovieFilesTest)
#include "tst_movie_files.moc"
