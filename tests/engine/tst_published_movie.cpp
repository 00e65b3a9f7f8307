#include "engine/movies/graph_file_scene.h"
#include "engine/movies/movie_file.h"
#include "engine/movies/published_slots.h"
#include "tst_pie_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::engine;
using namespace tivora::engine::testing;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString shipped(const QString& name) {
    return QStringLiteral(TIVORA_SOURCE_DIR) + u"/data/"_s + name;
}

// What publishing does to a copy of a template: every placeholder replaced in place by its line,
// padded with blanks, then the flag.
QByteArray patched(QByteArray movie, const QList<QByteArray>& lines) {
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray placeholder = PublishedSlots::placeholder(int(n + 1));
        const QByteArray line = lines[n].leftJustified(placeholder.size(), ' ', true);
        for (qsizetype at = movie.indexOf(placeholder); at >= 0;
             at = movie.indexOf(placeholder, at))
            movie.replace(at, placeholder.size(), line);
    }
    movie.replace("NOTEMBED", "EMBEDDED");
    return movie;
}

// A graph text cut into lines of at most 480 characters, each ending with "&", as graph files are.
QList<QByteArray> graphLines(const QByteArray& text) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (text.size() - start > 480) {
        const qsizetype cut = LastAmpersandWithin(text.sliced(start), 479) - 1;
        lines.append(text.sliced(start, cut) + '&');
        start += cut;
    }
    lines.append(text.sliced(start));
    return lines;
}

QByteArray sampleGraph() {
    std::vector<SliceSpec> slices;
    for (int i = 0; i < 12; ++i)
        slices.push_back({QByteArray::number(i + 3), i % 2 ? "0x2E6FD8" : "0xF28C28",
                          "Slice number " + QByteArray::number(i + 1)});
    GraphTextBuilder text = pieGraph(slices, "0", "Yes", "1");
    addNotes(text, 2, {{"nohd_", "A note\\r"}, {"nobd_", "with a body\\r"}});
    return text.text();
}

QImage frameOf(const Scene& scene, Millis time) {
    return paintScene(scene, time);
}

QImage movieFrame(const QString& path, Millis time) {
    QImage image(kStageSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    Movie::load(path)->paint(painter, time);
    return image;
}

} // namespace

class TestPublishedMovie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void templatesHoldEverySlotOnce_data();
    void templatesHoldEverySlotOnce();
    void readsFilledSlotsOnly();
    void patchedMovieDrawsLikeItsGraphFile();
    void callingMovieNeedsTheEngineBesideIt();
    void unpatchedTemplateSaysWhatItIs();
    void picturesComeFromTheMovieFolderOnly();
    void engineIsAFileOfTheMovieFolder();
};

void TestPublishedMovie::templatesHoldEverySlotOnce_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("engine");
    QTest::newRow("standalone") << u"Tivorav32L.swf"_s << QByteArray();
    QTest::newRow("calling") << u"TivoraTrigger.swf"_s << QByteArray("Tivorav32.swf");
}

void TestPublishedMovie::templatesHoldEverySlotOnce() {
    QFETCH(QString, name);
    QFETCH(QByteArray, engine);
    const QByteArray bytes = readFile(shipped(name));
    const auto movie = MovieFile::parse(bytes);
    QVERIFY(movie);
    QCOMPARE(movie->kind, QByteArray("published"));
    QCOMPARE(movie->property("engine"), engine);
    for (int n = 1; n <= PublishedSlots::kSlotCount; ++n)
        QCOMPARE(bytes.count(PublishedSlots::placeholder(n)), 1);
    QCOMPARE(bytes.count("NOTEMBED"), 1);
    QCOMPARE(PublishedSlots::placeholder(9).size(), 487);
    QCOMPARE(PublishedSlots::placeholder(10).size(), 488);
    const PublishedSlots slots = PublishedSlots::read(movie->body);
    QVERIFY(!slots.embedded);
    QVERIFY(slots.lines.empty());
}

void TestPublishedMovie::readsFilledSlotsOnly() {
    const QByteArray full(480, 'a');
    const QByteArray over = QByteArray(486, 'b') + 'c'; // fills slot 2 to its last byte
    const QByteArray body =
        patched(PublishedSlots::templateBody(), {"&v_=2.0&", over, "&x=1 ", full});
    const PublishedSlots slots = PublishedSlots::read(body);
    QVERIFY(slots.embedded);
    QCOMPARE(slots.lines, (std::vector<QByteArray>{"&v_=2.0&", over, "&x=1", full}));
    QCOMPARE(slots.graphText(), "&v_=2.0&" + over + "&x=1" + full);
    QCOMPARE(body.size(), PublishedSlots::templateBody().size());
    // A body cut short inside a slot loses that slot and the ones after it, nothing else.
    const PublishedSlots cut = PublishedSlots::read(body.left(body.indexOf("slot3=") + 20));
    QCOMPARE(cut.lines.size(), std::size_t(2));
    QVERIFY(PublishedSlots::read(QByteArray()).lines.empty());
}

void TestPublishedMovie::patchedMovieDrawsLikeItsGraphFile() {
    QTemporaryDir temp;
    const QDir folder(temp.path());
    const QByteArray text = sampleGraph();
    const QList<QByteArray> lines = graphLines(text);
    QVERIFY(lines.size() >= 3 && lines.size() <= 10);
    writeFile(folder.filePath(u"Sales.tvx"_s), lines.join("\r\n"));
    writeFile(folder.filePath(u"Sales.swf"_s),
              patched(readFile(shipped(u"Tivorav32L.swf"_s)), lines));
    const Scene graph = layoutGraphFile(folder.filePath(u"Sales.tvx"_s));
    for (const Millis time : {0.0, 700.0, 5000.0})
        QCOMPARE(movieFrame(folder.filePath(u"Sales.swf"_s), time), frameOf(graph, time));
    QVERIFY(frameOf(graph, 5000) != frameOf(graph, 0));
}

void TestPublishedMovie::callingMovieNeedsTheEngineBesideIt() {
    QTemporaryDir temp;
    const QDir folder(temp.path());
    const QList<QByteArray> lines = graphLines(sampleGraph());
    const QString movie = folder.filePath(u"Sales.swf"_s);
    writeFile(movie, patched(readFile(shipped(u"TivoraTrigger.swf"_s)), lines));
    writeFile(folder.filePath(u"Sales.tvx"_s), lines.join("\r\n"));
    const QImage graph = frameOf(layoutGraphFile(folder.filePath(u"Sales.tvx"_s)), 5000);
    const QImage missing = movieFrame(movie, 5000);
    QVERIFY(missing != graph);
    QVERIFY(QFile::copy(shipped(u"Tivorav32.swf"_s), folder.filePath(u"tivorav32.SWF"_s)));
    QCOMPARE(movieFrame(movie, 5000), graph);
}

void TestPublishedMovie::unpatchedTemplateSaysWhatItIs() {
    const QImage image = movieFrame(shipped(u"Tivorav32L.swf"_s), 0);
    QVERIFY(countPixels(image, [](QRgb p) { return qGray(p) < 128; }) > 200);
    // Filling only the flag gives a movie that says it holds no graph, not a template.
    QTemporaryDir temp;
    const QString flagged = temp.filePath(u"flagged.swf"_s);
    writeFile(flagged, patched(readFile(shipped(u"Tivorav32L.swf"_s)), {}));
    QVERIFY(movieFrame(flagged, 0) != image);
}

// A published movie of a graph whose background picture is named by path.
QByteArray graphWithPicture(const QByteArray& path) {
    GraphTextBuilder text = seriesGraph("bar", {{"bar", "0x0000FF", "1"}}, 1);
    text.encoded("BImages", path).encoded("BImageAlpha", "100");
    return patched(readFile(shipped(u"Tivorav32L.swf"_s)), graphLines(text.text()));
}

void TestPublishedMovie::picturesComeFromTheMovieFolderOnly() {
    QTemporaryDir published;
    QTemporaryDir elsewhere;
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(elsewhere.filePath(u"secret.png"_s)));
    const QString movie = published.filePath(u"Sales.swf"_s);
    const auto redPixels = [&movie] {
        return countPixels(movieFrame(movie, 5000), near(Qt::red));
    };
    // A full path to a picture outside the folder is not followed, though the picture is there.
    writeFile(movie, graphWithPicture(elsewhere.filePath(u"secret.png"_s).toLatin1()));
    QCOMPARE(redPixels(), 0);
    writeFile(movie, graphWithPicture("../" + QDir(elsewhere.path()).dirName().toLatin1() +
                                      "/secret.png"));
    QCOMPARE(redPixels(), 0);
    // The picture publishing copied beside the movie is found by its file name, from any path.
    QVERIFY(red.save(published.filePath(u"secret.png"_s)));
    writeFile(movie, graphWithPicture("C:\\Graphs\\Pictures\\secret.png"));
    QVERIFY(redPixels() > 20000);
}

void TestPublishedMovie::engineIsAFileOfTheMovieFolder() {
    QTemporaryDir temp;
    const QDir root(temp.path());
    QVERIFY(root.mkdir(u"site"_s));
    QVERIFY(QFile::copy(shipped(u"Tivorav32.swf"_s), root.filePath(u"Tivorav32.swf"_s)));
    QByteArray calling =
        patched(readFile(shipped(u"TivoraTrigger.swf"_s)), graphLines(sampleGraph()));
    calling.replace("engine=Tivorav32.swf", "engine=../Tivorav32.swf");
    const QString movie = root.filePath(u"site/Sales.swf"_s);
    writeFile(movie, calling);
    const QImage missing = movieFrame(movie, 5000);
    QVERIFY(QFile::copy(shipped(u"Tivorav32.swf"_s), root.filePath(u"site/Tivorav32.swf"_s)));
    QVERIFY(movieFrame(movie, 5000) != missing);
}

QTEST_MAIN(TestPublishedMovie)
#include "tst_published_movie.moc"
