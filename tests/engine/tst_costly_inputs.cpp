// Inputs within every limit of their format that still ask for a lot of work: a tutorial of many
// pages, effects that would paint the graph area hundreds of times a frame, huge pictures. Each is
// checked by the work kept bounded (what is laid out, kept or decoded), never by time taken.
#include "common/crafted_png.h"
#include "engine/backdrop/backdrop_files.h"
#include "engine/backdrop/effect_budget.h"
#include "engine/backdrop/effect_file.h"
#include "engine/backdrop/effect_node.h"
#include "engine/backdrop/picture_cache.h"
#include "engine/movies/movie.h"
#include "engine/movies/movie_file.h"
#include "engine/movies/tutorial_book_node.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace {

const QRectF kArea(60, 70, 600, 340);

void paintAt(const Movie& movie, Millis time) {
    QImage image(kStageSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    movie.paint(painter, time);
}

std::unique_ptr<Movie> tutorial(const QByteArray& body) {
    MovieFile file;
    file.kind = "tutorial";
    file.properties = {{"kind", "tutorial"}, {"page", "1000"}};
    file.body = body;
    return Movie::play(file, QDir());
}

EffectFile effect(const QByteArray& text) {
    QString error;
    const auto parsed = EffectFile::parse(text, &error);
    if (!parsed)
        qFatal("%s", qPrintable(error));
    return *parsed;
}

QByteArray repeatedLayers(int layers, const QByteArray& line) {
    QByteArray text = "TVEFFECT 1\n";
    for (int i = 0; i < layers; ++i)
        text += line + '\n';
    return text;
}

// What the parts of an effect cover in a frame, each at most the whole area: measured on the
// parts as they paint, by the box each look is drawn in.
double coveredArea(const EffectNode& node) {
    const double whole = node.area().width() * node.area().height();
    double covered = 0;
    for (const EffectActor& actor : node.actors(INT_MAX)) {
        const QRectF box =
            actor.look.sprite.isNull() ? actor.look.shape.boundingRect() : actor.look.target;
        const double pulse = 1.0 + std::abs(actor.pulse.amplitude);
        covered += std::min(box.width() * box.height() * pulse * pulse, whole);
    }
    return covered;
}

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

} // namespace

class TestCostlyInputs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tutorialOfManyPagesLaysOutOnlyThePageOnShow();
    void tutorialPageKeepsWhatAStageShows();
    void tutorialPagesReadWithBlanksAndOddPageTimes();
    void costlyEffectsAreThinnedToAFrameAllowance_data();
    void costlyEffectsAreThinnedToAFrameAllowance();
    void cheapLayersKeepEveryPartBesideCostlyOnes();
    void shippedEffectsKeepEveryPart();
    void picturesAreDecodedAtTheSizeShown();
    void pictureOfTooManyPixelsIsNotDecoded();
    void pictureIsDecodedOnceUntilItsFileChanges();
};

void TestCostlyInputs::tutorialOfManyPagesLaysOutOnlyThePageOnShow() {
    QByteArray body;
    for (int page = 0; page < 100000; ++page)
        body += "# Page " + QByteArray::number(page) + "\nA step\nAnother step\n! A tip\n";
    const auto movie = tutorial(body);
    const auto& nodes = movie->scene().nodes(Layer::Plot);
    QCOMPARE(nodes.size(), std::size_t(1));
    const auto* book = dynamic_cast<const TutorialBookNode*>(nodes.front().get());
    QVERIFY(book);
    QCOMPARE(book->pagesKept(), std::size_t(0));
    for (const Millis time : {500.0, 1500.0, 77777500.0, 99999500.0, 100000500.0}) {
        paintAt(*movie, time);
        QCOMPARE(book->pagesKept(), std::size_t(1));
    }
    QCOMPARE(book->pageAt(77777500.0), std::size_t(77777));
    QCOMPARE(book->pageAt(100000500.0), std::size_t(0)); // the second round
}

void TestCostlyInputs::tutorialPageKeepsWhatAStageShows() {
    QByteArray body = "# " + QByteArray(50000, 'T') + '\n';
    for (int step = 0; step < 5000; ++step)
        body += QByteArray(3000, 's') + '\n';
    body += "! the tip after all the steps\n# Next\n";
    const TutorialScript script = TutorialScript::parse(body);
    QCOMPARE(script.pageCount(), std::size_t(2));
    const TutorialPage page = script.page(0);
    QCOMPARE(page.title.size(), TutorialScript::kLongestLine - 2);
    QCOMPARE(page.steps.size(), TutorialScript::kMostSteps);
    QCOMPARE(page.steps.front().size(), TutorialScript::kLongestLine);
    QCOMPARE(page.tip, u"the tip after all the steps"_s);
    QCOMPARE(script.page(1).title, u"Next"_s);
    paintAt(*tutorial(body), 500);
}

void TestCostlyInputs::tutorialPagesReadWithBlanksAndOddPageTimes() {
    const TutorialScript script = TutorialScript::parse(" \t\xA0# Indented\r\nstep\n#\n#Third");
    QCOMPARE(script.pageCount(), std::size_t(3));
    QCOMPARE(script.page(0).title, u"Indented"_s);
    QCOMPARE(script.page(0).steps, QStringList{u"step"_s});
    QVERIFY(script.page(1).title.isEmpty());
    QCOMPARE(script.page(2).title, u"Third"_s);
    // A page time that is no number of milliseconds falls back to the usual one.
    for (const QByteArray pageTime : {"nan", "inf", "-5", "1e308"}) {
        MovieFile file;
        file.kind = "tutorial";
        file.properties = {{"kind", "tutorial"}, {"page", pageTime}};
        file.body = "# One\n# Two\n";
        const auto movie = Movie::play(file, QDir());
        const auto* book =
            dynamic_cast<const TutorialBookNode*>(movie->scene().nodes(Layer::Plot).front().get());
        QVERIFY(book);
        QVERIFY(book->pageAt(5e9) < 2);
        paintAt(*movie, 5e9);
    }
}

void TestCostlyInputs::costlyEffectsAreThinnedToAFrameAllowance_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("areasAtMost");
    QTest::newRow("largest particles")
        << repeatedLayers(5, "particles shape=bubble count=400 size=80 speed=500")
        << EffectBudget::kAreaTimes;
    QTest::newRow("most particles") << repeatedLayers(5, "particles shape=flake count=400 size=3-6")
                                    << EffectBudget::kAreaTimes;
    // Every layer keeps a part, so sixteen layers of parts that each cover the area stay sixteen.
    QTest::newRow("widest rays") << repeatedLayers(16,
                                                   "rays count=36 width=90 length=2000 swing=180")
                                 << 16.0;
    QTest::newRow("largest glows") << repeatedLayers(16, "glow radius=2000") << 16.0;
}

void TestCostlyInputs::costlyEffectsAreThinnedToAFrameAllowance() {
    QFETCH(QByteArray, text);
    QFETCH(double, areasAtMost);
    const EffectNode node(effect(text), kArea, 1.0);
    const double area = kArea.width() * kArea.height();
    const double partsAllowed = EffectBudget::kParts * EffectBudget::kPartCost;
    QVERIFY2(coveredArea(node) <= areasAtMost * area * 1.1 + partsAllowed,
             qPrintable(QString::number(coveredArea(node) / area)));
    QVERIFY(node.actors(INT_MAX).size() >= 5);
}

void TestCostlyInputs::cheapLayersKeepEveryPartBesideCostlyOnes() {
    const QByteArray text = repeatedLayers(4, "rays count=36 width=90 length=2000") +
                            "particles shape=dot count=90 size=1-2.5\n";
    const EffectNode node(effect(text), kArea, 1.0);
    const auto actors = node.actors(INT_MAX);
    const auto sprites = std::count_if(
        actors.begin(), actors.end(), [](const EffectActor& a) { return !a.look.sprite.isNull(); });
    QCOMPARE(sprites, 90);
    QVERIFY(actors.size() - std::size_t(sprites) < std::size_t{4} * 36);
    QVERIFY(actors.size() - std::size_t(sprites) >= 4);
}

void TestCostlyInputs::shippedEffectsKeepEveryPart() {
    const QDir data(QStringLiteral(TIVORA_SOURCE_DIR) + u"/data"_s);
    for (const QString& name : data.entryList({u"*.eff"_s}, QDir::Files)) {
        QFile file(data.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const EffectFile shipped = effect(file.readAll());
        std::size_t parts = 0;
        for (const EffectLayer& layer : shipped.layers)
            parts += layer.kind == EffectLayer::Kind::Glow ? 1 : std::size_t(layer.count);
        // Even on a small graph area.
        for (const QRectF& area : {kArea, QRectF(10, 10, 200, 120)})
            QVERIFY2(EffectNode(shipped, area, 1.0).actors(INT_MAX).size() == parts,
                     qPrintable(name));
    }
}

void TestCostlyInputs::picturesAreDecodedAtTheSizeShown() {
    // Twice the size shown, covering it with the aspect kept.
    QCOMPARE(decodedSize(QSize(4000, 3000), QSizeF(600, 340)), QSize(1200, 900));
    QCOMPARE(decodedSize(QSize(3000, 6000), QSizeF(600, 340)),
             QSize(1200, 2400).scaled(1600, 1600, Qt::KeepAspectRatio));
    // Never larger than the picture, and the whole stage when the size shown is not known.
    QCOMPARE(decodedSize(QSize(640, 480), QSizeF(600, 340)), QSize(640, 480));
    QCOMPARE(decodedSize(QSize(7000, 4750), QSizeF()), QSize(1400, 950));

    QTemporaryDir folder;
    writeFile(folder, u"photo.png"_s, tivora::test::craftedPng(3000, 2000, 3));
    const QImage image = loadPicture(u"photo.png"_s, QDir(folder.path()), QSizeF(300, 200));
    QCOMPARE(image.size(), QSize(600, 400));
}

void TestCostlyInputs::pictureOfTooManyPixelsIsNotDecoded() {
    QTemporaryDir folder;
    writeFile(folder, u"huge.png"_s, tivora::test::craftedPng(9000, 9000, 1));
    QVERIFY(9000LL * 9000 > kMostPixels);
    QVERIFY(loadPicture(u"huge.png"_s, QDir(folder.path()), QSizeF(600, 340)).isNull());
    writeFile(folder, u"large.png"_s, tivora::test::craftedPng(5000, 4000, 3));
    QVERIFY(!loadPicture(u"large.png"_s, QDir(folder.path()), QSizeF(600, 340)).isNull());
}

void TestCostlyInputs::pictureIsDecodedOnceUntilItsFileChanges() {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    QImage red(400, 300, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(folder.filePath(u"photo.png"_s)));
    const QImage first = loadPicture(u"photo.png"_s, dir, QSizeF(100, 75));
    QCOMPARE(loadPicture(u"photo.png"_s, dir, QSizeF(100, 75)).cacheKey(), first.cacheKey());
    // Another size is another decoding.
    QCOMPARE(loadPicture(u"photo.png"_s, dir, QSizeF(50, 40)).size(), QSize(106, 80));

    QImage blue(401, 300, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QVERIFY(blue.save(folder.filePath(u"photo.png"_s)));
    const QImage changed = loadPicture(u"photo.png"_s, dir, QSizeF(100, 75));
    QCOMPARE(changed.pixelColor(10, 10), QColor(Qt::blue));

    for (int i = 0; i < 20; ++i) {
        const QString name = u"p%1.png"_s.arg(i);
        QVERIFY(red.save(folder.filePath(name)));
        loadPicture(name, dir, QSizeF(100, 75));
    }
    QCOMPARE(PictureCache::shared().keptCount(), PictureCache::kMostKept);
}

QTEST_MAIN(TestCostlyInputs)
#include "tst_costly_inputs.moc"
